// Internal to the platform layer: the OpenSSL functions the tool calls
// itself. They come from the libcrypto that net-snmp brought in when it was
// loaded, never from a link of the tool's own, so runs on this machine do
// not load OpenSSL. Only interfaces current in OpenSSL 3 can be named here.
#pragma once

#include "../loaded_functions.h"

#define OPENSSL_API_COMPAT 30000
#define OPENSSL_NO_DEPRECATED
#include <openssl/core_dispatch.h>
#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/params.h>
#include <openssl/provider.h>
#include <openssl/rand.h>

#define CORVANE_CRYPTO_FUNCTIONS(X)                                                                     \
    X(OPENSSL_init_crypto) X(RAND_set_DRBG_type) X(EVP_MD_fetch) X(EVP_MD_free) X(EVP_MD_get_size)     \
    X(EVP_MD_CTX_new) X(EVP_MD_CTX_free) X(EVP_DigestInit_ex) X(EVP_DigestUpdate) X(EVP_DigestFinal_ex) \
    X(OPENSSL_cleanse) X(OSSL_PROVIDER_add_builtin) X(OSSL_PROVIDER_try_load) X(RAND_get0_public)           \
    X(OSSL_PARAM_locate) X(OSSL_PARAM_set_int) X(OSSL_PARAM_set_uint) X(OSSL_PARAM_set_size_t)

// The functions, each with the type its header declares.
struct CryptoLibrary {
    CORVANE_CRYPTO_FUNCTIONS(CORVANE_DECLARE_FUNCTION)
};

// The functions from the libcrypto net-snmp loaded, or nullptr when net-snmp
// is not loaded or its libcrypto lacks one of them.
const CryptoLibrary* LoadCryptoLibrary();
