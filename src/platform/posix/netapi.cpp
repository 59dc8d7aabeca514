// The network management calls: names that designate this machine are
// answered here; any other name is an SNMP agent's peer name.
#include <cstdint>
#include <cstdlib>
#include <ctime>
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

// The first network call of a run asks for everything in one GET; later
// calls for the same machine read that answer, so the clock and the start
// come from one moment of the agent's.
struct RemoteAnswer {
    std::string host;
    SnmpAnswer answer;
    int64_t localUtcSeconds = 0;  // This machine's clock when the answer came.
    bool held = false;
};

NET_API_STATUS GetCachedAnswer(const std::string& host, const RemoteAnswer** remote) {
    static RemoteAnswer cached;
    if (!cached.held || cached.host != host) {
        cached = RemoteAnswer{};
        DWORD cause = ERROR_SUCCESS;
        if (NET_API_STATUS status = GetRemoteAnswer(host, &cached.answer, &cause)) {
            SetLastError(cause);
            return status;
        }
        cached.host = host;
        cached.localUtcSeconds = static_cast<int64_t>(time(nullptr));
        cached.held = true;
    }
    *remote = &cached;
    return NERR_Success;
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
        const RemoteAnswer* answer = nullptr;
        if (NET_API_STATUS status = GetCachedAnswer(host, &answer)) return status;
        TIME_OF_DAY_INFO remote{};
        DWORD cause = ERROR_SUCCESS;
        if (NET_API_STATUS status = ConvertTimeOfDay(answer->answer, answer->localUtcSeconds, &remote, &cause)) {
            SetLastError(cause);
            return status;
        }
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
        const RemoteAnswer* answer = nullptr;
        if (NET_API_STATUS status = GetCachedAnswer(host, &answer)) return status;
        STAT_SERVER_0 remote{};
        DWORD cause = ERROR_SUCCESS;
        if (NET_API_STATUS status =
                ConvertServerStatistics(answer->answer, answer->localUtcSeconds, &remote, &cause)) {
            SetLastError(cause);
            return status;
        }
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
