// Local-time rules of the C runtime: "TZ" when the runtime can read it,
// else the system zone. They are read once, and the time values use them.
#include <cstdlib>
#include <ctime>

#include "../local_fields.h"
#include "../platform.h"
#include "runtime_zone.h"

namespace {

struct LocalRules {
    long standardOffset;  // Seconds west of UTC.
    long daylightShift;   // Seconds.
};

const LocalRules& GetRules() {
    static const LocalRules rules = [] {
        // An empty "TZ", or one the runtime would misread without a word (an
        // IANA name, a POSIX rule), gives the system zone: with "TZ" removed
        // from this process's environment the runtime asks the system.
        const char* zone = getenv("TZ");
        if (zone != nullptr && !IsRuntimeZoneText(zone)) _putenv("TZ=");
        _tzset();
        const long offset = _timezone;
        const long bias = _dstbias;  // Negative: daylight time is earlier in UTC.
        return LocalRules{offset, bias != 0 ? -bias : 3600};
    }();
    return rules;
}

}  // namespace

long GetLocalStandardOffset() { return GetRules().standardOffset; }

long GetLocalDaylightShift() { return GetRules().daylightShift; }

bool BreakDownLocalTime(long long utcSeconds, LOCAL_TIME* local) {
    GetRules();
    tm fields{};
    const __time64_t t = utcSeconds;
    if (local == nullptr || utcSeconds < 0 || _localtime64_s(&fields, &t) != 0) return false;
    *local = MakeLocalFields(fields);
    return true;
}
