// Internal to the platform layer: an SNMP agent's answer turned into the
// network management records. Pure code, with no network and no library
// state, so that it can be tested and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "../platform.h"

// Value types as they arrive in a response (the ASN.1 tags).
constexpr int kSnmpOctetString = 0x04;
constexpr int kSnmpTimeTicks = 0x43;
constexpr int kSnmpNoSuchObject = 0x80;
constexpr int kSnmpNoSuchInstance = 0x81;
constexpr int kSnmpEndOfMibView = 0x82;

struct SnmpVariable {
    int type = kSnmpNoSuchObject;        // An object missing from the answer reads as noSuchObject.
    std::vector<unsigned char> octets;   // The value of an octet string.
    uint64_t number = 0;                 // The value of a TimeTicks.
};

// hrSystemDate (a DateAndTime of 8 or 11 octets) as a time-of-day record in
// UTC. An 8-octet value carries no offset and is read as UTC. Gives 50 when
// the agent lacks the object and 59 for a value of the wrong type or out of
// range.
NET_API_STATUS ConvertTimeOfDay(const SnmpVariable& systemDate, TIME_OF_DAY_INFO* info);

// The start time: the clock's instant less the uptime in whole seconds,
// from hrSystemUptime or, only where the agent lacks it, sysUpTime. Both
// count hundredths of a second in 32 bits. Statuses as above.
NET_API_STATUS ConvertServerStatistics(const SnmpVariable& systemDate, const SnmpVariable& systemUptime,
                                       const SnmpVariable& sysUpTime, STAT_SERVER_0* statistics);
