// What has reached the output while the tool waits for an answer: on a
// terminal the banner is on the screen at once; a file or pipe receives
// nothing until the process ends. The tool's clock query goes to a UDP
// socket of the test's own on loopback, which never answers, so the run is
// held in the middle of its query while the test looks.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "crlf.h"
#include "run_process.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const std::string kBanner = Crlf("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");

enum class HeldOutput { Terminal, File, Pipe };

class HeldQuery {
public:
    explicit HeldQuery(HeldOutput output) {
        agent_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (agent_ < 0 || bind(agent_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            getsockname(agent_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        char pattern[] = "/tmp/corvane-held-XXXXXX";
        if (mkdtemp(pattern) == nullptr) return;
        directory_ = pattern;

        int childOut = -1;
        if (output == HeldOutput::Terminal) {
            termios raw{};
            cfmakeraw(&raw);
            if (openpty(&reader_, &childOut, nullptr, &raw, nullptr) != 0) return;
        } else if (output == HeldOutput::File) {
            childOut = open((directory_ + "/out").c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            reader_ = open((directory_ + "/out").c_str(), O_RDONLY | O_CLOEXEC);
        } else {
            int ends[2];
            if (pipe2(ends, O_CLOEXEC) != 0) return;
            reader_ = ends[0];
            childOut = ends[1];
        }
        fcntl(reader_, F_SETFL, O_NONBLOCK);

        std::vector<std::string> args = {kBinary, "127.0.0.1:" + std::to_string(ntohs(address.sin_port))};
        std::vector<std::string> env = {"PATH=/usr/bin:/bin", "LC_ALL=C", "TZ=UTC0", "SNMPCONFPATH=" + directory_,
                                        "HOME=" + directory_};
        std::vector<char*> argv = MakeExecList(args), envp = MakeExecList(env);
        pid_ = fork();
        if (pid_ == 0) {
            const int devNull = open("/dev/null", O_RDWR);
            if (output == HeldOutput::Terminal) setsid();
            dup2(devNull, STDIN_FILENO);
            dup2(childOut, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            execve(kBinary.c_str(), argv.data(), envp.data());
            _exit(127);
        }
        close(childOut);
    }

    ~HeldQuery() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (int fd : {agent_, reader_})
            if (fd >= 0) close(fd);
        if (!directory_.empty()) {
            unlink((directory_ + "/out").c_str());
            rmdir(directory_.c_str());
        }
    }

    HeldQuery(const HeldQuery&) = delete;
    HeldQuery& operator=(const HeldQuery&) = delete;

    // True once the tool's request has reached the test's socket, that is,
    // once the tool is waiting for the answer.
    bool WaitForQuery() {
        if (pid_ <= 0) return false;
        pollfd p{agent_, POLLIN, 0};
        return poll(&p, 1, 20000) == 1;
    }

    // Every byte that has reached the output so far.
    std::string ReadSoFar() {
        std::string bytes;
        char chunk[4096];
        for (ssize_t n; (n = read(reader_, chunk, sizeof chunk)) > 0;) bytes.append(chunk, static_cast<size_t>(n));
        return bytes;
    }

private:
    int agent_ = -1;
    int reader_ = -1;
    pid_t pid_ = -1;
    std::string directory_;
};

TEST(OutputBuffering, WhatHasArrivedWhileTheQueryWaits) {
    const struct {
        HeldOutput output;
        const char* what;
        std::string arrived;
    } cases[] = {
        {HeldOutput::Terminal, "terminal", kBanner},  // TERM is unset: no clearing.
        {HeldOutput::File, "file", ""},
        {HeldOutput::Pipe, "pipe", ""},
    };
    for (const auto& c : cases) {
        HeldQuery run(c.output);
        ASSERT_TRUE(run.WaitForQuery()) << c.what << ": the tool sent no query";
        EXPECT_EQ(run.ReadSoFar(), c.arrived) << c.what;
    }
}

}  // namespace
