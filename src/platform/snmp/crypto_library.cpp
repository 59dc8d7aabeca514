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
        CORVANE_CRYPTO_FUNCTIONS(CORVANE_LOAD_FUNCTION)
        return complete ? &library : nullptr;
    }();
    return loaded;
}
