#include "crypto_start.h"

#include <strings.h>

#include "crypto_library.h"
#include "kernel_random.h"

namespace {

// TLS and DTLS transports (tls:, tlstcp:, dtls:, dtlsudp:) look algorithms
// up by legacy name; so may anything else starting so, to be safe.
bool MayUseTls(const std::string& peer) {
    return strncasecmp(peer.c_str(), "tls", 3) == 0 || strncasecmp(peer.c_str(), "dtls", 4) == 0;
}

}  // namespace

void StartCrypto(const std::string& peer) {
    const CryptoLibrary* crypto = LoadCryptoLibrary();
    if (crypto == nullptr) return;
    // A process that ends right after its query needs no clean-up of
    // OpenSSL's memory at exit, and the tool never shows OpenSSL's error
    // texts. The tables of cipher and digest names, which OpenSSL would
    // otherwise build from every algorithm it has at its first use, serve
    // only lookups by legacy name, as in certificate checks: SNMPv3 fetches
    // its algorithms from the providers. This first call reads no
    // configuration yet.
    uint64_t options = OPENSSL_INIT_NO_ATEXIT | OPENSSL_INIT_NO_LOAD_CRYPTO_STRINGS;
    if (!MayUseTls(peer)) options |= OPENSSL_INIT_NO_ADD_ALL_CIPHERS | OPENSSL_INIT_NO_ADD_ALL_DIGESTS;
    crypto->OPENSSL_init_crypto(options, nullptr);
    // net-snmp draws three random salts at set-up, whatever the SNMP
    // version. They come from the kernel's generator, as OpenSSL's own
    // generator seeds itself, rather than from a generator that first builds
    // its cipher.
    OfferKernelRandom(*crypto);
    // The system's configuration (openssl.cnf, or OPENSSL_CONF), as any
    // OpenSSL program reads it.
    crypto->OPENSSL_init_crypto(OPENSSL_INIT_LOAD_CONFIG, nullptr);
    LoadKernelRandom(*crypto);
}
