// Time values under fixed local-time rules. The rules are read once per
// process, so CTest runs this binary once per zone, choosing the suites that
// belong to that zone by filter: AnyZone everywhere, Utc under "UTC0",
// FiveWest under "EST5", Daylight under "EST5EDT,M3.2.0,M11.1.0", NineEast
// under "JST-9" and OddOffset under "ABC-1:00:30".
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/platform.h"
#include "time/time_value.h"

namespace {

const char kDateFormat[] = "%A, %B %d, %Y - %H:%M:%S";

struct Fields {
    int32_t year, month, day, hours, minutes, seconds, daylight;
};

std::string Describe(const Fields& f) {
    return std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day) + " " +
           std::to_string(f.hours) + ":" + std::to_string(f.minutes) + ":" + std::to_string(f.seconds) + " dst " +
           std::to_string(f.daylight);
}

int32_t Make(const Fields& f) {
    return MakeLocalTime(f.year, f.month, f.day, f.hours, f.minutes, f.seconds, f.daylight).seconds;
}

// The same fields read as UTC; the daylight flag plays no part.
int32_t MakeUtc(const Fields& f) { return MakeUtcTime(f.year, f.month, f.day, f.hours, f.minutes, f.seconds).seconds; }

struct MakeCase {
    Fields fields;
    int32_t expected;
};

void ExpectMakeCases(const MakeCase* begin, const MakeCase* end) {
    for (const MakeCase* c = begin; c != end; ++c) EXPECT_EQ(Make(c->fields), c->expected) << Describe(c->fields);
}

// --- Zone-independent: the year tests, carries and arithmetic ---

TEST(AnyZone, YearIsTestedBeforeAndAfterTheMonthCarry) {
    const Fields rejected[] = {
        {1968, 1, 1, 0, 0, 0, -1},   {1968, 13, 1, 0, 0, 0, -1},  // Tested before the carry.
        {2040, 1, 1, 0, 0, 0, -1},   {2040, -1, 1, 0, 0, 0, -1},  {1969, -11, 1, 0, 0, 0, -1},  // Carried into 1968.
        {2039, 13, 1, 0, 0, 0, -1},  {INT32_MIN, 1, 1, 0, 0, 0, 0}, {INT32_MAX, 1, 1, 0, 0, 0, 0},
        {2000, INT32_MAX, 1, 0, 0, 0, 0}, {2000, INT32_MIN, 1, 0, 0, 0, 0},
        // Days that carry back into the range the instants cover: only the
        // year tests themselves refuse these.
        {1968, 13, 400, 0, 0, 0, 0},   // 1969-01-01 + 399 days, before the carry.
        {2040, -1, -700, 0, 0, 0, 0},  // 2039-11-01 - 701 days, before the carry.
        {1969, -11, 800, 0, 0, 0, 0},  // 1968-01-01 + 799 days, after the carry.
        {2039, 13, -720, 0, 0, 0, 0},  // 2040-01-01 - 721 days, after the carry.
    };
    for (const Fields& f : rejected) {
        EXPECT_EQ(Make(f), -1) << Describe(f);
        EXPECT_EQ(MakeUtc(f), -1) << Describe(f);
    }
}

