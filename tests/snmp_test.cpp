// The binary against a real snmpd on loopback: exact output bytes and exit
// status. Each test starts its own agent and stops it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "boot_time.h"
#include "crlf.h"
#include "run_process.h"
#include "snmp_agent.h"
#include "snmp_client_test.h"
#include "udp_probe.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const std::string kBanner = Crlf("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");
const char kDaylightZone[] = "EST5EDT,M3.2.0,M11.1.0";

const char kSystemDate[] = "1.3.6.1.2.1.25.1.2.0";
const char kSystemUptime[] = "1.3.6.1.2.1.25.1.1.0";
const char kSysUpTime[] = "1.3.6.1.2.1.1.3.0";
const char kEngineTime[] = "1.3.6.1.6.3.10.2.1.3.0";
const char kStatStart[] = "1.3.6.1.4.1.77.1.1.4.0";
const char kUnshare[] = "/usr/bin/unshare";

std::string Override(const char* object, const std::string& type, const std::string& value) {
    return std::string("override ") + object + " " + type + " " + value + "\n";
}

// 2026-07-01 12:00:00 +02:00, the clock of FixedClock, in seconds since 1970.
constexpr long long kFixedClock = 1782900000;
constexpr long long kWrap = 1LL << 32;
constexpr long long k600Days = 600LL * 86400;

// An instant as the report shows it under UTC0.
std::string FormatUtc(long long seconds) {
    const time_t t = static_cast<time_t>(seconds);
    tm fields{};
    gmtime_r(&t, &fields);
    char text[64];
    strftime(text, sizeof text, "%A, %B %d, %Y - %H:%M:%S", &fields);
    return text;
}

