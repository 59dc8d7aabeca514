// The binary against a real snmpd on loopback: exact output bytes and exit
// status. Each test starts its own agent and stops it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "crlf.h"
#include "run_process.h"
#include "snmp_agent.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const std::string kBanner = Crlf("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");
const char kDaylightZone[] = "EST5EDT,M3.2.0,M11.1.0";

const char kSystemDate[] = "1.3.6.1.2.1.25.1.2.0";
const char kSystemUptime[] = "1.3.6.1.2.1.25.1.1.0";

// An agent whose clock reads 2026-07-01 12:00:00.0 +02:00 (10:00 UTC) and
// which has been up 1 day, 1 hour, 1 minute and 1 second.
std::string FixedClock(const std::string& date = "0x07EA07010C0000002B0200") {
    return std::string("override ") + kSystemDate + " octet_str " + date + "\noverride " + kSystemUptime +
           " timeticks 9006100\n";
}

const char kCommunity[] = "rocommunity public 127.0.0.1\n";
const char kUser[] = "createUser corvuser SHA authpass123 AES privpass123\nrouser corvuser priv\n";

std::string ExpectedReport(const std::string& server, const std::string& current, const std::string& started,
                           const std::string& running) {
    return kBanner + Crlf("\nTime Information For Machine: \\\\" + server + "\n\n   Current:\t" + current +
                          "\n\n   Started:\t" + started + "\n\n   Running:\t" + running + "\n\n");
}

std::string ExpectedFailure(const std::string& server, const std::string& message) {
    return kBanner + Crlf("\n\tUnable to get time information from: \\\\" + server + ".\n\n\tSystem Message:\n\t" +
                          message + "\n");
}

const std::string kDenied = "Access denied: the machine refused these credentials. (0x5)";
const std::string kTimedOut = "The machine did not answer in time. (0x79)";
const std::string kMissing = "The machine does not support this request. (0x32)";
const std::string kOddAnswer = "The machine gave an unexpected answer or a network error occurred. (0x3b)";
const std::string kNotFound = "The machine could not be found or reached on the network. (0x35)";

class Snmp : public testing::Test {
protected:
    void SetUp() override {
        if (!SnmpAgent::IsInstalled()) GTEST_SKIP() << "snmpd is not installed";
        char pattern[] = "/tmp/corvane-client-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        clientDirectory = pattern;
    }

    void TearDown() override {
        if (!clientDirectory.empty()) {
            unlink((clientDirectory + "/snmp.conf").c_str());
            rmdir(clientDirectory.c_str());
        }
    }

    // Runs the tool with its client configuration in a directory of the
    // test's own, so that the machine's snmp.conf plays no part.
    RunResult Run(const std::string& peer, const std::string& clientConfig = "", const char* zone = "UTC0") {
        WriteTextFile(clientDirectory + "/snmp.conf", clientConfig);
        const std::map<std::string, std::string> env = {
            {"TZ", zone}, {"SNMPCONFPATH", clientDirectory}, {"HOME", clientDirectory}};
        RunResult r = RunProgram(kBinary, {peer}, env);
        EXPECT_EQ(r.err, "");
        return r;
    }

    std::string clientDirectory;
};

TEST_F(Snmp, ReportsTheAgentsClockInLocalTime) {
    SnmpAgent agent(kCommunity + FixedClock());
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const struct {
        const char* zone;
        std::string current, started;
    } cases[] = {
        {"UTC0", "Wednesday, July 01, 2026 - 10:00:00", "Tuesday, June 30, 2026 - 08:58:59"},
        {kDaylightZone, "Wednesday, July 01, 2026 - 06:00:00", "Tuesday, June 30, 2026 - 04:58:59"},
    };
    for (const auto& c : cases) {
        const RunResult r = Run(agent.Peer(), "", c.zone);
        EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), c.current, c.started,
                                        "1 Days - 01 Hours - 01 Minutes - 01 Seconds"))
            << c.zone;
        EXPECT_EQ(r.exitCode, 0) << c.zone;
    }
    // The same agent through an explicit transport.
    const RunResult r = Run("udp:" + agent.Peer());
    EXPECT_EQ(r.out, ExpectedReport("udp:" + agent.Peer(), cases[0].current, cases[0].started,
                                    "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
}

TEST_F(Snmp, DateWithoutOffsetIsUtc) {
    SnmpAgent agent(kCommunity + FixedClock("0x07EA07010C000000"));
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), "Wednesday, July 01, 2026 - 12:00:00",
                                    "Tuesday, June 30, 2026 - 10:58:59", "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    EXPECT_EQ(r.exitCode, 0);
}

