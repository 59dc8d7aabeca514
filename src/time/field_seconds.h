// Internal to the time values: calendar fields as a count of seconds.
#pragma once

#include <cstdint>

// Seconds from 1970-01-01 00:00:00 to the fields, read with no offset.
// Fields outside their usual ranges carry into the next larger one; the
// year must lie in 1969-2039 before and after the month carry, and each
// step of the count must stay within 32 bits, as the count itself must.
// false when any of that fails.
bool CountFieldSeconds(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes, int32_t seconds,
                       int64_t* count);
