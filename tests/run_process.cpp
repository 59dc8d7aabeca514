#include "run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::string ReadFile(int fd) {
    std::string bytes;
    lseek(fd, 0, SEEK_SET);
    char chunk[4096];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) bytes.append(chunk, static_cast<size_t>(n));
    return bytes;
}

}  // namespace

RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment, OutputTo output, double timeoutSeconds,
                     TerminalSize terminalSize) {
    RunResult result;
    int outPipe[2] = {-1, -1}, errPipe[2] = {-1, -1}, outFile = -1, master = -1, slave = -1;
    char filePath[] = "/tmp/corvane-out-XXXXXX";
    if (pipe(errPipe) != 0) return result;
    const bool goneReader = output == OutputTo::GoneReader || output == OutputTo::GoneReaderSigpipeIgnored;
    if ((output == OutputTo::Pipe || goneReader) && pipe(outPipe) != 0) return result;
    if (goneReader) {  // The reader is gone before the tool writes a byte.
        close(outPipe[0]);
        outPipe[0] = -1;
    }
    if (output == OutputTo::File) {
        outFile = mkstemp(filePath);
        unlink(filePath);
    }
    if (output == OutputTo::Terminal) {
        winsize size{};
        size.ws_col = terminalSize.columns;
        size.ws_row = terminalSize.rows;
        if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) return result;
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);  // Bytes reach the reader as the tool wrote them.
        tcsetattr(slave, TCSANOW, &raw);
    }

    std::vector<std::string> envStrings = {"PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin", "LC_ALL=C"};
    for (const auto& [name, value] : environment) envStrings.push_back(name + "=" + value);
    std::vector<std::string> args = arguments;
    args.insert(args.begin(), program);
    std::vector<char*> envp = MakeExecList(envStrings), argv = MakeExecList(args);

    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        if (output == OutputTo::Pipe || goneReader) dup2(outPipe[1], STDOUT_FILENO);
        if (output == OutputTo::File) dup2(outFile, STDOUT_FILENO);
        if (output == OutputTo::FullDevice) dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
        if (output == OutputTo::Closed) close(STDOUT_FILENO);
        signal(SIGPIPE, output == OutputTo::GoneReaderSigpipeIgnored ? SIG_IGN : SIG_DFL);
        if (output == OutputTo::Terminal) {
            setsid();
            ioctl(slave, TIOCSCTTY, 0);
            dup2(slave, STDOUT_FILENO);
        }
        dup2(errPipe[1], STDERR_FILENO);
        for (int fd = 3; fd < 1024; ++fd) close(fd);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(errPipe[1]);
    if (outPipe[1] >= 0) close(outPipe[1]);
    if (slave >= 0) close(slave);

    // Read until the streams close (a terminal reports EIO once the tool is gone).
    const int outRead = output == OutputTo::Pipe ? outPipe[0] : master;
    std::vector<pollfd> fds = {{errPipe[0], POLLIN, 0}};
    if (outRead >= 0) fds.push_back({outRead, POLLIN, 0});
    int open = static_cast<int>(fds.size());
    while (open > 0) {
        const double left = timeoutSeconds - (Now() - start);
        if (left <= 0) {
            result.timedOut = true;
            kill(child, SIGKILL);
            break;
        }
        if (poll(fds.data(), fds.size(), static_cast<int>(left * 1000) + 1) <= 0) continue;
        for (pollfd& p : fds) {
            if (p.fd < 0 || p.revents == 0) continue;
            char chunk[4096];
            const ssize_t n = read(p.fd, chunk, sizeof chunk);
            if (n <= 0) {
                close(p.fd);
                p.fd = -1;
                --open;
                continue;
            }
            (p.fd == errPipe[0] ? result.err : result.out).append(chunk, static_cast<size_t>(n));
        }
    }
    for (pollfd& p : fds)
        if (p.fd >= 0) close(p.fd);
    int status = 0;
    waitpid(child, &status, 0);
    result.seconds = Now() - start;
    if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (outFile >= 0) {
        result.out = ReadFile(outFile);
        close(outFile);
    }
    return result;
}

std::vector<char*> MakeExecList(std::vector<std::string>& texts) {
    std::vector<char*> list;
    for (std::string& text : texts) list.push_back(text.data());
    list.push_back(nullptr);
    return list;
}
