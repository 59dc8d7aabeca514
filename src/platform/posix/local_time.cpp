// Local-time rules of the C library: "TZ" when set and not empty, else the
// system zone. They are read once, and the time values use them.
#include <cstdlib>
#include <ctime>
#include <initializer_list>

#include "../local_fields.h"
#include "../platform.h"

namespace {

struct LocalRules {
    long standardOffset;  // Seconds west of UTC.
    long daylightShift;   // Seconds.
};

bool BreakDown(long long utcSeconds, tm* fields) {
    time_t t = static_cast<time_t>(utcSeconds);
    if (static_cast<long long>(t) != utcSeconds) return false;
    return localtime_r(&t, fields) != nullptr;
}

const LocalRules& GetRules() {
    static const LocalRules rules = [] {
        // The C library reads an empty "TZ" as UTC; here, as on Windows, it
        // means the system zone, which is what an unset "TZ" gives.
        const char* zone = getenv("TZ");
        if (zone != nullptr && *zone == '\0') unsetenv("TZ");
        tzset();
        LocalRules found{timezone, 3600};
        // The shift is what daylight time adds to the standard offset; find
        // an instant in daylight time within the year around now.
        long long now = static_cast<long long>(time(nullptr));
        for (long long probe : {now, now - 182LL * 86400, now + 182LL * 86400}) {
            tm fields{};
            if (BreakDown(probe, &fields) && fields.tm_isdst > 0) {
                found.daylightShift = fields.tm_gmtoff + found.standardOffset;
                break;
            }
        }
        return found;
    }();
    return rules;
}

}  // namespace

long GetLocalStandardOffset() { return GetRules().standardOffset; }

long GetLocalDaylightShift() { return GetRules().daylightShift; }

bool BreakDownLocalTime(long long utcSeconds, LOCAL_TIME* local) {
    GetRules();
    tm fields{};
    if (local == nullptr || !BreakDown(utcSeconds, &fields)) return false;
    *local = MakeLocalFields(fields);
    return true;
}
