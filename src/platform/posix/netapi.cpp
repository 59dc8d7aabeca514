// The network management calls: names that designate this machine are
// answered here; any other machine cannot be reached.
#include <cstdlib>
#include <string>

#include "../platform.h"
#include "local_machine.h"
#include "server_name.h"

namespace {

template <typename Record>
NET_API_STATUS AllocateRecord(Record** record) {
    *record = static_cast<Record*>(calloc(1, sizeof(Record)));
    return *record == nullptr ? ERROR_NOT_ENOUGH_MEMORY : NERR_Success;
}

}  // namespace

NET_API_STATUS NetRemoteTOD(LPCWSTR UncServerName, LPBYTE* BufferPtr) {
    if (BufferPtr == nullptr) return ERROR_INVALID_PARAMETER;
    *BufferPtr = nullptr;
    std::string host;
    if (!NarrowServerName(UncServerName, &host)) return ERROR_INVALID_NAME;
    if (!IsThisMachine(host)) return ERROR_BAD_NETPATH;
    TIME_OF_DAY_INFO* info = nullptr;
    if (NET_API_STATUS status = AllocateRecord(&info)) return status;
    GetLocalTimeOfDay(info);
    *BufferPtr = reinterpret_cast<LPBYTE>(info);
    return NERR_Success;
}

NET_API_STATUS NetStatisticsGet(LMSTR ServerName, LMSTR Service, DWORD Level, DWORD Options, LPBYTE* Bufptr) {
    if (Bufptr == nullptr) return ERROR_INVALID_PARAMETER;
    *Bufptr = nullptr;
    if (!IsServerService(Service) || Level != 0) return ERROR_INVALID_LEVEL;
    if (Options != 0) return ERROR_INVALID_PARAMETER;
    std::string host;
    if (!NarrowServerName(ServerName, &host)) return ERROR_INVALID_NAME;
    if (!IsThisMachine(host)) return ERROR_BAD_NETPATH;
    STAT_SERVER_0* statistics = nullptr;
    if (NET_API_STATUS status = AllocateRecord(&statistics)) return status;
    statistics->sts0_start = GetLocalStartTime();
    *Bufptr = reinterpret_cast<LPBYTE>(statistics);
    return NERR_Success;
}

NET_API_STATUS NetApiBufferFree(void* Buffer) {
    free(Buffer);
    return NERR_Success;
}
