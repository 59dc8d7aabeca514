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

SnmpVariable Ticks(uint64_t ticks) {
    SnmpVariable v;
    v.type = kSnmpTimeTicks;
    v.number = ticks;
    return v;
}

SnmpVariable OfType(int type) {
    SnmpVariable v;
    v.type = type;
    return v;
}

// 2026-07-01 12:00:00.5 in local fields, with an optional offset.
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

TEST(SnmpAnswer, DateAndTimeInUtc) {
    const struct {
        const char* what;
        std::vector<unsigned char> date;
        DWORD year, month, day, hours, minutes, seconds, hundredths, weekday, elapsed;
        LONG westMinutes;
    } cases[] = {
        {"8 octets read as UTC", Date(2026, 7, 1, 12, 0, 0, 5), 2026, 7, 1, 12, 0, 0, 50, 3, 1782907200, -1},
        {"east offset", Date(2026, 7, 1, 12, 0, 0, 0, '+', 2, 0), 2026, 7, 1, 10, 0, 0, 0, 3, 1782900000, -120},
        {"west offset", Date(2026, 7, 1, 12, 0, 0, 0, '-', 5, 30), 2026, 7, 1, 17, 30, 0, 0, 3, 1782927000, 330},
        {"zero offset", Date(2026, 7, 1, 12, 0, 0, 0, '+', 0, 0), 2026, 7, 1, 12, 0, 0, 0, 3, 1782907200, 0},
        {"east offset back a day", Date(2026, 7, 1, 1, 0, 0, 0, '+', 3, 0), 2026, 6, 30, 22, 0, 0, 0, 2, 1782856800,
         -180},
        {"west offset into next year", Date(2026, 12, 31, 23, 30, 0, 0, '-', 1, 0), 2027, 1, 1, 0, 30, 0, 0, 5,
         1798763400, 60},
        {"east offset back a year", Date(2027, 1, 1, 0, 30, 0, 0, '+', 14, 0), 2026, 12, 31, 10, 30, 0, 0, 4,
         1798713000, -840},
        {"leap day", Date(2028, 2, 29, 0, 0, 0), 2028, 2, 29, 0, 0, 0, 0, 2, 1835395200, -1},
        {"leap second carries", Date(2016, 12, 31, 23, 59, 60), 2017, 1, 1, 0, 0, 0, 0, 0, 1483228800, -1},
        {"the epoch", Date(1970, 1, 1, 0, 0, 0), 1970, 1, 1, 0, 0, 0, 0, 4, 0, -1},
        {"past 2038", Date(2040, 1, 1, 0, 0, 0), 2040, 1, 1, 0, 0, 0, 0, 0, 2208988800u, -1},
    };
    for (const auto& c : cases) {
        TIME_OF_DAY_INFO info{};
        ASSERT_EQ(ConvertTimeOfDay(Octets(c.date), &info), NERR_Success) << c.what;
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
    } cases[] = {
        {"no such object", OfType(kSnmpNoSuchObject), ERROR_NOT_SUPPORTED},
        {"no such instance", OfType(kSnmpNoSuchInstance), ERROR_NOT_SUPPORTED},
        {"end of view", OfType(kSnmpEndOfMibView), ERROR_NOT_SUPPORTED},
        {"wrong type", Ticks(5), ERROR_UNEXP_NET_ERR},
        {"empty", Octets({}), ERROR_UNEXP_NET_ERR},
        {"7 octets", Octets({0x07, 0xEA, 7, 1, 12, 0, 0}), ERROR_UNEXP_NET_ERR},
        {"9 octets", Octets({0x07, 0xEA, 7, 1, 12, 0, 0, 0, '+'}), ERROR_UNEXP_NET_ERR},
        {"12 octets", Octets({0x07, 0xEA, 7, 1, 12, 0, 0, 0, '+', 0, 0, 0}), ERROR_UNEXP_NET_ERR},
        {"month 0", Octets(Date(2026, 0, 1, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"month 13", Octets(Date(2026, 13, 1, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"day 0", Octets(Date(2026, 7, 0, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"June 31", Octets(Date(2026, 6, 31, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"February 29 in 2026", Octets(Date(2026, 2, 29, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"February 29 in 2100", Octets(Date(2100, 2, 29, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"hour 24", Octets(Date(2026, 7, 1, 24, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"minute 60", Octets(Date(2026, 7, 1, 12, 60, 0)), ERROR_UNEXP_NET_ERR},
        {"second 61", Octets(Date(2026, 7, 1, 12, 0, 61)), ERROR_UNEXP_NET_ERR},
        {"deci-seconds 10", Octets(Date(2026, 7, 1, 12, 0, 0, 10)), ERROR_UNEXP_NET_ERR},
        {"direction '?'", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '?', 2, 0)), ERROR_UNEXP_NET_ERR},
        {"direction NUL", Octets({0x07, 0xEA, 7, 1, 12, 0, 0, 0, 0, 2, 0}), ERROR_UNEXP_NET_ERR},
        {"offset 15 hours", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '+', 15, 0)), ERROR_UNEXP_NET_ERR},
        {"offset 60 minutes", Octets(Date(2026, 7, 1, 12, 0, 0, 0, '-', 1, 60)), ERROR_UNEXP_NET_ERR},
        {"year 0", Octets(Date(0, 7, 1, 12, 0, 0)), ERROR_UNEXP_NET_ERR},
        {"before 1970 in UTC", Octets(Date(1970, 1, 1, 0, 30, 0, 0, '+', 1, 0)), ERROR_UNEXP_NET_ERR},
        {"beyond 32-bit seconds", Octets(Date(2106, 2, 8, 0, 0, 0)), ERROR_UNEXP_NET_ERR},
    };
    for (const auto& c : cases) {
        TIME_OF_DAY_INFO info{};
        EXPECT_EQ(ConvertTimeOfDay(c.date, &info), c.status) << c.what;
        STAT_SERVER_0 statistics{};
        EXPECT_EQ(ConvertServerStatistics(c.date, Ticks(0), Ticks(0), &statistics), c.status) << c.what;
    }
}

TEST(SnmpAnswer, StartIsTheClockLessTheUptime) {
    const SnmpVariable date = Octets(Date(2026, 7, 1, 12, 0, 0, 0, '+', 2, 0));  // 1782900000
    const SnmpVariable missing = OfType(kSnmpNoSuchObject);
    const struct {
        const char* what;
        SnmpVariable hostUptime, sysUpTime;
        NET_API_STATUS status;
        DWORD start;
    } cases[] = {
        {"host uptime", Ticks(9006100), Ticks(1), NERR_Success, 1782900000 - 90061},
        {"hundredths are dropped", Ticks(9006199), missing, NERR_Success, 1782900000 - 90061},
        {"sysUpTime where host uptime is missing", missing, Ticks(12345), NERR_Success, 1782900000 - 123},
        {"sysUpTime where host uptime has no instance", OfType(kSnmpNoSuchInstance), Ticks(100), NERR_Success,
         1782900000 - 1},
        {"largest count, 497 days", Ticks(0xFFFFFFFFu), missing, NERR_Success, 1782900000 - 42949672},
        {"just booted", Ticks(0), missing, NERR_Success, 1782900000},
        {"neither uptime", missing, missing, ERROR_NOT_SUPPORTED, 0},
        {"host uptime of the wrong type", Octets({1, 2}), Ticks(100), ERROR_UNEXP_NET_ERR, 0},
        {"sysUpTime of the wrong type", missing, Octets({1}), ERROR_UNEXP_NET_ERR, 0},
        {"count beyond 32 bits", Ticks(0x100000000ull), missing, ERROR_UNEXP_NET_ERR, 0},
    };
    for (const auto& c : cases) {
        STAT_SERVER_0 statistics{};
        statistics.sts0_start = 0xDEADBEEF;
        EXPECT_EQ(ConvertServerStatistics(date, c.hostUptime, c.sysUpTime, &statistics), c.status) << c.what;
        if (c.status == NERR_Success) {
            EXPECT_EQ(statistics.sts0_start, c.start) << c.what;
        }
    }
    STAT_SERVER_0 statistics{};
    EXPECT_EQ(ConvertServerStatistics(Octets(Date(1970, 1, 1, 0, 0, 5)), Ticks(1000), missing, &statistics),
              static_cast<NET_API_STATUS>(ERROR_UNEXP_NET_ERR))
        << "a start before 1970";
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

}  // namespace
