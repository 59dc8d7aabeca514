#include "crypto_start.h"

#include <strings.h>

#include "crypto_library.h"

namespace {

// TLS and DTLS transports (tls:, tlstcp:, dtls:, dtlsudp:) look ciphers up
// in OpenSSL's table of cipher names; so does anything else starting so, to
// be safe.
bool MayUseTls(const std::string& peer) {
    return strncasecmp(peer.c_str(), "tls", 3) == 0 || strncasecmp(peer.c_str(), "dtls", 4) == 0;
}

}  // namespace

void StartCrypto(const std::string& peer) {
    const CryptoLibrary* crypto = LoadCryptoLibrary();
    if (crypto == nullptr) return;
    // A process that ends right after its query needs no clean-up of
    // OpenSSL's memory at exit, and the tool never shows OpenSSL's error
    // texts. The table of cipher names, which OpenSSL would otherwise build
    // from every cipher it has at its first use, serves only lookups by
    // legacy name: SNMPv3 fetches its algorithms from the providers. This
    // first call reads no configuration yet.
    uint64_t options = OPENSSL_INIT_NO_ATEXIT | OPENSSL_INIT_NO_LOAD_CRYPTO_STRINGS;
    if (!MayUseTls(peer)) options |= OPENSSL_INIT_NO_ADD_ALL_CIPHERS;
    crypto->OPENSSL_init_crypto(options, nullptr);
    // net-snmp draws three random salts at set-up, whatever the SNMP
    // version. OpenSSL's default generator (CTR_DRBG) builds the table of
    // every cipher it offers to find AES for them; the hash generator of the
    // same standard (Hash_DRBG, NIST SP 800-90A), seeded from the kernel in
    // the same way, needs only a digest. Chosen before the configuration is
    // read, so that a "random" section there still decides.
    crypto->RAND_set_DRBG_type(nullptr, "HASH-DRBG", nullptr, nullptr, "SHA256");
    // The system's configuration (openssl.cnf, or OPENSSL_CONF), as any
    // OpenSSL program reads it.
    crypto->OPENSSL_init_crypto(OPENSSL_INIT_LOAD_CONFIG, nullptr);
}
