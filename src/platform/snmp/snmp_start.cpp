#include "snmp_start.h"

#include <clocale>
#include <cstdlib>

#include "crypto_start.h"

void StartSnmpLibrary(const SnmpLibrary& lib, const std::string& peer) {
    StartCrypto(peer);
    // The library sets the character-type locale from the environment; the
    // tool keeps the runtime's own, and hands the library the C locale,
    // which loads no locale files.
    const char* locale = setlocale(LC_CTYPE, nullptr);
    const std::string runtimeLocale = locale != nullptr ? locale : "C";
    const char* current = getenv("LC_ALL");
    const bool wasSet = current != nullptr;
    const std::string previous = wasSet ? current : "";
    setenv("LC_ALL", "C", 1);
    lib.init_snmp("snmpapp");
    if (wasSet)
        setenv("LC_ALL", previous.c_str(), 1);
    else
        unsetenv("LC_ALL");
    setlocale(LC_CTYPE, runtimeLocale.c_str());
}
