// Internal to the platform layer: this machine's own clock and start time.
#pragma once

#include "../platform.h"

void GetLocalTimeOfDay(TIME_OF_DAY_INFO* info);

// Boot time of this machine, seconds since 1970-01-01 00:00:00 UTC.
DWORD GetLocalStartTime();
