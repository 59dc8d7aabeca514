// Runs two or more commands in turn, RUNS times each, and prints for each the
// median wall time and the median peak memory (maximum resident set) of its
// whole process, and the ratios of the first command's medians to each
// other's. Alternating runs share out whatever else loads the machine.
//
// Usage: bench_runner RUNS LABEL COMMAND [ARGS...] [:: LABEL COMMAND [ARGS...]]...
//
// Each process starts through posix_spawn with its standard input, output
// and error on /dev/null, so the launcher costs every command the same and
// no command pays for a terminal or a pipe. A run that exits other than 0
// stops the benchmark: a failing run would be quick and flatter its side.
//
// Peak memory comes from separate runs, also alternating: the process is
// traced, stopped as it exits, and its VmHWM read. The maximum resident set
// that wait4 reports would not do: Linux carries into it the resident set
// of the process image that the exec replaced, here this runner's own.
#include <fcntl.h>
#include <spawn.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Command {
    std::string label;
    std::vector<std::string> words;
    std::vector<long> micros;
    std::vector<long> kibibytes;
};

long NowMicros() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000L + t.tv_nsec / 1000;
}

std::string ReadLoad() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::vector<char*> MakeArgv(Command& command) {
    std::vector<char*> argv;
    for (auto& word : command.words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return argv;
}

bool ReportStatus(const Command& command, int status) {
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    fprintf(stderr, "%s: exit status %d, not 0\n", command.label.c_str(), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return false;
}

// Times one run; false when it could not start or did not exit 0.
bool TimeOnce(Command& command) {
    std::vector<char*> argv = MakeArgv(command);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const long start = NowMicros();
    pid_t child = -1;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        fprintf(stderr, "%s: cannot start %s: %s\n", command.label.c_str(), argv[0], strerror(failed));
        return false;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    const long end = NowMicros();
    if (!ReportStatus(command, status)) return false;
    command.micros.push_back(end - start);
    return true;
}

long ReadPeakKibibytes(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("VmHWM:", 0) == 0) return atol(line.c_str() + 6);
    return -1;
}

// Measures the peak memory of one run; false as for TimeOnce.
bool MeasureOnce(Command& command) {
    std::vector<char*> argv = MakeArgv(command);
    const pid_t child = fork();
    if (child == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (child < 0) return false;
    long peak = -1;
    int status = 0;
    while (waitpid(child, &status, 0) == child && WIFSTOPPED(status)) {
        int signal = 0;
        if (status >> 8 == (SIGTRAP | PTRACE_EVENT_EXIT << 8))
            peak = ReadPeakKibibytes(child);
        else if (WSTOPSIG(status) == SIGTRAP && peak < 0)  // Stopped after exec: ask to stop again at exit.
            ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACEEXIT);
        else
            signal = WSTOPSIG(status);
        ptrace(PTRACE_CONT, child, nullptr, signal);
    }
    if (!ReportStatus(command, status)) return false;
    if (peak < 0) {
        fprintf(stderr, "%s: no peak memory read\n", command.label.c_str());
        return false;
    }
    command.kibibytes.push_back(peak);
    return true;
}

double Median(std::vector<long> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? static_cast<double>(values[n / 2]) : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s RUNS LABEL COMMAND [ARGS...] [:: LABEL COMMAND [ARGS...]]...\n", argv[0]);
        return 2;
    }
    const int runs = atoi(argv[1]);
    std::vector<Command> commands(1);
    for (int i = 2; i < argc; ++i) {
        if (strcmp(argv[i], "::") == 0) {
            commands.emplace_back();
            continue;
        }
        if (commands.back().label.empty())
            commands.back().label = argv[i];
        else
            commands.back().words.push_back(argv[i]);
    }
    for (const auto& command : commands)
        if (command.words.empty() || runs < 1) {
            fprintf(stderr, "every command needs a label and a program, and RUNS must be at least 1\n");
            return 2;
        }

    const std::string loadBefore = ReadLoad();
    for (auto& command : commands) {  // One unrecorded run each: files in the page cache.
        if (!TimeOnce(command)) return 1;
        command.micros.clear();
    }
    for (int run = 0; run < runs; ++run) {
        for (auto& command : commands)
            if (!TimeOnce(command)) return 1;
        for (auto& command : commands)
            if (!MeasureOnce(command)) return 1;
    }

    printf("runs: %d of each, alternating; load average before %s, after %s\n", runs, loadBefore.c_str(),
           ReadLoad().c_str());
    for (const auto& command : commands)
        printf("%-24s median wall %8.0f us, median peak memory %6.0f KiB\n", command.label.c_str(),
               Median(command.micros), Median(command.kibibytes));
    for (size_t i = 1; i < commands.size(); ++i)
        printf("ratio %s/%s: wall %.2f, peak memory %.2f\n", commands[0].label.c_str(), commands[i].label.c_str(),
               Median(commands[0].micros) / Median(commands[i].micros),
               Median(commands[0].kibibytes) / Median(commands[i].kibibytes));
    return 0;
}
