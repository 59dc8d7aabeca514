// Internal to the platform layer: OpenSSL started by the tool before net-snmp
// would start it, at less cost and with the system's OpenSSL configuration
// still read and applied.
#pragma once

#include <string>

// Call once, after loading net-snmp and before init_snmp, with the peer name
// the run asks. Without OpenSSL's functions it does nothing, and the library
// starts OpenSSL its own way.
void StartCrypto(const std::string& peer);
