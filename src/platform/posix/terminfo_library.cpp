#include "terminfo_library.h"

#include <dlfcn.h>

const TerminfoLibrary* LoadTerminfoLibrary() {
    static const TerminfoLibrary* const loaded = []() -> const TerminfoLibrary* {
        void* handle = dlopen(TINFO_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) return nullptr;
        static TerminfoLibrary library;
        bool complete = true;
#define CORVANE_LOAD_TERMINFO_FUNCTION(name)                                        \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library.name != nullptr;
        CORVANE_TERMINFO_FUNCTIONS(CORVANE_LOAD_TERMINFO_FUNCTION)
#undef CORVANE_LOAD_TERMINFO_FUNCTION
        return complete ? &library : nullptr;
    }();
    return loaded;
}
