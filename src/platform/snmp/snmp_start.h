// Internal to the platform layer: net-snmp's set-up (init_snmp) at the least
// cost the tool can give it.
#pragma once

#include <string>

#include "snmp_library.h"

// Starts OpenSSL for the peer the run asks (see crypto_start.h), then runs
// init_snmp("snmpapp") with the C locale in the environment: the library
// sets the character-type locale from the environment, and the C locale
// loads no locale files. The environment and the runtime's locale are as
// they were afterwards.
void StartSnmpLibrary(const SnmpLibrary& lib, const std::string& peer);