std::string FormatRunning(long long seconds) {
    char text[80];
    snprintf(text, sizeof text, "%lld Days - %02lld Hours - %02lld Minutes - %02lld Seconds", seconds / 86400,
             seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return text;
}

// An 8-octet DateAndTime: the local fields of an instant at eastSeconds
// from UTC, with deci-seconds and no offset.
std::string LocalDate(long long utcSeconds, long long eastSeconds, int deci = 0) {
    const time_t t = static_cast<time_t>(utcSeconds + eastSeconds);
    tm f{};
    gmtime_r(&t, &f);
    char text[32];
    snprintf(text, sizeof text, "0x%04X%02X%02X%02X%02X%02X%02X", f.tm_year + 1900, f.tm_mon + 1, f.tm_mday,
             f.tm_hour, f.tm_min, f.tm_sec, deci);
    return text;
}

// Seconds from the text of a Running line's span.
long long ParseRunning(const std::string& out) {
    const size_t at = out.find("Running:\t");
    long long days = 0, hours = 0, minutes = 0, seconds = 0;
    if (at == std::string::npos ||
        sscanf(out.c_str() + at, "Running:\t%lld Days - %lld Hours - %lld Minutes - %lld Seconds", &days, &hours,
               &minutes, &seconds) != 4)
        return -1;
    return ((days * 24 + hours) * 60 + minutes) * 60 + seconds;
}

// True when the command runs here (namespaces need root and kernel support).
bool CanRun(const std::vector<std::string>& command) {
    if (access(command[0].c_str(), X_OK) != 0) return false;
    std::vector<std::string> rest(command.begin() + 1, command.end());
    return RunProgram(command[0], rest, {}, OutputTo::Pipe, 10).exitCode == 0;
}

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

const std::string kTimedOut =
    "No answer in time: no SNMP agent at that address and port, or it does not accept the community or SNMPv3 user "
    "configured. (0x79)";
const std::string kMissing =
    "The agent lacks the host resources object hrSystemDate.0 (1.3.6.1.2.1.25.1.2.0), or its view hides it from "
    "this community or user. (0x32)";
const std::string kNoUptime =
    "The agent has neither hrSystemUptime.0 nor sysUpTime.0 nor comStatStart.0, or its view hides them, so its "
    "start time is unknown. (0x490)";
const std::string kOutOfRange =
    "The agent's hrSystemDate.0 or uptime holds a value out of range: a date field, the date's length, or a count "
    "over 32 bits. (0xd)";
const std::string kWrongType =
    "The agent answered with a value of the wrong type for hrSystemDate.0, an uptime, snmpEngineTime.0 or "
    "comStatStart.0. (0x70c)";
const std::string kClockOutside =
    "The agent's clock lies outside 1970 to 2038-01-19 03:14:07 UTC, the instants the tool can show. (0x76d)";
const std::string kStartOutside =
    "The agent's start time (its clock less its uptime, or comStatStart.0) lies outside 1970 to 2038-01-19 03:14:07 "
    "UTC. (0x216)";
const std::string kNoOffsetFits =
    "The agent's hrSystemDate.0 gives no UTC offset, and no offset from -12:00 to +14:00 brings it near this "
    "machine's clock. (0x576)";
const std::string kUnknownUser = "The agent does not know the SNMPv3 user configured (defSecurityName). (0x525)";
const std::string kWrongPassphrase =
    "The agent rejected the SNMPv3 authentication: check defAuthPassphrase and defAuthType. (0x52b)";
const std::string kShortPassphrase =
    "An SNMPv3 passphrase configured is shorter than 8 characters, which net-snmp refuses: nothing was sent. (0x52d)";
const std::string kDoesNotResolve =
    "The name does not resolve to an address: check its spelling and the name service (DNS, /etc/hosts). (0x2af9)";
const std::string kInvalidName = "The machine name is not valid. (0x7b)";

class Snmp : public SnmpClientTest {
protected:
    // Runs the tool with this client configuration.
    RunResult Run(const std::string& peer, const std::string& clientConfig = "", const char* zone = "UTC0") {
        WriteTextFile(clientDirectory + "/snmp.conf", clientConfig);
        RunResult r = RunProgram(kBinary, {peer}, ClientEnvironment(zone));
        EXPECT_EQ(r.err, "");
        return r;
    }

    // The same, inside a network namespace of its own with only a loopback
    // that is down: no name lookup leaves this machine.
    RunResult RunWithoutNetwork(const std::string& peer) {
        WriteTextFile(clientDirectory + "/snmp.conf", "");
        RunResult r = RunProgram(kUnshare, {"-n", kBinary, peer}, ClientEnvironment());
        EXPECT_EQ(r.err, "");
        return r;
    }
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

// An 8-octet date is the agent's local time: it is read with the
// quarter-hour offset that brings it nearest to this machine's clock.
TEST_F(Snmp, DateWithoutOffsetIsLocalTimeNearThisClock) {
    const long long now = time(nullptr);
    const struct {
        const char* what;
        long long eastSeconds;
    } cases[] = {{"UTC", 0}, {"+05:45", 20700}, {"-03:30", -12600}, {"+14:00", 50400}, {"-12:00", -43200}};
    for (const auto& c : cases) {
        SnmpAgent agent(kCommunity + Override(kSystemDate, "octet_str", LocalDate(now, c.eastSeconds)) +
                        Override(kSystemUptime, "timeticks", "9006100"));
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        const RunResult r = Run(agent.Peer());
        EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), FormatUtc(now), FormatUtc(now - 90061),
                                        "1 Days - 01 Hours - 01 Minutes - 01 Seconds"))
            << c.what;
        EXPECT_EQ(r.exitCode, 0) << c.what;
    }
    // 15 hours ahead: no offset from -12:00 to +14:00 fits.
    SnmpAgent agent(kCommunity + Override(kSystemDate, "octet_str", LocalDate(now, 15 * 3600)) +
                    Override(kSystemUptime, "timeticks", "9006100"));
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), kNoOffsetFits));
    EXPECT_EQ(r.exitCode, 59);
}

// A Windows machine's SNMP service: an 8-octet local date with
// deci-seconds, and comStatStart, which is the start as it stands; its
// hrSystemUptime has wrapped (600 days, by the engine time) and must not be
// used.
TEST_F(Snmp, WindowsLikeAgent) {
    const long long now = time(nullptr);
    SnmpAgent agent(kCommunity + Override(kSystemDate, "octet_str", LocalDate(now, 3600, 7)) +
                    Override(kSystemUptime, "timeticks", std::to_string(k600Days * 100 - kWrap)) +
                    Override(kEngineTime, "integer", std::to_string(k600Days)) +
                    Override(kStatStart, "integer", std::to_string(now - 90061)));
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), FormatUtc(now), FormatUtc(now - 90061),
                                    "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    EXPECT_EQ(r.exitCode, 0);
}

