#include "kernel_random.h"

#include <sys/random.h>

#include <cerrno>

namespace {

constexpr char kProviderName[] = "corvane-kernel-random";
constexpr char kGeneratorName[] = "KERNEL-RANDOM";
constexpr char kProperties[] = "provider=corvane-kernel-random";
constexpr unsigned int kStrength = 256;
constexpr size_t kMaxRequest = 65536;

const CryptoLibrary* gCrypto = nullptr;  // For the callbacks below.
int gContext = 0;                        // Every generator is the kernel's: no state of its own.

void* NewContext(void*, void*, const OSSL_DISPATCH*) { return &gContext; }
void FreeContext(void*) {}
int Instantiate(void*, unsigned int strength, int, const unsigned char*, size_t, const OSSL_PARAM[]) {
    return strength <= kStrength;
}
int Uninstantiate(void*) { return 1; }
int Generate(void*, unsigned char* out, size_t length, unsigned int strength, int, const unsigned char*, size_t) {
    if (strength > kStrength) return 0;
    while (length > 0) {
        const ssize_t got = getrandom(out, length, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        out += got;
        length -= static_cast<size_t>(got);
    }
    return 1;
}
int EnableLocking(void*) { return 1; }  // getrandom is safe from any thread.
int Lock(void*) { return 1; }
void Unlock(void*) {}

int GetContextParameters(void*, OSSL_PARAM parameters[]) {
    OSSL_PARAM* p = gCrypto->OSSL_PARAM_locate(parameters, OSSL_RAND_PARAM_STATE);
    if (p != nullptr && !gCrypto->OSSL_PARAM_set_int(p, EVP_RAND_STATE_READY)) return 0;
    p = gCrypto->OSSL_PARAM_locate(parameters, OSSL_RAND_PARAM_STRENGTH);
    if (p != nullptr && !gCrypto->OSSL_PARAM_set_uint(p, kStrength)) return 0;
    p = gCrypto->OSSL_PARAM_locate(parameters, OSSL_RAND_PARAM_MAX_REQUEST);
    if (p != nullptr && !gCrypto->OSSL_PARAM_set_size_t(p, kMaxRequest)) return 0;
    return 1;
}

const OSSL_PARAM* GetGettableContextParameters(void*, void*) {
    static const OSSL_PARAM kGettable[] = {OSSL_PARAM_int(OSSL_RAND_PARAM_STATE, nullptr),
                                           OSSL_PARAM_uint(OSSL_RAND_PARAM_STRENGTH, nullptr),
                                           OSSL_PARAM_size_t(OSSL_RAND_PARAM_MAX_REQUEST, nullptr), OSSL_PARAM_END};
    return kGettable;
}

template <typename Function>
OSSL_DISPATCH Entry(int id, Function* function) {
    return {id, reinterpret_cast<void (*)()>(function)};
}

const OSSL_ALGORITHM* QueryOperation(void*, int operation, int* noCache) {
    static const OSSL_DISPATCH kGenerator[] = {
        Entry(OSSL_FUNC_RAND_NEWCTX, NewContext),
        Entry(OSSL_FUNC_RAND_FREECTX, FreeContext),
        Entry(OSSL_FUNC_RAND_INSTANTIATE, Instantiate),
        Entry(OSSL_FUNC_RAND_UNINSTANTIATE, Uninstantiate),
        Entry(OSSL_FUNC_RAND_GENERATE, Generate),
        Entry(OSSL_FUNC_RAND_ENABLE_LOCKING, EnableLocking),
        Entry(OSSL_FUNC_RAND_LOCK, Lock),
        Entry(OSSL_FUNC_RAND_UNLOCK, Unlock),
        Entry(OSSL_FUNC_RAND_GET_CTX_PARAMS, GetContextParameters),
        Entry(OSSL_FUNC_RAND_GETTABLE_CTX_PARAMS, GetGettableContextParameters),
        {0, nullptr}};
    static const OSSL_ALGORITHM kAlgorithms[] = {{kGeneratorName, kProperties, kGenerator, nullptr},
                                                 {nullptr, nullptr, nullptr, nullptr}};
    *noCache = 0;
    return operation == OSSL_OP_RAND ? kAlgorithms : nullptr;
}

int InitializeProvider(const OSSL_CORE_HANDLE*, const OSSL_DISPATCH*, const OSSL_DISPATCH** out, void** context) {
    static const OSSL_DISPATCH kProvider[] = {Entry(OSSL_FUNC_PROVIDER_QUERY_OPERATION, QueryOperation),
                                              {0, nullptr}};
    *out = kProvider;
    *context = &gContext;
    return 1;
}

}  // namespace

void OfferKernelRandom(const CryptoLibrary& crypto) {
    // Neither call reads the configuration; loading the provider would.
    if (crypto.OSSL_PROVIDER_add_builtin(nullptr, kProviderName, InitializeProvider) != 1) return;
    gCrypto = &crypto;
    crypto.RAND_set_DRBG_type(nullptr, kGeneratorName, kProperties, nullptr, nullptr);
}

void LoadKernelRandom(const CryptoLibrary& crypto) {
    if (gCrypto == nullptr) return;
    // Beside OpenSSL's own providers, which still load as they would.
    // Creating the public generator now, as the first RAND_bytes would,
    // shows whether the configuration admits it.
    if (crypto.OSSL_PROVIDER_try_load(nullptr, kProviderName, 1) != nullptr && crypto.RAND_get0_public(nullptr) != nullptr)
        return;
    crypto.RAND_set_DRBG_type(nullptr, nullptr, nullptr, nullptr, nullptr);
}
