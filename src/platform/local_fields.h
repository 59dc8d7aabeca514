// Internal to the platform layer: the C runtime's broken-down local time as
// the tool's local fields.
#pragma once

#include <ctime>

#include "platform.h"

inline LOCAL_TIME MakeLocalFields(const tm& fields) {
    return LOCAL_TIME{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                      fields.tm_min,         fields.tm_sec,     fields.tm_wday, fields.tm_isdst > 0};
}
