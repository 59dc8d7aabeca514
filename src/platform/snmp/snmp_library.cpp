#include "snmp_library.h"

#include <dlfcn.h>

const SnmpLibrary* LoadSnmpLibrary() {
    static const SnmpLibrary* const loaded = []() -> const SnmpLibrary* {
        void* handle = dlopen(NETSNMP_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) return nullptr;
        static SnmpLibrary library;
        bool complete = true;
#define CORVANE_LOAD_SNMP_FUNCTION(name)                                               \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library.name != nullptr;
        CORVANE_SNMP_FUNCTIONS(CORVANE_LOAD_SNMP_FUNCTION)
#undef CORVANE_LOAD_SNMP_FUNCTION
        return complete ? &library : nullptr;
    }();
    return loaded;
}
