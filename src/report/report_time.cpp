#include <string>

#include "../front/console.h"
#include "../time/time_value.h"
#include "report.h"

namespace {

const char kDateFormat[] = "%A, %B %d, %Y - %H:%M:%S";
const char kStartedFormat[] = "%A, %B %d, %Y - %H:%M:%S\n\n";
const char kSpanFormat[] = "%D Days - %H Hours - %M Minutes - %S Seconds\n\n";

// Written once, on the failure path, and kept for the rest of the run.
WCHAR messageBuffer[256];

void WriteLine(const std::wstring& line) { WriteWide(line.c_str()); }

// The exact instant of a clock given as UTC fields. No local offset takes
// part: one in whole minutes would lose the seconds of a zone such as
// "ABC-1:00:30", and one added before the range test would refuse valid
// clocks near 1970 or 2038 depending on the zone.
TimeStamp ReadUtcFields(const TIME_OF_DAY_INFO& tod) {
    return MakeUtcTime(static_cast<int32_t>(tod.tod_year), static_cast<int32_t>(tod.tod_month),
                       static_cast<int32_t>(tod.tod_day), static_cast<int32_t>(tod.tod_hours),
                       static_cast<int32_t>(tod.tod_mins), static_cast<int32_t>(tod.tod_secs));
}

}  // namespace

NET_API_STATUS ReportFailure(LPCWSTR serverName, HANDLE console, NET_API_STATUS status, DWORD lastError) {
    ClearScreen(console);
    // The clearing may leave a code of its own; the block describes the query.
    SetLastError(lastError);
    LPCWSTR message = FormatSystemMessage(messageBuffer, sizeof messageBuffer / sizeof messageBuffer[0], status);
    WriteLine(std::wstring(L"\n\tUnable to get time information from: ") + serverName + L".\n\n\tSystem Message:\n\t" +
              message + L"\n");
    return status;
}

NET_API_STATUS ReportTimeInformation(LPWSTR serverName, HANDLE console) {
    LPBYTE timeBuffer = nullptr;
    SetLastError(ERROR_SUCCESS);  // A code left by an earlier call says nothing about this query.
    NET_API_STATUS status = NetRemoteTOD(serverName, &timeBuffer);
    if (status != NERR_Success) {
        const DWORD queryError = GetLastError();
        if (timeBuffer != nullptr) NetApiBufferFree(timeBuffer);
        return ReportFailure(serverName, console, status, queryError);
    }

    ClearScreen(console);
    const TimeStamp current = ReadUtcFields(*reinterpret_cast<const TIME_OF_DAY_INFO*>(timeBuffer));
    if (current.seconds < 0) {
        NetApiBufferFree(timeBuffer);
        return ReportFailure(serverName, console, ERROR_UNEXP_NET_ERR, ERROR_SUCCESS);
    }

    WriteLine(std::wstring(L"\nTime Information For Machine: ") + serverName + L"\n");
    WriteLine(L"\n");
    WriteLine(L"   Current:\t" + FormatDate(current, kDateFormat) + L"\n");

    WCHAR service[13] = L"LanmanServer";
    LPBYTE statisticsBuffer = nullptr;
    SetLastError(ERROR_SUCCESS);
    status = NetStatisticsGet(serverName, service, 0, 0, &statisticsBuffer);
    if (status != NERR_Success) {
        const DWORD queryError = GetLastError();
        if (statisticsBuffer != nullptr) NetApiBufferFree(statisticsBuffer);
        NetApiBufferFree(timeBuffer);
        return ReportFailure(serverName, console, status, queryError);
    }

    // The start time is an unsigned count, taken bit for bit.
    const TimeStamp started =
        MakeTimeStamp(static_cast<int32_t>(reinterpret_cast<const STAT_SERVER_0*>(statisticsBuffer)->sts0_start));
    const TimeSpan running = current - started;
    WriteLine(L"\n");
    WriteLine(L"   Started:\t" + FormatDate(started, kStartedFormat));
    WriteLine(L"   Running:\t" + FormatSpan(running, kSpanFormat));

    NetApiBufferFree(statisticsBuffer);
    NetApiBufferFree(timeBuffer);
    return NERR_Success;
}
