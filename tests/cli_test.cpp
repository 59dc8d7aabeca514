// The built binary, end to end: exact standard output bytes, exit status and
// an empty standard error, under TZ=UTC0 and LC_ALL=C.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "boot_time.h"
#include "crlf.h"
#include "run_process.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const std::map<std::string, std::string> kUtc = {{"TZ", "UTC0"}};
const std::string kBanner = Crlf("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");
const std::string kSyntax = Crlf(
    "\n\tSyntax: Corvane [MachineName]\n\n"
    "\tCorvane.exe retrieves the current time and\n"
    "\tthe the total time up and running for the\n"
    "\tselected machine.\n\n"
    "\tAdmin or server operator group membership\n"
    "\tis required to successfully execute Corvane\n"
    "\ton a remote server.\n\n"
    "\tCorvane is written and maintained by the Corvane developers.\n"
    "\tReport problems through the project's issue tracker.\n\n");

std::string FailureBlock(const std::string& server, const std::string& message) {
    return Crlf("\n\tUnable to get time information from: " + server + ".\n\n\tSystem Message:\n\t" + message + "\n");
}

std::string Describe(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& a : args) text += "[" + (a.size() > 40 ? a.substr(0, 40) + "..." : a) + "]";
    return text.empty() ? "(no argument)" : text;
}

TEST(Cli, SyntaxRequests) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"/?"}, {"-x"}, {"?"}, {"-"}, {"/"}, {"?host"}, {"-help", "localhost"},
    };
    for (const auto& args : cases) {
        const RunResult r = RunProgram(kBinary, args, kUtc);
        EXPECT_EQ(r.out, kBanner + kSyntax) << Describe(args);
        EXPECT_EQ(r.exitCode, 0) << Describe(args);
        EXPECT_EQ(r.err, "") << Describe(args);
    }
}

// Runs the binary in a network namespace of its own with only a loopback
// that is down, so that names looked up there never leave this machine.
// Gives exit code -1 when namespaces are not available.
const char kUnshare[] = "/usr/bin/unshare";

bool CanUnshareNetwork() {
    return access(kUnshare, X_OK) == 0 && RunProgram(kUnshare, {"-n", "/bin/true"}, {}).exitCode == 0;
}

RunResult RunWithoutNetwork(const std::vector<std::string>& args) {
    std::vector<std::string> command = {"-n", kBinary};
    command.insert(command.end(), args.begin(), args.end());
    return RunProgram(kUnshare, command, kUtc);
}