// hrSystemUptime counts hundredths in 32 bits; the engine time tells how
// many times it has wrapped.
TEST_F(Snmp, UptimeRestoredPastItsWraps) {
    const long long wrapped = k600Days * 100 - kWrap;  // 600 days, after one wrap.
    const struct {
        const char* what;
        long long engineTime;
        long long running;
    } cases[] = {
        {"engine up 600 days", k600Days - 30, k600Days},
        {"agent restarted after boot", 3600, wrapped / 100},
        {"engine time of a Unix clock is ignored", 1782900000, wrapped / 100},
        {"negative engine time is ignored", -1, wrapped / 100},
    };
    for (const auto& c : cases) {
        SnmpAgent agent(kCommunity + Override(kSystemDate, "octet_str", "0x07EA07010C0000002B0200") +
                        Override(kSystemUptime, "timeticks", std::to_string(wrapped)) +
                        Override(kEngineTime, "integer", std::to_string(c.engineTime)));
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        const RunResult r = Run(agent.Peer());
        EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), FormatUtc(kFixedClock), FormatUtc(kFixedClock - c.running),
                                        FormatRunning(c.running)))
            << c.what;
        EXPECT_EQ(r.exitCode, 0) << c.what;
    }
}

// snmpd inside a time namespace whose boot clock is 600 days ahead: its
// hrSystemUptime really wraps. The engine time is given as 600 days.
TEST_F(Snmp, LiveWrapInATimeNamespace) {
    const std::vector<std::string> wrapper = {kUnshare, "--time", "--boottime", std::to_string(k600Days), "--fork",
                                              "--kill-child=SIGKILL"};
    std::vector<std::string> probe = wrapper;
    probe.push_back("/bin/true");
    if (!CanRun(probe)) GTEST_SKIP() << "time namespaces are not available here (unshare --time)";
    const long long expectedStart = ReadBootTime() - k600Days;
    const struct {
        const char* what;
        std::string config;
        bool restored;
    } cases[] = {
        {"with the engine time", kCommunity + Override(kEngineTime, "integer", std::to_string(k600Days)), true},
        {"without it the count shows its wrap",
         "view noengine included .1\nview noengine excluded .1.3.6.1.6.3.10\n"
         "rocommunity public 127.0.0.1 -V noengine\n",
         false},
    };
    for (const auto& c : cases) {
        SnmpAgent agent(c.config, {}, wrapper);
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        const RunResult r = Run(agent.Peer());
        ASSERT_EQ(r.exitCode, 0) << c.what << r.out;
        const long long running = ParseRunning(r.out);
        std::ifstream uptimeFile("/proc/uptime");
        double hostUptime = 0;
        uptimeFile >> hostUptime;
        const long long uptime = k600Days + static_cast<long long>(hostUptime);
        if (c.restored) {
            EXPECT_NEAR(static_cast<double>(running), static_cast<double>(uptime), 3.0) << c.what << r.out;
            bool startShown = false;
            for (long long start = expectedStart - 2; start <= expectedStart + 2; ++start)
                startShown = startShown || r.out.find("Started:\t" + FormatUtc(start) + "\r\n") != std::string::npos;
            EXPECT_TRUE(startShown) << c.what << r.out;
        } else {
            EXPECT_NEAR(static_cast<double>(running), static_cast<double>(uptime * 100 % kWrap / 100), 3.0)
                << c.what << r.out;
        }
    }
}

// A successful SNMPv2c report sends exactly one request datagram.
TEST_F(Snmp, OneRequestDatagram) {
    SnmpAgent agent(kCommunity + FixedClock());
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    UdpForwarder forwarder(agent.Port());
    ASSERT_NE(forwarder.Port(), 0);
    const std::string peer = "127.0.0.1:" + std::to_string(forwarder.Port());
    const RunResult r = Run(peer);
    EXPECT_EQ(r.out, ExpectedReport(peer, "Wednesday, July 01, 2026 - 10:00:00", "Tuesday, June 30, 2026 - 08:58:59",
                                    "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(forwarder.Requests(), 1);
}

// An SNMPv1 agent names each missing object (here comStatStart): asked
// again without it, it answers the rest.
TEST_F(Snmp, Version1AgentAskedAgainWithoutMissingObjects) {
    SnmpAgent agent(kCommunity + FixedClock());
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer(), "defVersion 1\n");
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), "Wednesday, July 01, 2026 - 10:00:00",
                                    "Tuesday, June 30, 2026 - 08:58:59", "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    EXPECT_EQ(r.exitCode, 0);
}

