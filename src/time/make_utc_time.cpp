#include "field_seconds.h"
#include "time_value.h"

// The rules of MakeLocalTime with the local offset left out: no offset may
// push a valid instant out of range, or take seconds off it.
TimeStamp MakeUtcTime(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes, int32_t seconds) {
    int64_t t = 0;
    if (!CountFieldSeconds(year, month, day, hours, minutes, seconds, &t) || t < 0) return kInvalidTime;
    return MakeTimeStamp(static_cast<int32_t>(t));
}
