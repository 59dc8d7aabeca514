// An empty "TZ" means the system's zone. The test gives the tool a system
// zone other than UTC without touching the machine: in a private mount
// namespace (root only), /etc gets an overlay whose /etc/localtime is a zone
// compiled here, 3:25:15 west of UTC. The tool's Current and Started lines
// must be what `date` shows for the same instants in that namespace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "crlf.h"
#include "run_process.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const int kSkipStatus = 77;

// An overlay rather than a bind mount over /etc/localtime: where that is a
// symbolic link, a bind would land on its target, a file that other zone
// names such as "Universal" (the C library's reading of an empty "TZ")
// share, and then the system zone and UTC could not be told apart.
const char kScript[] = R"(
set -u
d=$1 tool=$2
format='+%A, %B %d, %Y - %H:%M:%S'
zic -d "$d/zones" "$d/odd.zi" || { echo "zic failed" >&2; exit 77; }
mount -t tmpfs corvane-zone "$d/layer" || { echo "cannot mount a tmpfs" >&2; exit 77; }
mkdir "$d/layer/upper" "$d/layer/work"
cp "$d/zones/Test/Odd" "$d/layer/upper/localtime"
mount -t overlay corvane-zone -o "lowerdir=/etc,upperdir=$d/layer/upper,workdir=$d/layer/work" /etc ||
  { echo "cannot lay an overlay over /etc" >&2; exit 77; }
before=$(date +%s)
TZ= "$tool" localhost >"$d/report" 2>"$d/errors"
echo $? >"$d/status"
after=$(date +%s)
t=$before
while [ "$t" -le "$after" ]; do date -d "@$t" "$format"; t=$((t + 1)); done >"$d/now"
boot=$(awk '/^btime/ { print $2 }' /proc/stat)
for t in $((boot - 1)) $boot $((boot + 1)); do date -d "@$t" "$format"; done >"$d/boot"
TZ=UTC0 date -d "@$before" "$format" >"$d/utc"
)";

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text after label up to the line end, or "" when there is none.
std::string FindLine(const std::string& report, const std::string& label) {
    const size_t at = report.find(label);
    if (at == std::string::npos) return "";
    const size_t end = report.find("\r\n", at);
    return report.substr(at + label.size(), end == std::string::npos ? std::string::npos : end - at - label.size());
}

bool IsOneOfTheLines(const std::string& text, const std::string& lines) {
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);)
        if (!text.empty() && line == text) return true;
    return false;
}

TEST(SystemZone, EmptyTzIsTheSystemZone) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root for a private mount namespace";
    for (const char* tool : {"/usr/bin/unshare", "/usr/sbin/zic", "/usr/bin/date"})
        if (access(tool, X_OK) != 0) GTEST_SKIP() << tool << " is not installed";
    char pattern[] = "/tmp/corvane-zone-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string d = pattern;
    std::filesystem::create_directory(d + "/layer");
    std::ofstream(d + "/odd.zi") << "Zone Test/Odd -3:25:15 - ODD\n";

    const RunResult r = RunProgram("/usr/bin/unshare", {"-m", "--propagation", "private", "/bin/sh", "-c", kScript,
                                                        "sh", d, kBinary},
                                     {});
    const std::string report = ReadText(d + "/report"), errors = ReadText(d + "/errors"),
                      status = ReadText(d + "/status"), now = ReadText(d + "/now"), boot = ReadText(d + "/boot"),
                      utc = ReadText(d + "/utc");
    std::error_code ignored;
    std::filesystem::remove_all(d, ignored);
    if (r.exitCode == kSkipStatus) GTEST_SKIP() << "no private mount namespace here: " << r.err;
    ASSERT_EQ(r.exitCode, 0) << r.err;

    EXPECT_EQ(status, "0\n");
    EXPECT_EQ(errors, "");
    const std::string current = FindLine(report, "   Current:\t");
    EXPECT_TRUE(IsOneOfTheLines(current, now)) << "Current: " << current << "\ndate:\n" << now << report;
    const std::string started = FindLine(report, "   Started:\t");
    EXPECT_TRUE(IsOneOfTheLines(started, boot)) << "Started: " << started << "\ndate:\n" << boot;
    // The zone is not UTC, so UTC in its place would not pass.
    EXPECT_FALSE(IsOneOfTheLines(current, utc)) << utc;
}

}  // namespace
