// Internal to the platform layer: GET requests to an SNMP agent through
// net-snmp, configured as net-snmp's own commands are.
#pragma once

#include <string>

#include "../platform.h"
#include "snmp_answer.h"

// Asks the agent at peer (a net-snmp peer name), in one GET, for every
// object of an answer; an object the agent lacks reads as noSuchObject.
// Returns 0, or 53, 121, 5, 59, 123 or 8 with the finer cause in *cause.
NET_API_STATUS GetRemoteAnswer(const std::string& peer, SnmpAnswer* answer, DWORD* cause);
