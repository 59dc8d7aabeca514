// Internal to the platform layer: GET requests to an SNMP agent through
// net-snmp, configured as net-snmp's own commands are.
#pragma once

#include <cstddef>
#include <string>

#include "../platform.h"
#include "snmp_answer.h"

enum class RemoteObject { SystemDate, SystemUptime, SysUpTime };

// One GET of the objects from the agent at peer (a net-snmp peer name).
// values[i] receives the value of objects[i]; an object the agent lacks
// reads as noSuchObject. Returns 0, or 53, 121, 5, 50, 59, 123 or 8.
NET_API_STATUS GetRemoteObjects(const std::string& peer, const RemoteObject* objects, size_t count,
                                SnmpVariable* values);
