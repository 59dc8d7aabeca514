// A real snmpd on a free loopback UDP port, with a configuration made for
// one test; started by the test and stopped when it goes out of scope.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class SnmpAgent {
public:
    // config: lines added after the address line, with every "{port}" in
    // them replaced by the agent's port. arguments: extra snmpd options,
    // such as "-I", "-hr_system". wrapper: a command that runs snmpd as its
    // child, such as unshare making a time namespace.
    SnmpAgent(const std::string& config, const std::vector<std::string>& arguments = {},
              const std::vector<std::string>& wrapper = {});
    ~SnmpAgent();
    SnmpAgent(const SnmpAgent&) = delete;
    SnmpAgent& operator=(const SnmpAgent&) = delete;

    bool IsRunning() const { return pid_ > 0; }
    int Port() const { return port_; }
    std::string Peer() const { return "127.0.0.1:" + std::to_string(port_); }
    const std::string& Directory() const { return directory_; }
    std::string Log() const;  // What snmpd said, for failure messages.

    static bool IsInstalled();

private:
    bool StartOnce(const std::string& config, const std::vector<std::string>& arguments);
    void Stop();

    std::vector<std::string> wrapper_;
    std::string directory_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// Writes text to path; false when it cannot.
bool WriteTextFile(const std::string& path, const std::string& text);
