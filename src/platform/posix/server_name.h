// Internal to the platform layer: what a server name designates.
#pragma once

#include <string>

#include "../platform.h"

// The name without its leading backslashes, as bytes. False when a unit has
// no single-byte form, which no host name can hold.
bool NarrowServerName(LPCWSTR serverName, std::string* host);

// The empty name, ".", "localhost", "127.0.0.1", "::1", "[::1]" and this host's own
// name, compared without case.
bool IsThisMachine(const std::string& host);

// "LanmanServer" without regard to case.
bool IsServerService(LPCWSTR service);
