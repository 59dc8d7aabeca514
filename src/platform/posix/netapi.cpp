// The network management calls: names that designate this machine are
// answered here; any other name is an SNMP agent's peer name.
#include <cstdlib>
#include <string>

#include "../platform.h"
#include "local_machine.h"
#include "server_name.h"
#include "../snmp/snmp_answer.h"
#include "../snmp/snmp_client.h"

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
    TIME_OF_DAY_INFO* info = nullptr;
    if (IsThisMachine(host)) {
        if (NET_API_STATUS status = AllocateRecord(&info)) return status;
        GetLocalTimeOfDay(info);
    } else {
        const RemoteObject objects[] = {RemoteObject::SystemDate};
        SnmpVariable values[1];
        if (NET_API_STATUS status = GetRemoteObjects(host, objects, 1, values)) return status;
        TIME_OF_DAY_INFO remote{};
        if (NET_API_STATUS status = ConvertTimeOfDay(values[0], &remote)) return status;
        if (NET_API_STATUS status = AllocateRecord(&info)) return status;
        *info = remote;
    }
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
    STAT_SERVER_0* statistics = nullptr;
    if (IsThisMachine(host)) {
        if (NET_API_STATUS status = AllocateRecord(&statistics)) return status;
        statistics->sts0_start = GetLocalStartTime();
    } else {
        const RemoteObject objects[] = {RemoteObject::SystemDate, RemoteObject::SystemUptime,
                                        RemoteObject::SysUpTime};
        SnmpVariable values[3];
        if (NET_API_STATUS status = GetRemoteObjects(host, objects, 3, values)) return status;
        STAT_SERVER_0 remote{};
        if (NET_API_STATUS status = ConvertServerStatistics(values[0], values[1], values[2], &remote)) return status;
        if (NET_API_STATUS status = AllocateRecord(&statistics)) return status;
        *statistics = remote;
    }
    *Bufptr = reinterpret_cast<LPBYTE>(statistics);
    return NERR_Success;
}

NET_API_STATUS NetApiBufferFree(void* Buffer) {
    free(Buffer);
    return NERR_Success;
}
