// The first and last clocks the tool can show, end to end against a real
// snmpd whose hrSystemDate and hrSystemUptime are fixed by override, in
// zones west and east of UTC and in one whose offset has seconds: every
// valid clock gives a report in every zone, and one second beyond either
// end is refused with 59 in every zone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "crlf.h"
#include "run_process.h"
#include "snmp_agent.h"
#include "snmp_client_test.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const std::string kBanner = Crlf("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");
const char kZones[][16] = {"UTC0", "EST5", "JST-9", "ABC-1:00:30"};

struct Shown {
    std::string current, started;
};

// The instants as each zone of kZones shows them, in that order.
const Shown kFirst[] = {
    {"Thursday, January 01, 1970 - 00:00:00", "Thursday, January 01, 1970 - 00:00:00"},
    {"Wednesday, December 31, 1969 - 19:00:00", "Wednesday, December 31, 1969 - 19:00:00"},
    {"Thursday, January 01, 1970 - 09:00:00", "Thursday, January 01, 1970 - 09:00:00"},
    {"Thursday, January 01, 1970 - 01:00:30", "Thursday, January 01, 1970 - 01:00:30"},
};
const Shown kLast[] = {  // Up 1 day, 1 hour, 1 minute and 1 second.
    {"Tuesday, January 19, 2038 - 03:14:07", "Monday, January 18, 2038 - 02:13:06"},
    {"Monday, January 18, 2038 - 22:14:07", "Sunday, January 17, 2038 - 21:13:06"},
    {"Tuesday, January 19, 2038 - 12:14:07", "Monday, January 18, 2038 - 11:13:06"},
    {"Tuesday, January 19, 2038 - 04:14:37", "Monday, January 18, 2038 - 03:13:36"},
};

std::string AgentConfig(const std::string& date, const std::string& ticks) {
    return "rocommunity public 127.0.0.1\noverride 1.3.6.1.2.1.25.1.2.0 octet_str " + date +
           "\noverride 1.3.6.1.2.1.25.1.1.0 timeticks " + ticks + "\n";
}

class EdgeClock : public SnmpClientTest {
protected:
    // The tool with a client configuration of nothing at all: SNMPv2c and
    // the community public.
    RunResult Run(const std::string& peer, const char* zone) {
        return RunProgram(kBinary, {peer}, ClientEnvironment(zone));
    }
};

TEST_F(EdgeClock, ValidClocksGiveAReportInEveryZone) {
    const struct {
        const char* date;  // DateAndTime of 11 octets: the clock and its offset.
        const char* ticks;
        const Shown* shown;
        const char* running;
    } clocks[] = {
        {"0x07B20101000000002B0000", "0", kFirst, "0 Days - 00 Hours - 00 Minutes - 00 Seconds"},
        {"0x07B20101090000002B0900", "0", kFirst, "0 Days - 00 Hours - 00 Minutes - 00 Seconds"},  // +09:00
        {"0x07F60113030E07002B0000", "9006100", kLast, "1 Days - 01 Hours - 01 Minutes - 01 Seconds"},
        {"0x07F60112160E07002D0500", "9006100", kLast, "1 Days - 01 Hours - 01 Minutes - 01 Seconds"},  // -05:00
    };
    for (const auto& clock : clocks) {
        SnmpAgent agent(AgentConfig(clock.date, clock.ticks));
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        for (size_t zone = 0; zone < std::size(kZones); ++zone) {
            const RunResult r = Run(agent.Peer(), kZones[zone]);
            EXPECT_EQ(r.out, kBanner + Crlf("\nTime Information For Machine: \\\\" + agent.Peer() +
                                            "\n\n   Current:\t" + clock.shown[zone].current + "\n\n   Started:\t" +
                                            clock.shown[zone].started + "\n\n   Running:\t" + clock.running +
                                            "\n\n"))
                << clock.date << " TZ=" << kZones[zone];
            EXPECT_EQ(r.exitCode, 0) << clock.date << " TZ=" << kZones[zone];
            EXPECT_EQ(r.err, "");
        }
    }
}

TEST_F(EdgeClock, ClocksBeyondEitherEndAreRefusedInEveryZone) {
    for (const char* date : {"0x07F60113030E08002B0000",     // 2038-01-19 03:14:08 +00:00
                             "0x07B10C1F173B3B002B0000",     // 1969-12-31 23:59:59 +00:00
                             "0x07B20101083B3B002B0900"}) {  // 1970-01-01 08:59:59 +09:00
        SnmpAgent agent(AgentConfig(date, "0"));
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        for (const char* zone : kZones) {
            const RunResult r = Run(agent.Peer(), zone);
            EXPECT_EQ(r.out, kBanner + Crlf("\n\tUnable to get time information from: \\\\" + agent.Peer() +
                                            ".\n\n\tSystem Message:\n\tThe agent's clock lies outside 1970 to "
                                            "2038-01-19 03:14:07 UTC, the instants the tool can show. (0x76d)\n"))
                << date << " TZ=" << zone;
            EXPECT_EQ(r.exitCode, 59) << date << " TZ=" << zone;
        }
    }
}

}  // namespace
