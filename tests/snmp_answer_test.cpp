// Turning an agent's values into the time-of-day and statistics records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/snmp/snmp_answer.h"
#include "platform/snmp/snmp_peer.h"

namespace {

SnmpVariable Octets(std::vector<unsigned char> bytes) {
    SnmpVariable v;
    v.type = kSnmpOctetString;
    v.octets = std::move(bytes);
    return v;
}

SnmpVariable Ticks(int64_t ticks) {
    SnmpVariable v;
    v.type = kSnmpTimeTicks;
    v.number = ticks;
    return v;
}

SnmpVariable Integer(int64_t value) {
    SnmpVariable v;
    v.type = kSnmpInteger;
    v.number = value;
    return v;
}

SnmpVariable OfType(int type) {
    SnmpVariable v;
    v.type = type;
    return v;
}

const SnmpVariable kMissing = OfType(kSnmpNoSuchObject);

// Local fields of a DateAndTime, with an optional offset.
std::vector<unsigned char> Date(int year, int month, int day, int hour, int minute, int second, int deci = 0,
                                int direction = 0, int offsetHours = 0, int offsetMinutes = 0) {
    std::vector<unsigned char> o = {static_cast<unsigned char>(year >> 8), static_cast<unsigned char>(year & 0xFF),
                                    static_cast<unsigned char>(month),     static_cast<unsigned char>(day),
                                    static_cast<unsigned char>(hour),      static_cast<unsigned char>(minute),
                                    static_cast<unsigned char>(second),    static_cast<unsigned char>(deci)};
    if (direction != 0) {
        o.push_back(static_cast<unsigned char>(direction));
        o.push_back(static_cast<unsigned char>(offsetHours));
        o.push_back(static_cast<unsigned char>(offsetMinutes));
    }
    return o;
}

SnmpAnswer WithDate(SnmpVariable date) {
    SnmpAnswer answer;
    answer.systemDate = std::move(date);
    return answer;
}

constexpr int64_t kNoon = 1782907200;  // 2026-07-01 12:00:00 UTC, this machine's clock in most cases.

TEST(SnmpAnswer, DateAndTimeInUtc) {
    const struct {
        const char* what;
        std::vector<unsigned char> date;
        int64_t localClock;
        DWORD year, month, day, hours, minutes, seconds, hundredths, weekday, elapsed;
        LONG westMinutes;
    } cases[] = {
        {"east offset", Date(2026, 7, 1, 12, 0, 0, 0, '+', 2, 0), kNoon, 2026, 7, 1, 10, 0, 0, 0, 3, 1782900000, -120},
        {"west offset", Date(2026, 7, 1, 12, 0, 0, 0, '-', 5, 30), kNoon, 2026, 7, 1, 17, 30, 0, 0, 3, 1782927000, 330},
        {"zero offset", Date(2026, 7, 1, 12, 0, 0, 0, '+', 0, 0), kNoon, 2026, 7, 1, 12, 0, 0, 0, 3, 1782907200, 0},
        {"an offset is kept whatever this clock says", Date(2026, 7, 1, 12, 0, 0, 0, '+', 2, 0), kNoon + 86400 * 9,
         2026, 7, 1, 10, 0, 0, 0, 3, 1782900000, -120},
        {"east offset back a day", Date(2026, 7, 1, 1, 0, 0, 0, '+', 3, 0), kNoon, 2026, 6, 30, 22, 0, 0, 0, 2,
         1782856800, -180},
        {"west offset into next year", Date(2026, 12, 31, 23, 30, 0, 0, '-', 1, 0), kNoon, 2027, 1, 1, 0, 30, 0, 0, 5,
         1798763400, 60},
        {"east offset back a year", Date(2027, 1, 1, 0, 30, 0, 0, '+', 14, 0), kNoon, 2026, 12, 31, 10, 30, 0, 0, 4,
         1798713000, -840},
        {"leap day", Date(2028, 2, 29, 0, 0, 0, 0, '+', 0, 0), kNoon, 2028, 2, 29, 0, 0, 0, 0, 2, 1835395200, 0},
        {"leap second carries", Date(2016, 12, 31, 23, 59, 60, 0, '+', 0, 0), kNoon, 2017, 1, 1, 0, 0, 0, 0, 0,
         1483228800, 0},
        {"the epoch", Date(1970, 1, 1, 0, 0, 0, 0, '+', 0, 0), kNoon, 1970, 1, 1, 0, 0, 0, 0, 4, 0, 0},
        {"the last instant", Date(2038, 1, 19, 3, 14, 7, 0, '+', 0, 0), kNoon, 2038, 1, 19, 3, 14, 7, 0, 2,
         2147483647, 0},
        // 8 octets: local time, read with the quarter-hour offset nearest this clock;
        // the offset stays unknown to the record.
        {"8 octets, same clock", Date(2026, 7, 1, 12, 0, 0, 5), kNoon, 2026, 7, 1, 12, 0, 0, 50, 3, 1782907200, -1},
        {"8 octets, deci-seconds 9", Date(2026, 7, 1, 12, 0, 0, 9), kNoon, 2026, 7, 1, 12, 0, 0, 90, 3, 1782907200, -1},
        {"8 octets at +05:45", Date(2026, 7, 1, 17, 45, 0), kNoon, 2026, 7, 1, 12, 0, 0, 0, 3, 1782907200, -1},
        {"8 octets at -03:30", Date(2026, 7, 1, 8, 30, 0), kNoon, 2026, 7, 1, 12, 0, 0, 0, 3, 1782907200, -1},
        {"8 octets at +14:00", Date(2026, 7, 2, 2, 0, 0), kNoon, 2026, 7, 1, 12, 0, 0, 0, 3, 1782907200, -1},
        {"8 octets at -12:00", Date(2026, 7, 1, 0, 0, 0), kNoon, 2026, 7, 1, 12, 0, 0, 0, 3, 1782907200, -1},
        {"8 octets, 7 minutes ahead stays ahead", Date(2026, 7, 1, 12, 7, 0), kNoon, 2026, 7, 1, 12, 7, 0, 0, 3,
         1782907620, -1},
        {"8 octets, 8 minutes ahead reads a quarter hour off", Date(2026, 7, 1, 12, 8, 0), kNoon, 2026, 7, 1, 11, 53, 0,
         0, 3, 1782906780, -1},
        {"8 octets, +01:00 with this clock 7 minutes behind", Date(2026, 7, 1, 13, 0, 0), kNoon - 420, 2026, 7, 1, 12,
         0, 0, 0, 3, 1782907200, -1},
        {"8 octets, west of this clock across midnight", Date(2026, 6, 30, 19, 0, 0), kNoon - 43200 + 60, 2026, 7,
         1, 0, 0, 0, 0, 3, 1782864000, -1},
    };
    for (const auto& c : cases) {
        TIME_OF_DAY_INFO info{};
        DWORD cause = 77;
        ASSERT_EQ(ConvertTimeOfDay(WithDate(Octets(c.date)), c.localClock, &info, &cause), NERR_Success) << c.what;
        EXPECT_EQ(cause, 0u) << c.what;
        EXPECT_EQ(info.tod_year, c.year) << c.what;
        EXPECT_EQ(info.tod_month, c.month) << c.what;
        EXPECT_EQ(info.tod_day, c.day) << c.what;
        EXPECT_EQ(info.tod_hours, c.hours) << c.what;
        EXPECT_EQ(info.tod_mins, c.minutes) << c.what;
        EXPECT_EQ(info.tod_secs, c.seconds) << c.what;
        EXPECT_EQ(info.tod_hunds, c.hundredths) << c.what;
        EXPECT_EQ(info.tod_weekday, c.weekday) << c.what;
        EXPECT_EQ(info.tod_elapsedt, c.elapsed) << c.what;
        EXPECT_EQ(info.tod_timezone, c.westMinutes) << c.what;
    }
}

TEST(SnmpAnswer, MalformedOrMissingDates) {
    const struct {
        const char* what;
        SnmpVariable date;
        NET_API_STATUS status;
        DWORD cause;
    } cases[] = {
        {"no such object", OfType(kSnmpNoSuchObject), ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
        {"no such instance", OfType(kSnmpNoSuchInstance), ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
        {"end of view", OfType(kSnmpEndOfMibView), ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
        {"wrong type", Ticks(5), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATATYPE},
        {"an integer", Integer(1782907200), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATATYPE},
        {"empty", Octets({}), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"7 octets", Octets({0x07, 0xEA, 7, 1, 12, 0, 0}), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"9 octets", Octets({0x07, 0xEA, 7, 1, 12, 0, 0, 0, '+'}), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"12 octets", Octets({0x07, 0xEA, 7, 1, 12, 0, 0, 0, '+', 0, 0, 0}), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"65000 octets", Octets(std::vector<unsigned char>(65000, 1)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"month 0", Octets(Date(2026, 0, 1, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"month 13", Octets(Date(2026, 13, 1, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"day 0", Octets(Date(2026, 7, 0, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"June 31", Octets(Date(2026, 6, 31, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"February 29 in 2026", Octets(Date(2026, 2, 29, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"February 29 in 2100", Octets(Date(2100, 2, 29, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"hour 24", Octets(Date(2026, 7, 1, 24, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"minute 60", Octets(Date(2026, 7, 1, 12, 60, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"second 61", Octets(Date(2026, 7, 1, 12, 0, 61)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"deci-seconds 10", Octets(Date(2026, 7, 1, 12, 0, 0, 10)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"direction '?'", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '?', 2, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"direction NUL", Octets({0x07, 0xEA, 7, 1, 12, 0, 0, 0, 0, 2, 0}), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"offset 15 hours", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '+', 15, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"offset 14:30 east", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '+', 14, 30)), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATA},
        {"offset 14:01 west", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '-', 14, 1)), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATA},
        {"offset 60 minutes", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '-', 1, 60)), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATA},
        {"year 0, 8 octets", Octets(Date(0, 7, 1, 12, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"year 0, 11 octets", Octets(Date(0, 7, 1, 12, 0, 0, 0, '+', 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA},
        {"before 1970 in UTC", Octets(Date(1970, 1, 1, 0, 30, 0, 0, '+', 1, 0)), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_TIME},
        {"past 2038", Octets(Date(2040, 1, 1, 0, 0, 0, 0, '+', 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_TIME},
        {"one second past the last instant", Octets(Date(2038, 1, 19, 3, 14, 8, 0, '+', 0, 0)), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_TIME},
        {"beyond 32-bit seconds", Octets(Date(2106, 2, 8, 0, 0, 0, 0, '-', 0, 0)), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_TIME},
        {"year 65535", Octets(Date(65535, 12, 31, 23, 59, 59, 0, '+', 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_INVALID_TIME},
        // 8 octets with no quarter-hour offset from -12:00 to +14:00 that fits this clock.
        {"8 octets, 14:08 ahead", Octets(Date(2026, 7, 2, 2, 8, 0)), ERROR_UNEXP_NET_ERR, ERROR_TIME_SKEW},
        {"8 octets, 12:08 behind", Octets(Date(2026, 6, 30, 23, 52, 0)), ERROR_UNEXP_NET_ERR, ERROR_TIME_SKEW},
        {"8 octets, a year off", Octets(Date(2027, 7, 1, 12, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_TIME_SKEW},
        {"8 octets, year 1", Octets(Date(1, 1, 1, 0, 0, 0)), ERROR_UNEXP_NET_ERR, ERROR_TIME_SKEW},
    };
    for (const auto& c : cases) {
        TIME_OF_DAY_INFO info{};
        DWORD cause = 0;
        EXPECT_EQ(ConvertTimeOfDay(WithDate(c.date), kNoon, &info, &cause), c.status) << c.what;
        EXPECT_EQ(cause, c.cause) << c.what;
        SnmpAnswer answer = WithDate(c.date);
        answer.systemUptime = Ticks(0);
        answer.statStart = Integer(0);
        STAT_SERVER_0 statistics{};
        cause = 0;
        EXPECT_EQ(ConvertServerStatistics(answer, kNoon, &statistics, &cause), c.status) << c.what;
        EXPECT_EQ(cause, c.cause) << c.what;
    }
}

// An uptime of 600 days in hundredths, past one 32-bit wrap.
constexpr int64_t k600Days = 600LL * 86400;
constexpr int64_t k600DaysWrapped = k600Days * 100 - (1LL << 32);
constexpr int64_t k1000Days = 1000LL * 86400;
constexpr int64_t k1000DaysWrapped = k1000Days * 100 - 2 * (1LL << 32);

TEST(SnmpAnswer, StartTime) {
    const SnmpVariable date = Octets(Date(2026, 7, 1, 12, 0, 0, 0, '+', 2, 0));  // 1782900000
    const int64_t clock = 1782900000;
    const struct {
        const char* what;
        SnmpVariable hostUptime, sysUpTime, engineTime, statStart;
        NET_API_STATUS status;
        DWORD cause;
        int64_t start;
    } cases[] = {
        {"host uptime", Ticks(9006100), Ticks(1), kMissing, kMissing, 0, 0, clock - 90061},
        {"hundredths are dropped", Ticks(9006199), kMissing, kMissing, kMissing, 0, 0, clock - 90061},
        {"sysUpTime where host uptime is missing", kMissing, Ticks(12345), kMissing, kMissing, 0, 0, clock - 123},
        {"sysUpTime where host uptime has no instance", OfType(kSnmpNoSuchInstance), Ticks(100), kMissing, kMissing, 0,
         0, clock - 1},
        {"largest count, no engine time", Ticks(0xFFFFFFFF), kMissing, kMissing, kMissing, 0, 0, clock - 42949672},
        {"just booted", Ticks(0), kMissing, kMissing, kMissing, 0, 0, clock},
        // The engine time restores the wraps.
        {"600 days, wrapped once", Ticks(k600DaysWrapped), kMissing, Integer(k600Days - 10), kMissing, 0, 0,
         clock - k600Days},
        {"1000 days, wrapped twice", Ticks(k1000DaysWrapped), kMissing, Integer(k1000Days - 3600), kMissing, 0, 0,
         clock - k1000Days},
        {"sysUpTime restored as well", kMissing, Ticks(k600DaysWrapped), Integer(k600Days), kMissing, 0, 0,
         clock - k600Days},
        {"agent restarted after boot: no wrap", Ticks(k600DaysWrapped), kMissing, Integer(3600), kMissing, 0, 0,
         clock - k600DaysWrapped / 100},
        {"engine 5 s ahead of the count: no wrap", Ticks(9500), kMissing, Integer(100), kMissing, 0, 0, clock - 95},
        {"engine 6 s ahead of the count: a wrap", Ticks(9400), kMissing, Integer(100), kMissing, 0, 0,
         clock - ((1LL << 32) + 9400) / 100},
        {"engine time 0", Ticks(500), kMissing, Integer(0), kMissing, 0, 0, clock - 5},
        {"negative engine time is ignored", Ticks(k600DaysWrapped), kMissing, Integer(-5), kMissing, 0, 0,
         clock - k600DaysWrapped / 100},
        {"engine time of a Unix clock is ignored", Ticks(k600DaysWrapped), kMissing, Integer(1782900000), kMissing, 0,
         0, clock - k600DaysWrapped / 100},
        {"engine time just over 30 years is ignored", Ticks(100), kMissing, Integer(kMaxEngineSeconds + 1), kMissing, 0,
         0, clock - 1},
        {"engine time of 30 years is used", Ticks(0), kMissing, Integer(kMaxEngineSeconds), kMissing, 0, 0,
         clock - 23 * (1LL << 32) / 100},
        {"engine time of the wrong type", Ticks(100), kMissing, Ticks(100), kMissing, ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATATYPE, 0},
        // comStatStart, when present and not later than the clock, is the start.
        {"comStatStart", Ticks(k600DaysWrapped), kMissing, kMissing, Integer(1700000000), 0, 0, 1700000000},
        {"comStatStart without any uptime", kMissing, kMissing, kMissing, Integer(1700000000), 0, 0, 1700000000},
        {"comStatStart equal to the clock", Ticks(100), kMissing, kMissing, Integer(clock), 0, 0, clock},
        {"comStatStart later than the clock gives way", Ticks(9006100), kMissing, kMissing, Integer(clock + 1), 0, 0,
         clock - 90061},
        {"comStatStart later, no uptime", kMissing, kMissing, kMissing, Integer(clock + 1), ERROR_NOT_SUPPORTED,
         ERROR_NOT_FOUND, 0},
        {"comStatStart 0 is no start: the uptime serves", Ticks(9006100), kMissing, kMissing, Integer(0), 0, 0,
         clock - 90061},
        {"comStatStart 0, no uptime", kMissing, kMissing, kMissing, Integer(0), ERROR_NOT_SUPPORTED, ERROR_NOT_FOUND,
         0},
        {"comStatStart before 1970", Ticks(100), kMissing, kMissing, Integer(-1), ERROR_UNEXP_NET_ERR,
         ERROR_ARITHMETIC_OVERFLOW, 0},
        {"comStatStart of the wrong type", Ticks(100), kMissing, kMissing, Octets({1, 2, 3, 4}), ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATATYPE, 0},
        // Failures.
        {"neither uptime", kMissing, kMissing, kMissing, kMissing, ERROR_NOT_SUPPORTED, ERROR_NOT_FOUND, 0},
        {"host uptime of the wrong type", Octets({1, 2}), Ticks(100), kMissing, kMissing, ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATATYPE, 0},
        {"sysUpTime of the wrong type", kMissing, Octets({1}), kMissing, kMissing, ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATATYPE, 0},
        {"count beyond 32 bits", Ticks(0x100000000LL), kMissing, kMissing, kMissing, ERROR_UNEXP_NET_ERR,
         ERROR_INVALID_DATA, 0},
        {"negative count", Ticks(-1), kMissing, kMissing, kMissing, ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA, 0},
        {"uptime longer than the clock's age", Ticks(0), kMissing, Integer(kMaxEngineSeconds), kMissing, 0, 0,
         clock - 23 * (1LL << 32) / 100},
    };
    for (const auto& c : cases) {
        SnmpAnswer answer = WithDate(date);
        answer.systemUptime = c.hostUptime;
        answer.sysUpTime = c.sysUpTime;
        answer.engineTime = c.engineTime;
        answer.statStart = c.statStart;
        STAT_SERVER_0 statistics{};
        statistics.sts0_start = 0xDEADBEEF;
        DWORD cause = 77;
        EXPECT_EQ(ConvertServerStatistics(answer, kNoon, &statistics, &cause), c.status) << c.what;
        EXPECT_EQ(cause, c.cause) << c.what;
        if (c.status == NERR_Success) {
            EXPECT_EQ(statistics.sts0_start, static_cast<DWORD>(c.start)) << c.what;
        }
    }
}

TEST(SnmpAnswer, StartOutsideTheInstantsShown) {
    const struct {
        const char* what;
        std::vector<unsigned char> date;
        int64_t uptimeHundredths;
    } cases[] = {
        {"before 1970", Date(1970, 1, 1, 0, 0, 5, 0, '+', 0, 0), 1000},
        {"before 1970 by a restored wrap", Date(1975, 1, 1, 0, 0, 0, 0, '+', 0, 0), 0},
    };
    for (const auto& c : cases) {
        SnmpAnswer answer = WithDate(Octets(c.date));
        answer.systemUptime = Ticks(c.uptimeHundredths);
        if (c.uptimeHundredths == 0) answer.engineTime = Integer(kMaxEngineSeconds);
        STAT_SERVER_0 statistics{};
        DWORD cause = 0;
        EXPECT_EQ(ConvertServerStatistics(answer, kNoon, &statistics, &cause),
                  static_cast<NET_API_STATUS>(ERROR_UNEXP_NET_ERR))
            << c.what;
        EXPECT_EQ(cause, static_cast<DWORD>(ERROR_ARITHMETIC_OVERFLOW)) << c.what;
    }
}

TEST(SnmpPeer, NamesNetSnmpCannotTake) {
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"host", true},
        {"host:1161", true},
        {"10.0.0.5", true},
        {"udp6:[::1]:1161", true},
        {"[fe80::1]", true},
        {"fe80::1", true},
        {"tcp:host:1161", true},
        {"UDP:host:65535", true},
        {"unix:/var/run/agent", true},
        {"h\xc3\xb4te", true},
        {"host:0", false},
        {"host:65536", false},
        {"host:", false},
        {"host:12ab", false},
        {":161", false},
        {"udp:", false},
        {"[::1", false},
        {"[]", false},
        {"[::1]x", false},
        {"[::1]:", false},
        {"two words", false},
        {"tab\there", false},
        {"bell\x07", false},
        {"del\x7f", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidPeerName(c.name), c.valid) << c.name;
}

TEST(SnmpPeer, HostPartForTheResolver) {
    const struct {
        const char* peer;
        const char* host;
    } cases[] = {
        {"host", "host"},          {"host:1161", "host"},           {"udp:host:161", "host"},
        {"udp6:[::1]:1161", "::1"}, {"[fe80::1]", "fe80::1"},       {"fe80::1", "fe80::1"},
        {"TCP:10.0.0.5", "10.0.0.5"}, {"unix:/var/run/agent", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetPeerHost(c.peer), c.host) << c.peer;
}

}  // namespace
