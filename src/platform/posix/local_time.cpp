// Local-time rules of the C library: "TZ" when set and not empty, else the
// system zone. They are read once; GetTimeZoneInformation and the time
// values use the same.
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

void WidenZoneName(const char* name, WCHAR* out, size_t capacity) {
    size_t i = 0;
    for (; name != nullptr && name[i] != '\0' && i + 1 < capacity; ++i) out[i] = static_cast<unsigned char>(name[i]);
    out[i] = 0;
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

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation) {
    const LocalRules& rules = GetRules();
    *lpTimeZoneInformation = TIME_ZONE_INFORMATION{};
    lpTimeZoneInformation->Bias = static_cast<LONG>(rules.standardOffset / 60);
    lpTimeZoneInformation->DaylightBias = static_cast<LONG>(-rules.daylightShift / 60);
    WidenZoneName(tzname[0], lpTimeZoneInformation->StandardName, 32);
    WidenZoneName(tzname[1], lpTimeZoneInformation->DaylightName, 32);
    if (!daylight) return TIME_ZONE_ID_UNKNOWN;
    LOCAL_TIME now{};
    BreakDownLocalTime(static_cast<long long>(time(nullptr)), &now);
    return now.daylight ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}
