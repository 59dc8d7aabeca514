#include "terminfo_library.h"

#include <dlfcn.h>

const TerminfoLibrary* LoadTerminfoLibrary() {
    static const TerminfoLibrary* const loaded = []() -> const TerminfoLibrary* {
        void* handle = dlopen(TINFO_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) return nullptr;
        static TerminfoLibrary library;
        bool complete = true;
        CORVANE_TERMINFO_FUNCTIONS(CORVANE_LOAD_FUNCTION)
        return complete ? &library : nullptr;
    }();
    return loaded;
}
