// Instants and lengths of time in whole seconds, both signed 32 bits.
#pragma once

#include <cstdint>
#include <string>

// An instant: seconds since 1970-01-01 00:00:00 UTC. Values 0 to 2147483647
// (2038-01-19 03:14:07 UTC) are instants with a text form; negative values
// can be held and computed with but have none. -1 is the error value of
// MakeLocalTime.
struct TimeStamp {
    int32_t seconds;
};

// A signed length of time in seconds.
struct TimeSpan {
    int32_t seconds;
};

constexpr TimeStamp kInvalidTime{-1};

// Takes the count as it is, unvalidated. An unsigned count of 2147483648 or
// more, converted bit for bit, becomes a negative instant.
constexpr TimeStamp MakeTimeStamp(int32_t seconds) { return TimeStamp{seconds}; }
constexpr TimeSpan MakeTimeSpan(int32_t seconds) { return TimeSpan{seconds}; }

// Plain 32-bit subtractions, modulo 2^32 and read as signed; no overflow
// test and no error value.
constexpr TimeSpan operator-(TimeStamp a, TimeStamp b) {
    return TimeSpan{static_cast<int32_t>(static_cast<uint32_t>(a.seconds) - static_cast<uint32_t>(b.seconds))};
}
constexpr TimeStamp& operator-=(TimeStamp& a, TimeSpan s) {
    a.seconds = static_cast<int32_t>(static_cast<uint32_t>(a.seconds) - static_cast<uint32_t>(s.seconds));
    return a;
}

// Days from 1970-01-01 to the given Gregorian date (negative before it).
constexpr int64_t CountDaysFromEpoch(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}
static_assert(CountDaysFromEpoch(1970, 1, 1) == 0);
static_assert(CountDaysFromEpoch(2038, 1, 19) * 86400 + 3 * 3600 + 14 * 60 + 7 == 2147483647);

// An instant from calendar fields read as local time. Fields outside their
// usual ranges carry into the next larger one (month 13 is January of the
// next year, day 0 the last day of the month before). The year must lie in
// 1969-2039, before and after the month carry. daylight: positive, the
// fields are daylight time; 0, standard time; negative, the local rules
// decide. Gives -1 for a year out of range, a count that leaves 32 bits,
// or an instant outside 0-2147483647.
TimeStamp MakeLocalTime(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes, int32_t seconds,
                        int32_t daylight = -1);

// An instant from calendar fields given in UTC, such as a remote clock's:
// the same year tests, carries and overflow tests as MakeLocalTime, with no
// offset added, so that every instant 0-2147483647 can be given and comes
// out exact in any zone. Gives -1 where MakeLocalTime under UTC would.
TimeStamp MakeUtcTime(int32_t year, int32_t month, int32_t day, int32_t hours, int32_t minutes, int32_t seconds);

// The instant in local time, driven by a format: %A weekday, %B month name,
// %d day 01-31, %Y year, %H hour 00-23, %M minute, %S second, %% a '%'; any
// other character after a '%' gives nothing. Negative instants, an empty
// expansion and a failed conversion give the empty text. At most 127
// characters.
std::wstring FormatDate(TimeStamp time, const char* format);

// The span driven by a format: %D days ("%ld"), %H hours, %M minutes and %S
// seconds of the span (each "%02d", every part truncated toward zero, so a
// negative span has parts that are zero or negative). A '%' before any other
// character gives that character. At most 127 characters.
std::wstring FormatSpan(TimeSpan span, const char* format);
