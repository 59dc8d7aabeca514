#include "snmp_agent.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_process.h"

namespace {

const char kSnmpd[] = SNMPD_PROGRAM;

// A UDP port on 127.0.0.1 that nothing holds at the moment.
int FindFreePort() {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

// True once some process has bound 127.0.0.1:port for UDP.
bool IsPortBound(int port) {
    std::ifstream table("/proc/net/udp");
    char wanted[32];
    snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
    std::string line;
    while (std::getline(table, line))
        if (line.find(wanted) != std::string::npos) return true;
    return false;
}

void Pause(long milliseconds) {
    timespec t{milliseconds / 1000, (milliseconds % 1000) * 1000000};
    nanosleep(&t, nullptr);
}

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

bool SnmpAgent::IsInstalled() { return access(kSnmpd, X_OK) == 0; }

SnmpAgent::SnmpAgent(const std::string& config, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& wrapper)
    : wrapper_(wrapper) {
    char pattern[] = "/tmp/corvane-agent-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    directory_ = pattern;
    for (int attempt = 0; attempt < 5 && !StartOnce(config, arguments); ++attempt) {
    }
}

SnmpAgent::~SnmpAgent() {
    Stop();
    if (!directory_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
}

std::string SnmpAgent::Log() const {
    std::ifstream log(directory_ + "/snmpd.log");
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
}

bool SnmpAgent::StartOnce(const std::string& config, const std::vector<std::string>& arguments) {
    port_ = FindFreePort();
    if (port_ == 0) return false;
    const std::string configPath = directory_ + "/snmpd.conf";
    std::string lines = config;
    for (size_t at; (at = lines.find("{port}")) != std::string::npos;) lines.replace(at, 6, std::to_string(port_));
    if (!WriteTextFile(configPath, "agentAddress udp:127.0.0.1:" + std::to_string(port_) + "\n" + lines)) return false;

    std::vector<std::string> args = wrapper_;
    for (const std::string& a : {std::string(kSnmpd), std::string("-f"), std::string("-C"), std::string("-c"),
                                 configPath, std::string("-Lf"), directory_ + "/snmpd.log"})
        args.push_back(a);
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env = {"PATH=/usr/sbin:/usr/bin:/sbin:/bin", "MIBS=", "MIBDIRS=",
                                    "SNMP_PERSISTENT_DIR=" + directory_ + "/state", "HOME=" + directory_};
    std::vector<char*> argv = MakeExecList(args), envp = MakeExecList(env);

    pid_ = fork();
    if (pid_ == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execve(args[0].c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ < 0) return false;
    for (int waited = 0; waited < 10000; waited += 20) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {  // It gave up, perhaps on a taken port.
            pid_ = -1;
            return false;
        }
        if (IsPortBound(port_)) return true;
        Pause(20);
    }
    Stop();
    return false;
}

void SnmpAgent::Stop() {
    if (pid_ <= 0) return;
    // A wrapper that waits for snmpd may ignore the signal: stop snmpd itself.
    if (!wrapper_.empty()) {
        std::ifstream children("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/children");
        for (pid_t child; children >> child;) kill(child, SIGTERM);
    }
    kill(pid_, SIGTERM);
    for (int waited = 0; waited < 5000; waited += 20) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        Pause(20);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}
