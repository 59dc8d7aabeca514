#include "snmp_peer.h"

#include <strings.h>

namespace {

// Transport prefixes net-snmp accepts before an address that ends in ":port".
const char* const kPrefixes[] = {"udp:",     "tcp:",     "udp6:",    "tcp6:",    "udpv6:",   "tcpv6:",
                                 "udpipv6:", "tcpipv6:", "dtlsudp:", "tlstcp:",  "dtls:",    "tls:"};

bool IsPort(const std::string& text) {
    if (text.empty() || text.size() > 5) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

std::string StripPrefix(const std::string& peer) {
    for (const char* prefix : kPrefixes) {
        const size_t length = std::char_traits<char>::length(prefix);
        if (peer.size() >= length && strncasecmp(peer.c_str(), prefix, length) == 0) return peer.substr(length);
    }
    return peer;
}

}  // namespace

std::string GetPeerHost(const std::string& peer) {
    if (peer.size() > 5 && strncasecmp(peer.c_str(), "unix:", 5) == 0) return "";
    const std::string address = StripPrefix(peer);
    if (!address.empty() && address[0] == '[') {
        const size_t close = address.find(']');
        return close == std::string::npos ? address.substr(1) : address.substr(1, close - 1);
    }
    const size_t colon = address.find(':');
    if (colon == std::string::npos || address.find(':', colon + 1) != std::string::npos) return address;
    return address.substr(0, colon);
}

bool IsValidPeerName(const std::string& peer) {
    for (unsigned char c : peer)
        if (c <= 0x20 || c == 0x7F) return false;
    if (peer.size() > 5 && strncasecmp(peer.c_str(), "unix:", 5) == 0) return true;  // A socket path.
    const std::string address = StripPrefix(peer);
    if (address.empty()) return false;
    if (address[0] == '[') {
        const size_t close = address.find(']');
        if (close == std::string::npos || close == 1) return false;
        const std::string rest = address.substr(close + 1);
        return rest.empty() || (rest[0] == ':' && IsPort(rest.substr(1)));
    }
    const size_t colon = address.find(':');
    if (colon == std::string::npos || address.find(':', colon + 1) != std::string::npos)
        return true;  // A plain name, or an IPv6 address without brackets.
    return colon > 0 && IsPort(address.substr(colon + 1));
}