// Without a configured timeout a silent agent is given up on within the
// 2.5 s budget after at most 10 requests, whatever "retries" says; a
// configured timeout is honoured with its retries.
TEST_F(Snmp, BoundedRequestsToASilentSocket) {
    SilentSocket silent;
    ASSERT_NE(silent.Port(), 0);
    const std::string peer = "127.0.0.1:" + std::to_string(silent.Port());
    const struct {
        const char* config;
        int fewest, most;
        double slowest;
    } cases[] = {
        {"", 1, 10, 3.0},
        {"retries 3\n", 4, 4, 3.0},
        {"retries 100000\n", 1, 10, 3.0},
        {"retries 2147483647\n", 1, 10, 3.0},
        {"retries -7\n", 1, 1, 3.0},
        {"defVersion 3\ndefSecurityName corvuser\nretries 1000\n", 1, 10, 3.0},
        {"timeout 1\nretries 2\n", 3, 3, 4.5},
    };
    for (const auto& c : cases) {
        silent.CountReceived();
        const RunResult r = Run(peer, c.config);
        EXPECT_EQ(r.out, ExpectedFailure(peer, kTimedOut)) << c.config;
        EXPECT_EQ(r.exitCode, 121) << c.config;
        EXPECT_LT(r.seconds, c.slowest) << c.config;
        const int received = silent.CountReceived();
        EXPECT_GE(received, c.fewest) << c.config;
        EXPECT_LE(received, c.most) << c.config;
    }
}

// An SNMPv3 agent that drops every GET (it cannot decrypt them) after
// answering discovery: discovery and the GETs share one budget of 10
// requests and 2.5 s, whatever retries says.
TEST_F(Snmp, BoundedRequestsToAnAgentThatDropsThem) {
    SnmpAgent agent(FixedClock() + kUser);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    UdpForwarder forwarder(agent.Port());
    ASSERT_NE(forwarder.Port(), 0);
    const std::string peer = "127.0.0.1:" + std::to_string(forwarder.Port());
    const std::string user =
        "defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\ndefAuthType SHA\ndefPrivType AES\n"
        "defAuthPassphrase authpass123\ndefPrivPassphrase wrongpriv99\n";
    for (const char* retries : {"", "retries 1000\n", "retries 3\n"}) {
        const int before = forwarder.Requests();
        const RunResult r = Run(peer, user + retries);
        EXPECT_EQ(r.out, ExpectedFailure(peer, kTimedOut)) << retries;
        EXPECT_EQ(r.exitCode, 121) << retries;
        EXPECT_LT(r.seconds, 3.0) << retries;
        const int sent = forwarder.Requests() - before;
        EXPECT_GE(sent, 2) << retries;  // Discovery and at least one GET.
        EXPECT_LE(sent, 10) << retries;
    }
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

    const struct {
        const char* what;
        std::string config;
        std::string message;
        int exitCode;
    } cases[] = {
        {"wrong passphrase", user + "defAuthPassphrase wrongpass99\n", kWrongPassphrase, 5},
        {"unknown user",
         "defVersion 3\ndefSecurityName someone\ndefSecurityLevel authNoPriv\ndefAuthType SHA\n"
         "defAuthPassphrase authpass123\n",
         kUnknownUser, 5},
        {"wrong privacy passphrase: the agent drops the request",
         "defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\ndefAuthType SHA\ndefPrivType AES\n"
         "defAuthPassphrase authpass123\ndefPrivPassphrase wrongpriv99\n",
         kTimedOut, 121},
    };
    for (const auto& c : cases) {
        r = Run(agent.Peer(), c.config);
        EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), c.message)) << c.what;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
    }
}

