#include <initializer_list>
#include <utility>

#include "field_seconds.h"
#include "time_value.h"

namespace {

bool IsAcceptedYear(int64_t yearsSince1900) { return yearsSince1900 >= 69 && yearsSince1900 <= 139; }

bool FitsInt32(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

}  // namespace

bool CountFieldSeconds(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes, int32_t seconds,
                       int64_t* count) {
    int64_t y = int64_t{year} - 1900;
    int64_t m = int64_t{month} - 1;
    if (!IsAcceptedYear(y)) return false;
    if (m < 0 || m > 11) {
        y += m / 12;
        m %= 12;
        if (m < 0) {
            m += 12;
            --y;
        }
        if (!IsAcceptedYear(y)) return false;
    }

    int64_t t = CountDaysFromEpoch(y + 1900, m + 1, 1) + (int64_t{day} - 1);
    if (!FitsInt32(t)) return false;
    for (auto [factor, addend] : {std::pair<int64_t, int64_t>{24, hours}, {60, minutes}, {60, seconds}}) {
        t *= factor;
        if (!FitsInt32(t)) return false;
        t += addend;
        if (!FitsInt32(t)) return false;
    }
    *count = t;
    return true;
}
