#include "session_keys.h"

#include <algorithm>
#include <cstring>

#include "passphrase_key.h"

namespace {

// The authentication protocols, 1.3.6.1.6.3.10.1.1.N (RFC 3414, RFC 7860),
// and the digest each stretches passphrases with.
struct AuthDigest {
    oid last;
    const char* digest;
};
constexpr size_t kMaxKeyLength = 64;  // SHA-512's.
constexpr oid kAuthPrefix[] = {1, 3, 6, 1, 6, 3, 10, 1, 1};
constexpr AuthDigest kAuthDigests[] = {{2, "MD5"},      {3, "SHA1"},     {4, "SHA2-224"},
                                       {5, "SHA2-256"}, {6, "SHA2-384"}, {7, "SHA2-512"}};

const char* FindDigest(const oid* protocol, size_t length) {
    constexpr size_t kPrefixLength = sizeof kAuthPrefix / sizeof kAuthPrefix[0];
    if (protocol == nullptr || length != kPrefixLength + 1 ||
        !std::equal(kAuthPrefix, kAuthPrefix + kPrefixLength, protocol))
        return nullptr;
    for (const AuthDigest& entry : kAuthDigests)
        if (protocol[kPrefixLength] == entry.last) return entry.digest;
    return nullptr;
}

// The passphrase the library would stretch for one key, as it chooses it:
// none where a master key is configured, else the key's own passphrase or
// the common one.
const char* FindPassphrase(const SnmpLibrary& lib, int masterKey, int ownPassphrase) {
    if (lib.netsnmp_ds_get_string(NETSNMP_DS_LIBRARY_ID, masterKey) != nullptr) return nullptr;
    const char* passphrase = lib.netsnmp_ds_get_string(NETSNMP_DS_LIBRARY_ID, ownPassphrase);
    if (passphrase == nullptr) passphrase = lib.netsnmp_ds_get_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PASSPHRASE);
    return passphrase;
}

bool IsShort(const char* passphrase) { return passphrase != nullptr && strlen(passphrase) < USM_LENGTH_P_MIN; }

// The passphrase this tool stretches for one key; short ones stay with the
// library, which refuses them.
const char* FindUsablePassphrase(const SnmpLibrary& lib, int masterKey, int ownPassphrase) {
    const char* passphrase = FindPassphrase(lib, masterKey, ownPassphrase);
    return IsShort(passphrase) ? nullptr : passphrase;
}

// Fills key and its length when the key can be computed; leaves both as
// they are otherwise.
void SetKey(const char* digest, const char* passphrase, u_char* key, size_t capacity, size_t* keyLength) {
    unsigned char computed[kMaxKeyLength];
    const size_t length = ComputePassphraseKey(digest, passphrase, computed, std::min(capacity, sizeof computed));
    if (length == 0) return;
    memcpy(key, computed, length);
    *keyLength = length;
}

}  // namespace

void SetPassphraseKeys(const SnmpLibrary& lib, netsnmp_session* session) {
    if (session->version != SNMP_VERSION_3 || session->securityAuthKeyLen != 0 || session->securityPrivKeyLen != 0)
        return;
    size_t protocolLength = session->securityAuthProtoLen;
    const oid* protocol = session->securityAuthProto;
    if (protocolLength == 0) protocol = lib.get_default_authtype(&protocolLength);
    const char* digest = FindDigest(protocol, protocolLength);
    if (digest == nullptr) return;

    const char* auth = FindUsablePassphrase(lib, NETSNMP_DS_LIB_AUTHMASTERKEY, NETSNMP_DS_LIB_AUTHPASSPHRASE);
    const char* priv = FindUsablePassphrase(lib, NETSNMP_DS_LIB_PRIVMASTERKEY, NETSNMP_DS_LIB_PRIVPASSPHRASE);
    if (auth != nullptr)
        SetKey(digest, auth, session->securityAuthKey, sizeof session->securityAuthKey, &session->securityAuthKeyLen);
    if (priv == nullptr) return;
    // The privacy key is stretched with the authentication digest too, so
    // one passphrase for both gives one key.
    if (auth != nullptr && strcmp(auth, priv) == 0 && session->securityAuthKeyLen != 0 &&
        session->securityAuthKeyLen <= sizeof session->securityPrivKey) {
        memcpy(session->securityPrivKey, session->securityAuthKey, session->securityAuthKeyLen);
        session->securityPrivKeyLen = session->securityAuthKeyLen;
        return;
    }
    SetKey(digest, priv, session->securityPrivKey, sizeof session->securityPrivKey, &session->securityPrivKeyLen);
}

bool HasShortPassphrase(const SnmpLibrary& lib) {
    return IsShort(FindPassphrase(lib, NETSNMP_DS_LIB_AUTHMASTERKEY, NETSNMP_DS_LIB_AUTHPASSPHRASE)) ||
           IsShort(FindPassphrase(lib, NETSNMP_DS_LIB_PRIVMASTERKEY, NETSNMP_DS_LIB_PRIVPASSPHRASE));
}
