// Loopback UDP helpers for counting what the tool sends: a silent socket
// that never answers, and a forwarder that passes datagrams to an agent and
// back, counting the requests.
#pragma once

#include <atomic>
#include <thread>

// A UDP socket on 127.0.0.1 that receives and never answers.
class SilentSocket {
public:
    SilentSocket();
    ~SilentSocket();
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;

    int Port() const { return port_; }
    int CountReceived();  // Datagrams received since the last count.

private:
    int socket_ = -1;
    int port_ = 0;
};

// Forwards every datagram from a client to the agent's port and the
// agent's answers back to that client.
class UdpForwarder {
public:
    explicit UdpForwarder(int agentPort);
    ~UdpForwarder();
    UdpForwarder(const UdpForwarder&) = delete;
    UdpForwarder& operator=(const UdpForwarder&) = delete;

    int Port() const { return port_; }
    int Requests() const { return requests_; }

private:
    void Run();

    int front_ = -1, back_ = -1;
    int port_ = 0, agentPort_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
