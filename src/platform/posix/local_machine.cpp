#include "local_machine.h"

#include <ctime>

namespace {

long long ToNanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

long long FloorDivide(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

void GetLocalTimeOfDay(TIME_OF_DAY_INFO* info) {
    timespec now{}, sinceBoot{};
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_BOOTTIME, &sinceBoot);
    time_t seconds = now.tv_sec;
    tm utc{};
    gmtime_r(&seconds, &utc);
    LOCAL_TIME local{};
    BreakDownLocalTime(static_cast<long long>(seconds), &local);
    long westSeconds = GetLocalStandardOffset() - (local.daylight ? GetLocalDaylightShift() : 0);

    *info = TIME_OF_DAY_INFO{};
    info->tod_elapsedt = static_cast<DWORD>(seconds);
    info->tod_msecs = static_cast<DWORD>(ToNanoseconds(sinceBoot) / 1000000);
    info->tod_hours = static_cast<DWORD>(utc.tm_hour);
    info->tod_mins = static_cast<DWORD>(utc.tm_min);
    info->tod_secs = static_cast<DWORD>(utc.tm_sec);
    info->tod_hunds = static_cast<DWORD>(now.tv_nsec / 10000000);
    info->tod_timezone = static_cast<LONG>(westSeconds / 60);
    info->tod_tinterval = 10;  // One millisecond, the resolution given here.
    info->tod_day = static_cast<DWORD>(utc.tm_mday);
    info->tod_month = static_cast<DWORD>(utc.tm_mon + 1);
    info->tod_year = static_cast<DWORD>(utc.tm_year + 1900);
    info->tod_weekday = static_cast<DWORD>(utc.tm_wday);
}

DWORD GetLocalStartTime() {
    timespec now{}, sinceBoot{};
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_BOOTTIME, &sinceBoot);
    return static_cast<DWORD>(FloorDivide(ToNanoseconds(now) - ToNanoseconds(sinceBoot), 1000000000LL));
}