// A passphrase under 8 characters: the library refuses it before anything
// is sent.
TEST_F(Snmp, ShortPassphraseSendsNothing) {
    SilentSocket silent;
    ASSERT_NE(silent.Port(), 0);
    const std::string peer = "127.0.0.1:" + std::to_string(silent.Port());
    for (const char* passphrases : {"defAuthPassphrase short\ndefPrivPassphrase privpass123\n",
                                    "defAuthPassphrase authpass123\ndefPrivPassphrase 1234567\n"}) {
        const RunResult r = Run(peer, std::string("defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel "
                                                  "authPriv\ndefAuthType SHA\ndefPrivType AES\n") +
                                          passphrases);
        EXPECT_EQ(r.out, ExpectedFailure(peer, kShortPassphrase)) << passphrases;
        EXPECT_EQ(r.exitCode, 5) << passphrases;
        EXPECT_EQ(silent.CountReceived(), 0) << passphrases;
    }
}

// Where the user's view hides snmpEngineTime, the engine time that SNMPv3
// discovery reports serves: an agent up 7 s whose count reads 1 s has
// wrapped once.
TEST_F(Snmp, Version3DiscoveryGivesTheEngineTime) {
    SnmpAgent agent(std::string("view hostonly included .1.3.6.1.2.1\n") +
                    "createUser corvuser SHA authpass123 AES privpass123\nrouser corvuser priv -V hostonly\n" +
                    Override(kSystemDate, "octet_str", "0x07EA07010C0000002B0200") +
                    Override(kSystemUptime, "timeticks", "100"));
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    sleep(7);
    const RunResult r = Run(agent.Peer(),
                            "defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\ndefAuthType SHA\n"
                            "defPrivType AES\ndefAuthPassphrase authpass123\ndefPrivPassphrase privpass123\n");
    const long long running = (kWrap + 100) / 100;
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), FormatUtc(kFixedClock), FormatUtc(kFixedClock - running),
                                    FormatRunning(running)));
    EXPECT_EQ(r.exitCode, 0);
}

// The tool creates nothing, whatever snmp.conf says about persistent state.
TEST_F(Snmp, NothingWrittenUnderPersistentDir) {
    if (access("/usr/bin/strace", X_OK) != 0) GTEST_SKIP() << "strace is not installed";
    SnmpAgent agent(kCommunity + FixedClock() + kUser);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string state = clientDirectory + "/state";
    const std::string trace = clientDirectory + "/trace";
    const std::string persistence = "persistentDir " + state + "\nnoPersistentLoad no\nnoPersistentSave no\n";
    // LeakSanitizer cannot work under a tracer; the sanitizer build says so
    // and fails unless told not to look for leaks.
    std::map<std::string, std::string> env = ClientEnvironment();
    env["ASAN_OPTIONS"] = "detect_leaks=0";
    for (const std::string& credentials :
         {std::string(""), std::string("defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\n"
                                       "defAuthType SHA\ndefPrivType AES\ndefAuthPassphrase authpass123\n"
                                       "defPrivPassphrase privpass123\n")}) {
        WriteTextFile(clientDirectory + "/snmp.conf", persistence + credentials);
        const RunResult r = RunProgram("/usr/bin/strace",
                                       {"-f", "-qq", "-o", trace, "-e",
                                        "trace=mkdir,mkdirat,creat,open,openat,rename,renameat,renameat2,link,linkat,"
                                        "symlink,symlinkat,unlink,unlinkat,truncate",
                                        kBinary, agent.Peer()},
                                       env);
        EXPECT_EQ(r.exitCode, 0) << credentials << r.out;
        EXPECT_FALSE(std::filesystem::exists(state)) << credentials;
        std::ifstream lines(trace);
        std::string line;
        while (std::getline(lines, line)) {
            // Any directory, link or rename, and any file opened for writing.
            const bool changes = line.find("O_CREAT") != std::string::npos ||
                                 line.find("O_WRONLY") != std::string::npos ||
                                 line.find("O_RDWR") != std::string::npos || line.find("open") == std::string::npos;
            const bool succeeded = line.find("= -1 ") == std::string::npos;
            EXPECT_FALSE(changes && succeeded && line.find("/dev/null") == std::string::npos) << credentials << line;
        }
        unlink(trace.c_str());
    }
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

// A view that shows the clock but no uptime: the statistics call fails at
// its own step, after the Current line.
TEST_F(Snmp, ViewWithoutAnyUptime) {
    SnmpAgent agent("view dateonly included .1.3.6.1.2.1.25.1.2\nrocommunity public 127.0.0.1 -V dateonly\n" +
                    FixedClock());
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, kBanner + Crlf("\nTime Information For Machine: \\\\" + agent.Peer() +
                                    "\n\n   Current:\tWednesday, July 01, 2026 - 10:00:00\n") +
                         ExpectedFailure(agent.Peer(), kNoUptime).substr(kBanner.size()));
    EXPECT_EQ(r.exitCode, 50);
}

