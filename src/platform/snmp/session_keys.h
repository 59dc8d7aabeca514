// Internal to the platform layer: SNMPv3 keys computed by the tool and
// handed to net-snmp in the session, in place of the passphrases that the
// library would otherwise stretch into keys itself, more slowly.
#pragma once

#include "snmp_library.h"

// For a session about to open: where net-snmp would compute a key from a
// configured passphrase, computes the same key and puts it in the session.
// The library keeps its own path where a master key is configured, where it
// refuses the passphrase (under 8 characters), for an authentication type
// not listed here, and wherever the key cannot be computed.
void SetPassphraseKeys(const SnmpLibrary& lib, netsnmp_session* session);

// True when a passphrase the library would stretch into a key (one not
// replaced by a configured master key) is shorter than the 8 characters it
// takes: it then refuses the session before sending anything.
bool HasShortPassphrase(const SnmpLibrary& lib);