TEST(Cli, FailureBlocks) {
    const bool offline = CanUnshareNetwork();
    const std::string longName(400, 'a');
    const std::string fits(297, 'b');
    const std::string fitsWithBackslashes = "\\\\" + std::string(297, 'c');
    const std::string doesNotResolve =
        "The name does not resolve to an address: check its spelling and the name service (DNS, /etc/hosts). "
        "(0x2af9)";
    const struct {
        std::vector<std::string> args;
        std::string shown;
        std::string message;
        int exitCode;
    } cases[] = {
        {{"no-such-host.invalid"}, "\\\\no-such-host.invalid", doesNotResolve, 53},
        {{"\\\\no-such-host.invalid", "/?"}, "\\\\no-such-host.invalid", doesNotResolve, 53},
        {{"\\no-such-host.invalid"}, "\\no-such-host.invalid", doesNotResolve, 53},
        {{"h\xc3\xb4te.invalid"}, "\\\\h\xc3\xb4te.invalid", doesNotResolve, 53},
        {{longName}, "\\\\" + longName, "The machine name is not valid. (0x7b)", 123},
        {{fits + "b"}, "\\\\" + fits + "b", "The machine name is not valid. (0x7b)", 123},
        {{"\\" + fitsWithBackslashes}, "\\\\\\" + std::string(297, 'c'), "The machine name is not valid. (0x7b)",
         123},
    };
    for (const auto& c : cases) {
        // Refused names are never looked up; the others only offline.
        if (!offline && c.exitCode != 123) continue;
        const RunResult r = offline ? RunWithoutNetwork(c.args) : RunProgram(kBinary, c.args, kUtc);
        EXPECT_EQ(r.out, kBanner + FailureBlock(c.shown, c.message)) << Describe(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << Describe(c.args);
        EXPECT_EQ(r.err, "") << Describe(c.args);
    }
    if (!offline) GTEST_SKIP() << "names that do not resolve need a network namespace (unshare -n)";
}

// Names that fill the buffers exactly are queried, not refused.
TEST(Cli, LongestNamesAreQueried) {
    if (!CanUnshareNetwork()) GTEST_SKIP() << "network namespaces are not available (unshare -n)";
    for (const std::string& name : {std::string(297, 'b'), "\\\\" + std::string(297, 'c')}) {
        const RunResult r = RunWithoutNetwork({name});
        EXPECT_NE(r.exitCode, 123) << name.size();
        EXPECT_EQ(r.out.find("(0x7b)"), std::string::npos) << name.size();
    }
}

// --- Reports on this machine ---

// The clock as the tool reads it. time() may lag it by a tick of the coarse
// clock, and so run a second behind a report made just after.
time_t ReadClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

double ReadUptime() {
    std::ifstream uptime("/proc/uptime");
    double seconds = -1;
    uptime >> seconds;
    return seconds;
}

// Cuts text at the next marker: the part before goes to field, text keeps
// what follows the marker.
bool TakeUntil(std::string& text, const std::string& marker, std::string* field) {
    const size_t at = text.find(marker);
    if (at == std::string::npos) return false;
    *field = text.substr(0, at);
    text.erase(0, at + marker.size());
    return true;
}

// A span in the report's form as seconds; -1 unless its text is exactly
// what that span formats to.
long long ParseSpan(const std::string& text) {
    long long days = 0, hours = 0, minutes = 0, seconds = 0;
    if (sscanf(text.c_str(), "%lld Days - %lld Hours - %lld Minutes - %lld Seconds", &days, &hours, &minutes,
               &seconds) != 4 ||
        hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return -1;
    char again[96];
    snprintf(again, sizeof again, "%lld Days - %02lld Hours - %02lld Minutes - %02lld Seconds", days, hours, minutes,
             seconds);
    return text == again ? ((days * 24 + hours) * 60 + minutes) * 60 + seconds : -1;
}

// A date in the report's form, read as UTC; -1 unless its text is exactly
// what that instant formats to.
long long ParseUtcDate(const std::string& text) {
    tm fields{};
    const char* end = strptime(text.c_str(), "%A, %B %d, %Y - %H:%M:%S", &fields);
    if (end == nullptr || *end != '\0') return -1;
    const time_t t = timegm(&fields);
    char again[64];
    tm check{};
    gmtime_r(&t, &check);
    strftime(again, sizeof again, "%A, %B %d, %Y - %H:%M:%S", &check);
    return text == again ? static_cast<long long>(t) : -1;
}

// Checks a report of this machine after the given prefix; the times must be
// the clock within [before, after], the boot time, and their difference.
void ExpectLocalReport(const RunResult& r, const std::string& prefix, const std::string& server, time_t before,
                       time_t after) {
    SCOPED_TRACE(server);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    const std::string head = prefix + Crlf("\nTime Information For Machine: " + server + "\n\n   Current:\t");
    ASSERT_EQ(r.out.compare(0, head.size(), head), 0) << r.out;
    std::string rest = r.out.substr(head.size()), currentText, startedText, runningText, tail;
    ASSERT_TRUE(TakeUntil(rest, "\r\n\r\n   Started:\t", &currentText)) << r.out;
    ASSERT_TRUE(TakeUntil(rest, "\r\n\r\n   Running:\t", &startedText)) << r.out;
    ASSERT_TRUE(TakeUntil(rest, "\r\n\r\n", &runningText)) << r.out;
    EXPECT_EQ(rest, "") << r.out;
    const long long current = ParseUtcDate(currentText);
    const long long started = ParseUtcDate(startedText);
    const long long running = ParseSpan(runningText);
    EXPECT_GE(current, before) << currentText;
    EXPECT_LE(current, after) << currentText;
    EXPECT_NEAR(static_cast<double>(started), static_cast<double>(ReadBootTime()), 1.0) << startedText;
    EXPECT_EQ(running, current - started) << runningText;
    EXPECT_NEAR(static_cast<double>(running), ReadUptime(), 2.0);
}

std::string GetOwnHostName() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

TEST(Cli, ReportsOnThisMachine) {
    const struct {
        std::vector<std::string> args;
        std::string shown;
    } cases[] = {
        {{"localhost"}, "\\\\localhost"},
        {{""}, "\\\\"},
        {{"\\\\localhost"}, "\\\\localhost"},
        {{"\\localhost"}, "\\localhost"},
        {{"LocalHost", "/?"}, "\\\\LocalHost"},
        {{"127.0.0.1"}, "\\\\127.0.0.1"},
        {{"::1"}, "\\\\::1"},
        {{"[::1]"}, "\\\\[::1]"},
        {{"\\\\[::1]"}, "\\\\[::1]"},
        {{"."}, "\\\\."},
        {{GetOwnHostName()}, "\\\\" + GetOwnHostName()},
    };
    for (const auto& c : cases) {
        const time_t before = ReadClock();
        const RunResult r = RunProgram(kBinary, c.args, kUtc);
        ExpectLocalReport(r, kBanner, c.shown, before, ReadClock());
    }
}

// A file or pipe gets the text alone, whatever the terminal type says.
TEST(Cli, ReportToAFileFollowsTheBanner) {
    for (OutputTo output : {OutputTo::File, OutputTo::Pipe}) {
        const time_t before = ReadClock();
        const RunResult r = RunProgram(kBinary, {"localhost"}, {{"TZ", "UTC0"}, {"TERM", "xterm-256color"}}, output);
        ExpectLocalReport(r, kBanner, "\\\\localhost", before, ReadClock());
    }
}

// On a terminal the screen is cleared before the banner, and again before
// the syntax text, the report or the failure block, with the terminal's own
// sequences: clear, E3 (the scrollback) where the terminal has it, and the
// cursor homed. A terminal that terminfo cannot clear gets the text alone.
TEST(Cli, TerminalIsClearedBeforeEachScreen) {
    const std::string xtermClear = "\x1b[H\x1b[2J\x1b[3J\x1b[1;1H";
    const std::string longName(400, 'a');
    const struct {
        bool termSet;
        std::string term;
        std::string clear;
        TerminalSize size;
    } cases[] = {
        {true, "xterm-256color", xtermClear, {}},
        {true, "xterm-256color", xtermClear, {40000, 40000}},  // Beyond the console record's 16-bit sides.
        {true, "xterm-256color", xtermClear, {0, 0}},          // A terminal that does not tell its size.
        {true, "linux", "\x1b[H\x1b[J\x1b[3J\x1b[1;1H", {}},
        {true, "screen", "\x1b[H\x1b[J\x1b[1;1H", {}},  // No E3: the screen alone.
        {false, "", "", {}},
        {true, "", "", {}},
        {true, "dumb", "", {}},  // Has no clear capability.
        {true, "no-such-terminal", "", {}},
        {true, "../x/xterm", "", {}},
        {true, std::string(65000, 'x'), "", {}},
    };
    for (const auto& c : cases) {
        std::map<std::string, std::string> env = kUtc;
        if (c.termSet) env["TERM"] = c.term;
        const std::string what = c.termSet ? "TERM=" + c.term.substr(0, 40) : "TERM unset";
        SCOPED_TRACE(what + " " + std::to_string(c.size.columns) + "x" + std::to_string(c.size.rows));

        RunResult r = RunProgram(kBinary, {}, env, OutputTo::Terminal, 20, c.size);
        EXPECT_EQ(r.out, c.clear + kBanner + c.clear + kSyntax);
        EXPECT_EQ(r.exitCode, 0);

        const time_t before = ReadClock();
        r = RunProgram(kBinary, {"localhost"}, env, OutputTo::Terminal, 20, c.size);
        ExpectLocalReport(r, c.clear + kBanner + c.clear, "\\\\localhost", before, ReadClock());

        r = RunProgram(kBinary, {longName}, env, OutputTo::Terminal, 20, c.size);
        EXPECT_EQ(r.out, c.clear + kBanner + c.clear +
                             FailureBlock("\\\\" + longName, "The machine name is not valid. (0x7b)"));
        EXPECT_EQ(r.exitCode, 123);
    }
}

// A terminal whose terminfo library cannot be loaded (here, a library under
// its name without its functions) is treated like an unknown type.
TEST(Cli, TerminalWithoutTerminfoGetsTheTextAlone) {
    std::map<std::string, std::string> env = kUtc;
    env["TERM"] = "xterm-256color";
    env["LD_LIBRARY_PATH"] = CORVANE_TINFO_STAND_IN_DIR;
    RunResult r = RunProgram(kBinary, {}, env, OutputTo::Terminal);
    EXPECT_EQ(r.out, kBanner + kSyntax);
    EXPECT_EQ(r.exitCode, 0);
    const time_t before = ReadClock();
    r = RunProgram(kBinary, {"localhost"}, env, OutputTo::Terminal);
    ExpectLocalReport(r, kBanner, "\\\\localhost", before, ReadClock());
}

// Output that never reaches a reader is a failure: a report or the syntax
// text ends with status 29 (a write fault), and a failure keeps its own
// status. Nothing goes to standard error either way.
TEST(Cli, LostOutputIsAFailure) {
    const std::string longName(400, 'a');
    const struct {
        OutputTo output;
        const char* what;
    } outputs[] = {
        {OutputTo::FullDevice, "/dev/full"},
        {OutputTo::Closed, "closed standard output"},
        {OutputTo::GoneReader, "reader gone"},
        {OutputTo::GoneReaderSigpipeIgnored, "reader gone, SIGPIPE ignored"},
    };
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } runs[] = {
        {{"localhost"}, 29},
        {{}, 29},
        {{"/?"}, 29},
        {{longName}, 123},
    };
    for (const auto& o : outputs) {
        for (const auto& run : runs) {
            const RunResult r = RunProgram(kBinary, run.args, kUtc, o.output);
            EXPECT_EQ(r.exitCode, run.exitCode) << o.what << " " << Describe(run.args);
            EXPECT_EQ(r.err, "") << o.what << " " << Describe(run.args);
        }
    }
}

}  // namespace
