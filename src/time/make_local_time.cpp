#include <cstdint>

#include "../platform/platform.h"
#include "field_seconds.h"
#include "time_value.h"

TimeStamp MakeLocalTime(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes, int32_t seconds,
                        int32_t daylight) {
    int64_t t = 0;
    if (!CountFieldSeconds(year, month, day, hours, minutes, seconds, &t)) return kInvalidTime;

    int64_t utc = t + GetLocalStandardOffset();
    LOCAL_TIME local{};
    if (daylight > 0 || (daylight < 0 && BreakDownLocalTime(utc, &local) && local.daylight))
        utc -= GetLocalDaylightShift();
    if (utc < 0 || utc > INT32_MAX) return kInvalidTime;
    return MakeTimeStamp(static_cast<int32_t>(utc));
}
