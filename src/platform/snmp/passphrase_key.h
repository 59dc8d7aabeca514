// Internal to the platform layer: an SNMPv3 user's key from its passphrase
// (RFC 3414, A.2: the passphrase repeated to 1 MiB and hashed), computed
// with OpenSSL's digest over large blocks rather than 64 bytes at a time.
#pragma once

#include <cstddef>
#include <string_view>

// The key under the named OpenSSL digest ("MD5", "SHA1", "SHA2-256"...),
// written to key. Returns its length, or 0 when OpenSSL or the digest is not
// available (the system's OpenSSL configuration may withhold it), the
// passphrase is empty, or the key would not fit in capacity.
size_t ComputePassphraseKey(const char* digest, std::string_view passphrase, unsigned char* key, size_t capacity);
