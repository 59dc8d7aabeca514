#include "udp_probe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// A UDP socket bound to a free loopback port; *port receives the port.
int BindLoopback(int* port) {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (s >= 0) close(s);
        *port = 0;
        return -1;
    }
    *port = ntohs(address.sin_port);
    return s;
}

}  // namespace

SilentSocket::SilentSocket() { socket_ = BindLoopback(&port_); }

SilentSocket::~SilentSocket() {
    if (socket_ >= 0) close(socket_);
}

int SilentSocket::CountReceived() {
    int count = 0;
    char datagram[65536];
    while (recv(socket_, datagram, sizeof datagram, MSG_DONTWAIT) >= 0) ++count;
    return count;
}

UdpForwarder::UdpForwarder(int agentPort) : agentPort_(agentPort) {
    front_ = BindLoopback(&port_);
    int unused = 0;
    back_ = BindLoopback(&unused);
    thread_ = std::thread([this] { Run(); });
}

UdpForwarder::~UdpForwarder() {
    stop_ = true;
    thread_.join();
    if (front_ >= 0) close(front_);
    if (back_ >= 0) close(back_);
}

void UdpForwarder::Run() {
    sockaddr_in client{};
    bool haveClient = false;
    const sockaddr_in agent = Loopback(agentPort_);
    char datagram[65536];
    while (!stop_) {
        pollfd fds[2] = {{front_, POLLIN, 0}, {back_, POLLIN, 0}};
        if (poll(fds, 2, 20) <= 0) continue;
        if (fds[0].revents & POLLIN) {
            socklen_t length = sizeof client;
            const ssize_t n =
                recvfrom(front_, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&client), &length);
            if (n >= 0) {
                haveClient = true;
                ++requests_;
                sendto(back_, datagram, static_cast<size_t>(n), 0, reinterpret_cast<const sockaddr*>(&agent),
                       sizeof agent);
            }
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = recv(back_, datagram, sizeof datagram, 0);
            if (n >= 0 && haveClient)
                sendto(front_, datagram, static_cast<size_t>(n), 0, reinterpret_cast<const sockaddr*>(&client),
                       sizeof client);
        }
    }
}
