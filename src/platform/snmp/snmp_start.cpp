#include "snmp_start.h"

#include <cstdlib>

#include "crypto_start.h"

void StartSnmpLibrary(const SnmpLibrary& lib, const std::string& peer) {
    StartCrypto(peer);
    const char* current = getenv("LC_ALL");
    const bool wasSet = current != nullptr;
    const std::string previous = wasSet ? current : "";
    setenv("LC_ALL", "C", 1);
    lib.init_snmp("snmpapp");
    if (wasSet)
        setenv("LC_ALL", previous.c_str(), 1);
    else
        unsetenv("LC_ALL");
}
