// Which "TZ" values go to the C runtime on Windows; every other value,
// which the runtime would misread without a word, gives the system zone.
#include <gtest/gtest.h>

#include "platform/win/runtime_zone.h"

namespace {

TEST(RuntimeZone, TheRuntimesOwnFormIsRead) {
    for (const char* zone : {"UTC", "GMT", "UTC0", "EST5", "EST5EDT", "est5edt", "PST8PDT", "EST+5", "IST-5:30", "XYZ-05:30:15",
                             "ABC24", "ABC-24:59:59"})
        EXPECT_TRUE(IsRuntimeZoneText(zone)) << zone;
}

TEST(RuntimeZone, OtherValuesAreNot) {
    for (const char* zone : {"", "EST", "utc", "UTCX", "America/New_York", ":America/New_York", "Europe/Paris",
                             "CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT,M3.2.0,M11.1.0", "CEST-2", "EST5ED", "EST5EDTX",
                             "EST 5", "EST+", "EST25", "EST123", "EST5:60", "EST5:", "EST5:30:15:00", "ES5",
                             "E1T5", "EST5EDT "})
        EXPECT_FALSE(IsRuntimeZoneText(zone)) << zone;
    EXPECT_FALSE(IsRuntimeZoneText(nullptr));
}

}  // namespace
