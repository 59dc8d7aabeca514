#include "crypto_library.h"

#include <dlfcn.h>

const CryptoLibrary* LoadCryptoLibrary() {
    static const CryptoLibrary* const loaded = []() -> const CryptoLibrary* {
        // Already loaded by then: this only finds it. A handle's symbols
        // include those of the libraries it depends on.
        void* handle = dlopen(NETSNMP_SONAME, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
        if (handle == nullptr) return nullptr;
        static CryptoLibrary library;
        bool complete = true;
#define CORVANE_LOAD_CRYPTO_FUNCTION(name)                                    \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library.name != nullptr;
        CORVANE_CRYPTO_FUNCTIONS(CORVANE_LOAD_CRYPTO_FUNCTION)
#undef CORVANE_LOAD_CRYPTO_FUNCTION
        return complete ? &library : nullptr;
    }();
    return loaded;
}