TEST(AnyZone, OutOfRangeFieldsCarry) {
    const struct {
        Fields given, same;
    } cases[] = {
        {{1996, 13, 1, 0, 0, 0, 0}, {1997, 1, 1, 0, 0, 0, 0}},
        {{1997, 0, 1, 0, 0, 0, 0}, {1996, 12, 1, 0, 0, 0, 0}},
        {{1997, -12, 1, 0, 0, 0, 0}, {1995, 12, 1, 0, 0, 0, 0}},
        {{1996, 25, 1, 0, 0, 0, 0}, {1998, 1, 1, 0, 0, 0, 0}},
        {{1996, 1, 32, 0, 0, 0, 0}, {1996, 2, 1, 0, 0, 0, 0}},
        {{1996, 3, 0, 0, 0, 0, 0}, {1996, 2, 29, 0, 0, 0, 0}},
        {{1997, 3, 0, 0, 0, 0, 0}, {1997, 2, 28, 0, 0, 0, 0}},
        {{2000, 3, 0, 0, 0, 0, 0}, {2000, 2, 29, 0, 0, 0, 0}},
        {{1996, 1, 1, 24, 0, 0, 0}, {1996, 1, 2, 0, 0, 0, 0}},
        {{1996, 1, 1, 0, 0, -1, 0}, {1995, 12, 31, 23, 59, 59, 0}},
        {{1996, 1, 1, 0, -61, 0, 0}, {1995, 12, 31, 22, 59, 0, 0}},
        {{1996, 1, 1, 0, 0, 86400, 0}, {1996, 1, 2, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Make(c.given), Make(c.same)) << Describe(c.given);
        EXPECT_NE(Make(c.given), -1) << Describe(c.given);
        EXPECT_EQ(MakeUtc(c.given), MakeUtc(c.same)) << Describe(c.given);
        EXPECT_NE(MakeUtc(c.given), -1) << Describe(c.given);
    }
}

TEST(AnyZone, OverflowInAnyStepGivesTheErrorValue) {
    const Fields overflowing[] = {
        {2039, 6, 1, 0, 0, 0, 0},          {2000, 1, INT32_MAX, 0, 0, 0, 0}, {2000, 1, INT32_MIN, 0, 0, 0, 0},
        {2000, 1, 1, INT32_MAX, 0, 0, 0},  {2000, 1, 1, 0, INT32_MAX, 0, 0}, {2000, 1, 1, 0, 0, INT32_MAX, 0},
        {2000, 1, 1, 0, 0, INT32_MIN, 0},  {1970, 1, 1, INT32_MIN, 0, 0, 0},
        // An overflow that the next field would bring back into range: in 64
        // bits these give 16 hours, 52 minutes and 52 seconds after 1970.
        {1970, 1, 89478487, INT32_MIN, 0, 0, 0},  // days x 24
        {1970, 1, 1, 35791395, INT32_MIN, 0, 0},  // hours x 60
        {1970, 1, 1, 0, 35791395, INT32_MIN, 0},  // minutes x 60
    };
    for (const Fields& f : overflowing) {
        EXPECT_EQ(Make(f), -1) << Describe(f);
        EXPECT_EQ(MakeUtc(f), -1) << Describe(f);
    }
}

// UTC fields give the same instant in every zone, over the whole range.
TEST(AnyZone, MakeUtcTimeEdges) {
    const MakeCase cases[] = {
        {{1970, 1, 1, 0, 0, 0, 0}, 0},
        {{1969, 12, 31, 23, 59, 59, 0}, -1},
        {{1969, 13, 1, 0, 0, 0, 0}, 0},
        {{2038, 1, 19, 3, 14, 7, 0}, 2147483647},
        {{2038, 1, 19, 3, 14, 8, 0}, -1},
        {{1996, 2, 29, 12, 0, 0, 0}, 825595200},
        {{2026, 7, 1, 12, 0, 0, 0}, 1782907200},
        {{2026, 12, 11, 12, 36, 50, 1}, 1796992610},
    };
    for (const MakeCase& c : cases) EXPECT_EQ(MakeUtc(c.fields), c.expected) << Describe(c.fields);
}

TEST(AnyZone, SubtractionWrapsModulo32Bits) {
    const struct {
        int32_t a, b, difference;
    } cases[] = {
        {100, 40, 60},
        {40, 100, -60},
        {INT32_MIN, 1, INT32_MAX},
        {INT32_MAX, -1, INT32_MIN},
        {-1, -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((MakeTimeStamp(c.a) - MakeTimeStamp(c.b)).seconds, c.difference) << c.a << " - " << c.b;
        TimeStamp t = MakeTimeStamp(c.a);
        TimeStamp& result = (t -= MakeTimeSpan(c.b));
        EXPECT_EQ(&result, &t);
        EXPECT_EQ(t.seconds, c.difference);
    }
}

TEST(AnyZone, UnsignedCountsAboveTheRangeBecomeNegative) {
    const uint32_t count = 0x80000000u;
    EXPECT_EQ(MakeTimeStamp(static_cast<int32_t>(count)).seconds, INT32_MIN);
    EXPECT_EQ(FormatDate(MakeTimeStamp(static_cast<int32_t>(count)), kDateFormat), L"");
}

TEST(AnyZone, NegativeInstantsHaveNoText) {
    for (int32_t seconds : {-1, -2, INT32_MIN}) EXPECT_EQ(FormatDate(MakeTimeStamp(seconds), kDateFormat), L"");
    EXPECT_EQ(FormatDate(MakeTimeStamp(0), ""), L"");
    EXPECT_EQ(FormatDate(MakeTimeStamp(0), "%q"), L"");  // An empty expansion.
}

TEST(AnyZone, FormatSpanTable) {
    const char format[] = "%D Days - %H Hours - %M Minutes - %S Seconds\n\n";
    const struct {
        int32_t seconds;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 Days - 00 Hours - 00 Minutes - 00 Seconds\n\n"},
        {90061, L"1 Days - 01 Hours - 01 Minutes - 01 Seconds\n\n"},
        {86399, L"0 Days - 23 Hours - 59 Minutes - 59 Seconds\n\n"},
        {86400, L"1 Days - 00 Hours - 00 Minutes - 00 Seconds\n\n"},
        {2147483647, L"24855 Days - 03 Hours - 14 Minutes - 07 Seconds\n\n"},
        {-1800, L"0 Days - 00 Hours - -30 Minutes - 00 Seconds\n\n"},
        {-90061, L"-1 Days - -1 Hours - -1 Minutes - -1 Seconds\n\n"},
        {-5, L"0 Days - 00 Hours - 00 Minutes - -5 Seconds\n\n"},
        {INT32_MIN, L"-24855 Days - -3 Hours - -14 Minutes - -8 Seconds\n\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatSpan(MakeTimeSpan(c.seconds), format), c.text) << c.seconds;
}

TEST(AnyZone, FormatSpanCodes) {
    const struct {
        const char* format;
        const wchar_t* text;
    } cases[] = {
        {"", L""},
        {"%D", L"1"},
        {"%H", L"01"},
        {"%M", L"01"},
        {"%S", L"01"},
        {"[%S|%S]", L"[01|01]"},
        {"%S%D", L"011"},
        {"%%", L"%"},
        {"%d %h %m %s", L"d h m s"},  // Codes are capitals only.
        {"%x%", L"x"},
        {"plain", L"plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatSpan(MakeTimeSpan(90061), c.format), c.text) << c.format;
}

TEST(AnyZone, ResultsStopAt127Characters) {
    const std::string longFormat(200, 'x');
    EXPECT_EQ(FormatSpan(MakeTimeSpan(0), longFormat.c_str()), std::wstring(127, L'x'));
    EXPECT_EQ(FormatDate(MakeTimeStamp(0), longFormat.c_str()), std::wstring(127, L'x'));
}

// --- Offset 0, no daylight time ---

TEST(Utc, MakeLocalTimeEdges) {
    const MakeCase cases[] = {
        {{1970, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 1, 0, 0, 0, -1}, 0},
        {{1969, 12, 31, 23, 59, 59, 0}, -1},
        {{1969, 13, 1, 0, 0, 0, 0}, 0},
        {{2038, 1, 19, 3, 14, 7, 0}, 2147483647},
        {{2038, 1, 19, 3, 14, 8, 0}, -1},
        {{1996, 2, 29, 12, 0, 0, 0}, 825595200},
        {{2026, 12, 11, 12, 36, 50, -1}, 1796992610},
        {{1970, 1, 1, 0, 0, 0, 1}, -1},  // A positive flag shifts by an hour even here.
        {{1970, 1, 1, 1, 0, 0, 1}, 0},
    };
    ExpectMakeCases(std::begin(cases), std::end(cases));
}

TEST(Utc, FormatDateCodes) {
    const struct {
        int32_t seconds;
        const char* format;
        const wchar_t* text;
    } cases[] = {
        {0, kDateFormat, L"Thursday, January 01, 1970 - 00:00:00"},
        {2147483647, kDateFormat, L"Tuesday, January 19, 2038 - 03:14:07"},
        {825595200, kDateFormat, L"Thursday, February 29, 1996 - 12:00:00"},
        {0, "%A, %B %d, %Y - %H:%M:%S\n\n", L"Thursday, January 01, 1970 - 00:00:00\n\n"},
        {1796992610, "%A", L"Friday"},
        {1796992610, "%B", L"December"},
        {1796992610, "%d", L"11"},
        {1796992610, "%Y", L"2026"},
        {1796992610, "%H", L"12"},
        {1796992610, "%M", L"36"},
        {1796992610, "%S", L"50"},
        {1796992610, "%%", L"%"},
        {1796992610, "<%Y>", L"<2026>"},
        {1796992610, "%Y%q%d", L"202611"},  // Unknown codes give nothing.
        {1796992610, "%Y%", L"2026"},
        {3 * 86400 + 3723, "%A %H:%M:%S", L"Sunday 01:02:03"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDate(MakeTimeStamp(c.seconds), c.format), c.text) << c.format;
}

TEST(Utc, EveryWeekdayAndMonthName) {
    const wchar_t* weekdays[] = {L"Thursday", L"Friday",  L"Saturday", L"Sunday",
                                 L"Monday",   L"Tuesday", L"Wednesday"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(FormatDate(MakeTimeStamp(day * 86400), "%A"), weekdays[day]) << day;
    const wchar_t* months[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                               L"July",    L"August",   L"September", L"October", L"November", L"December"};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(FormatDate(MakeLocalTime(2001, month, 15, 0, 0, 0), "%B"), months[month - 1]) << month;
}

TEST(Utc, StandardOffsetIsZero) { EXPECT_EQ(GetLocalStandardOffset(), 0); }

// --- Five hours west of UTC, no daylight time ---

TEST(FiveWest, MakeLocalTimeEdges) {
    const MakeCase cases[] = {
        {{1969, 12, 31, 19, 0, 0, 0}, 0},
        {{1969, 12, 31, 18, 59, 59, 0}, -1},
        {{1970, 1, 1, 0, 0, 0, -1}, 18000},
        {{1970, 1, 1, 0, 0, 0, 1}, 14400},  // A positive flag shifts outside any daylight period.
        {{2038, 1, 18, 22, 14, 7, 0}, 2147483647},
        {{2038, 1, 18, 22, 14, 8, 0}, -1},
    };
    ExpectMakeCases(std::begin(cases), std::end(cases));
}

TEST(FiveWest, FormatDateBeforeTheEpochLocally) {
    EXPECT_EQ(FormatDate(MakeTimeStamp(0), kDateFormat), L"Wednesday, December 31, 1969 - 19:00:00");
    EXPECT_EQ(FormatDate(MakeTimeStamp(2147483647), kDateFormat), L"Monday, January 18, 2038 - 22:14:07");
}

TEST(FiveWest, StandardOffset) { EXPECT_EQ(GetLocalStandardOffset(), 18000); }

// --- Nine hours east of UTC, no daylight time ---

TEST(NineEast, MakeLocalTimeEdges) {
    const MakeCase cases[] = {
        {{1970, 1, 1, 9, 0, 0, 0}, 0},
        {{1970, 1, 1, 8, 59, 59, 0}, -1},
        // The local count itself must fit 32 bits: the last instant's local
        // fields overflow, and the last fields that fit are 9 hours short.
        {{2038, 1, 19, 12, 14, 7, 0}, -1},
        {{2038, 1, 19, 3, 14, 7, 0}, 2147483647 - 9 * 3600},
    };
    ExpectMakeCases(std::begin(cases), std::end(cases));
    EXPECT_EQ(FormatDate(MakeTimeStamp(0), kDateFormat), L"Thursday, January 01, 1970 - 09:00:00");
    EXPECT_EQ(FormatDate(MakeTimeStamp(2147483647), kDateFormat), L"Tuesday, January 19, 2038 - 12:14:07");
}

// --- An offset with seconds: one hour and 30 seconds east ---

TEST(OddOffset, MakeLocalTimeKeepsTheSeconds) {
    const MakeCase cases[] = {
        {{1970, 1, 1, 1, 0, 30, 0}, 0},
        {{1970, 1, 1, 1, 0, 29, 0}, -1},
        {{2026, 7, 1, 13, 0, 30, -1}, 1782907200},
    };
    ExpectMakeCases(std::begin(cases), std::end(cases));
    EXPECT_EQ(FormatDate(MakeTimeStamp(0), kDateFormat), L"Thursday, January 01, 1970 - 01:00:30");
    EXPECT_EQ(GetLocalStandardOffset(), -3630);
}

// --- Five hours west with daylight time from March to November ---

TEST(Daylight, MakeLocalTimeFollowsTheFlag) {
    const int32_t noonUtcJuly = 1782907200;    // 2026-07-01 12:00:00 UTC
    const int32_t noonUtcJanuary = 1768478400;  // 2026-01-15 12:00:00 UTC
    const MakeCase cases[] = {
        {{2026, 7, 1, 8, 0, 0, -1}, noonUtcJuly},
        {{2026, 7, 1, 8, 0, 0, 1}, noonUtcJuly},
        {{2026, 7, 1, 7, 0, 0, 0}, noonUtcJuly},  // 0 never shifts, even in summer.
        {{2026, 1, 15, 7, 0, 0, -1}, noonUtcJanuary},
        {{2026, 1, 15, 7, 0, 0, 0}, noonUtcJanuary},
        {{2026, 1, 15, 8, 0, 0, 1}, noonUtcJanuary},  // 1 shifts, even in winter.
    };
    ExpectMakeCases(std::begin(cases), std::end(cases));
}

TEST(Daylight, FormatDateShowsTheFieldsItWasMadeFrom) {
    const struct {
        Fields fields;
        const wchar_t* text;
    } cases[] = {
        {{2026, 7, 1, 8, 0, 0, -1}, L"Wednesday, July 01, 2026 - 08:00:00"},
        {{2026, 1, 15, 7, 30, 5, -1}, L"Thursday, January 15, 2026 - 07:30:05"},
        {{2026, 3, 8, 1, 59, 59, -1}, L"Sunday, March 08, 2026 - 01:59:59"},
        {{2026, 3, 8, 3, 0, 0, -1}, L"Sunday, March 08, 2026 - 03:00:00"},
        {{2026, 12, 31, 23, 59, 59, -1}, L"Thursday, December 31, 2026 - 23:59:59"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDate(MakeTimeStamp(Make(c.fields)), kDateFormat), c.text);
}

TEST(Daylight, StandardOffsetAndDaylightShift) {
    EXPECT_EQ(GetLocalStandardOffset(), 18000);
    EXPECT_EQ(GetLocalDaylightShift(), 3600);
}

}  // namespace