// Without hrSystemUptime, sysUpTime (here 123.45 s) gives the start.
TEST_F(Snmp, SysUpTimeServesWhereHostUptimeIsMissing) {
    SnmpAgent agent(kCommunity + std::string("override ") + kSystemDate +
                        " octet_str 0x07EA07010C0000002B0000\noverride 1.3.6.1.2.1.1.3.0 timeticks 12345\n",
                    {"-I", "-hr_system"});
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, ExpectedReport(agent.Peer(), "Wednesday, July 01, 2026 - 12:00:00",
                                    "Wednesday, July 01, 2026 - 11:57:57", "0 Days - 00 Hours - 02 Minutes - 03 Seconds"));
    EXPECT_EQ(r.exitCode, 0);
}

TEST_F(Snmp, MalformedDates) {
    const struct {
        std::string date;
        std::string message;
    } cases[] = {
        {"octet_str 0x07EA0D010C0000002B0200", kOutOfRange},  // Month 13.
        {"octet_str 0x07EA07010C3C00002B0200", kOutOfRange},  // Minute 60.
        {"octet_str 0x07EA07010C0000003F0200", kOutOfRange},  // Direction '?'.
        {"octet_str 0x07EA07010C00", kOutOfRange},            // Six octets.
        {"octet_str 0x000007010C0000002B0200", kOutOfRange},  // Year 0.
        {"integer 1782900000", kWrongType},
        {"octet_str 0x07F80101000000002B0000", kClockOutside},  // 2040.
    };
    for (const auto& c : cases) {
        const size_t blank = c.date.find(' ');
        SnmpAgent agent(kCommunity + Override(kSystemDate, c.date.substr(0, blank), c.date.substr(blank + 1)) +
                        Override(kSystemUptime, "timeticks", "100"));
        ASSERT_TRUE(agent.IsRunning()) << agent.Log();
        const RunResult r = Run(agent.Peer());
        EXPECT_EQ(r.out, ExpectedFailure(agent.Peer(), c.message)) << c.date;
        EXPECT_EQ(r.exitCode, 59) << c.date;
    }
}

// A start before 1970 fails at the statistics step, never with an empty
// Started line.
TEST_F(Snmp, StartBefore1970) {
    SnmpAgent agent(kCommunity + Override(kSystemDate, "octet_str", "0x07B20101000005002B0000") +
                    Override(kSystemUptime, "timeticks", "1000"));
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const RunResult r = Run(agent.Peer());
    EXPECT_EQ(r.out, kBanner + Crlf("\nTime Information For Machine: \\\\" + agent.Peer() +
                                    "\n\n   Current:\tThursday, January 01, 1970 - 00:00:05\n") +
                         ExpectedFailure(agent.Peer(), kStartOutside).substr(kBanner.size()));
    EXPECT_EQ(r.exitCode, 59);
}

TEST_F(Snmp, NamesThatCannotBeUsed) {
    const struct {
        std::string name;
        std::string message;
        int exitCode;
    } cases[] = {
        {"host:0", kInvalidName, 123},     {"host:65536", kInvalidName, 123}, {"[::1", kInvalidName, 123},
        {"udp:", kInvalidName, 123},       {"two words", kInvalidName, 123},
    };
    for (const auto& c : cases) {
        const RunResult r = Run(c.name);
        EXPECT_EQ(r.out, ExpectedFailure(c.name, c.message)) << c.name;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
    }
}

// Names that do not resolve, looked up in a network namespace of the test's
// own so that no query leaves this machine.
TEST_F(Snmp, NamesThatDoNotResolve) {
    if (!CanRun({kUnshare, "-n", "/bin/true"})) GTEST_SKIP() << "network namespaces are not available (unshare -n)";
    for (const std::string name : {"no-such-host.invalid", "udp:no-such-host.invalid:161"}) {
        const RunResult r = RunWithoutNetwork(name);
        EXPECT_EQ(r.out, ExpectedFailure(name, kDoesNotResolve)) << name;
        EXPECT_EQ(r.exitCode, 53) << name;
    }
}

}  // namespace
