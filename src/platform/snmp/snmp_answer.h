// Internal to the platform layer: an SNMP agent's answer turned into the
// network management records. Pure code, with no network and no library
// state, so that it can be tested and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "../platform.h"

// Value types as they arrive in a response (the ASN.1 tags).
constexpr int kSnmpInteger = 0x02;
constexpr int kSnmpOctetString = 0x04;
constexpr int kSnmpTimeTicks = 0x43;
constexpr int kSnmpNoSuchObject = 0x80;
constexpr int kSnmpNoSuchInstance = 0x81;
constexpr int kSnmpEndOfMibView = 0x82;

struct SnmpVariable {
    int type = kSnmpNoSuchObject;        // An object missing from the answer reads as noSuchObject.
    std::vector<unsigned char> octets;   // The value of an octet string.
    int64_t number = 0;                  // The value of a TimeTicks (unsigned) or an INTEGER (signed).
};

// True for an object the agent does not have, or does not show.
inline bool IsMissing(const SnmpVariable& v) {
    return v.type == kSnmpNoSuchObject || v.type == kSnmpNoSuchInstance || v.type == kSnmpEndOfMibView;
}

// A failure with its status and, in *cause, the finer code that names it.
inline NET_API_STATUS Fail(NET_API_STATUS status, DWORD finer, DWORD* cause) {
    *cause = finer;
    return status;
}

// Everything a run may need from one agent, asked for in one GET.
struct SnmpAnswer {
    SnmpVariable systemDate;    // hrSystemDate.0: a DateAndTime of 8 or 11 octets.
    SnmpVariable systemUptime;  // hrSystemUptime.0: the host's uptime in hundredths, 32 bits.
    SnmpVariable sysUpTime;     // sysUpTime.0: the agent's uptime in hundredths, 32 bits.
    SnmpVariable engineTime;    // snmpEngineTime.0, or the engine time SNMPv3 discovery reported.
    SnmpVariable statStart;     // comStatStart.0: the server service's start, seconds since 1970 UTC.
};

// Seconds an engine can plausibly have run: 30 years. Larger values are
// taken for a clock reading, not an age.
constexpr int64_t kMaxEngineSeconds = 30LL * 36525 * 864;

// The clock from hrSystemDate, as a time-of-day record in UTC, with
// tod_timezone the agent's offset in minutes west of UTC, -1 when unknown.
// An 11-octet value carries its offset. An 8-octet one is the agent's local
// time with an unknown offset: it is read with the offset, a whole multiple
// of 15 minutes from -12:00 to +14:00, that brings it nearest to
// localUtcSeconds (this machine's clock).
// Returns 0, 50 or 59; on failure *cause holds the finer code.
NET_API_STATUS ConvertTimeOfDay(const SnmpAnswer& answer, int64_t localUtcSeconds, TIME_OF_DAY_INFO* info,
                                DWORD* cause);

// The start time: comStatStart when present and not later than the clock;
// otherwise the clock less the uptime (hrSystemUptime, else sysUpTime),
// restored past its 32-bit wraps with the engine time. A start outside
// 1970 to 2038-01-19 03:14:07 UTC is a failure. Statuses as above.
NET_API_STATUS ConvertServerStatistics(const SnmpAnswer& answer, int64_t localUtcSeconds, STAT_SERVER_0* statistics,
                                       DWORD* cause);

// The uptime in whole seconds from a 32-bit count of hundredths that may
// have wrapped, and the engine's age in seconds (negative when unknown):
// the smallest count H + k * 2^32 not below 100 * engineSeconds - 500.
int64_t RestoreUptime(uint32_t hundredths, int64_t engineSeconds);
