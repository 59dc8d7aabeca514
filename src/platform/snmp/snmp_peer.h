// Internal to the platform layer: peer names as net-snmp takes them.
#pragma once

#include <string>

// False for a name no SNMP peer name can be: an empty or blank
// address, white space or control characters, a port that is not a number
// from 1 to 65535, an unclosed bracket. Anything else is left to net-snmp.
bool IsValidPeerName(const std::string& peer);

// The host part of a valid peer name, without transport prefix, brackets
// or port, for telling a name that does not resolve; empty for a socket path.
std::string GetPeerHost(const std::string& peer);