TEST_F(Snmp, Version3UserFromTheClientConfiguration) {
    SnmpAgent agent(FixedClock() + kUser);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string user =
        "defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\n"
        "defAuthType SHA\ndefPrivType AES\ndefPrivPassphrase privpass123\n";
    RunResult r = Run(agent.Peer(), user + "defAuthPassphrase authpass123\n");
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), "Wednesday, July 01, 2026 - 10:00:00",
                                    "Tuesday, June 30, 2026 - 08:58:59", "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    EXPECT_EQ(r.exitCode, 0);

    r = Run(agent.Peer(), user + "defAuthPassphrase wrongpass99\n");
    EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), kDenied));
    EXPECT_EQ(r.exitCode, 5);
}

TEST_F(Snmp, WrongCommunityIsASilentMachine) {
    SnmpAgent agent(kCommunity + FixedClock());
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer(), "defCommunity not-the-community\n");
    EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), kTimedOut));
    EXPECT_EQ(r.exitCode, 121);
    EXPECT_LT(r.seconds, 3.0);
}

TEST_F(Snmp, AgentWithoutHostResources) {
    SnmpAgent agent(kCommunity, {"-I", "-hr_system"});
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), kMissing));
    EXPECT_EQ(r.exitCode, 50);
}

// Without hrSystemUptime, sysUpTime (here 123.45 s) gives the start.
TEST_F(Snmp, SysUpTimeServesWhereHostUptimeIsMissing) {
    SnmpAgent agent(kCommunity + std::string("override ") + kSystemDate +
                        " octet_str 0x07EA07010C000000\noverride 1.3.6.1.2.1.1.3.0 timeticks 12345\n",
                    {"-I", "-hr_system"});
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), "Wednesday, July 01, 2026 - 12:00:00",
                                    "Wednesday, July 01, 2026 - 11:57:57", "0 Days - 00 Hours - 02 Minutes - 03 Seconds"));
    EXPECT_EQ(r.exitCode, 0);
}

TEST_F(Snmp, MalformedDates) {
    const char* dates[] = {
        "0x07EA0D010C0000002B0200",  // Month 13.
        "0x07EA07010C3C00002B0200",  // Minute 60.
        "0x07EA07010C0000003F0200",  // Direction '?'.
        "0x07EA07010C00",            // Six octets.
    };
    for (const char* date : dates) {
        SnmpAgent agent(kCommunity + FixedClock(date));
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        const RunResult r = Run(agent.Peer());
        EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), kOddAnswer)) << date;
        EXPECT_EQ(r.exitCode, 59) << date;
    }
}

TEST_F(Snmp, NamesThatCannotBeUsed) {
    const struct {
        std::string name;
        std::string message;
        int exitCode;
    } cases[] = {
        {"no-such-host.invalid", kNotFound, 53},
        {"udp:no-such-host.invalid:161", kNotFound, 53},
        {"host:0", "The machine name is not valid. (0x7b)", 123},
        {"host:65536", "The machine name is not valid. (0x7b)", 123},
        {"[::1", "The machine name is not valid. (0x7b)", 123},
        {"udp:", "The machine name is not valid. (0x7b)", 123},
        {"two words", "The machine name is not valid. (0x7b)", 123},
    };
    for (const auto& c : cases) {
        const RunResult r = Run(c.name);
        EXPECT_EQ(r.out, ExpectedFailure(c.name, c.message)) << c.name;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
    }
}

}  // namespace
