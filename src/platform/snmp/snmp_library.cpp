#include "snmp_library.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <cstring>

namespace {

// True for the names of the objects every run has: the executable (no
// name), the kernel's vDSO, the C library and the dynamic loader.
bool IsBaseObject(const char* path) {
    const char* slash = strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    return *name == '\0' || strncmp(name, "linux-", 6) == 0 || strcmp(name, "libc.so.6") == 0 ||
           strncmp(name, "ld-", 3) == 0;
}

// True when the executable's dynamic symbol table defines no symbol: every
// symbol its GNU hash table lists (the linker may list an undefined one) is
// undefined. Without the tables, false.
bool DefinesNoSymbols(const dl_phdr_info& executable) {
    const uint32_t* table = nullptr;
    const ElfW(Sym)* symbols = nullptr;
    for (int i = 0; i < executable.dlpi_phnum; ++i) {
        if (executable.dlpi_phdr[i].p_type != PT_DYNAMIC) continue;
        const auto* entry = reinterpret_cast<const ElfW(Dyn)*>(executable.dlpi_addr + executable.dlpi_phdr[i].p_vaddr);
        // The loader has already made these addresses absolute.
        for (; entry->d_tag != DT_NULL; ++entry) {
            if (entry->d_tag == DT_GNU_HASH) table = reinterpret_cast<const uint32_t*>(entry->d_un.d_ptr);
            if (entry->d_tag == DT_SYMTAB) symbols = reinterpret_cast<const ElfW(Sym)*>(entry->d_un.d_ptr);
        }
    }
    if (table == nullptr || symbols == nullptr) return false;
    const uint32_t buckets = table[0], first = table[1], bloomWords = table[2];
    const auto* bucket = reinterpret_cast<const uint32_t*>(table + 4) + bloomWords * (sizeof(ElfW(Addr)) / 4);
    const uint32_t* chain = bucket + buckets;
    for (uint32_t b = 0; b < buckets; ++b) {
        if (bucket[b] < first) continue;  // 0: an empty bucket.
        for (uint32_t index = bucket[b];; ++index) {
            if (symbols[index].st_shndx != SHN_UNDEF) return false;
            if (chain[index - first] & 1) break;  // The last of its chain.
        }
    }
    return true;
}

int CheckObject(dl_phdr_info* info, size_t, void* alone) {
    const char* name = info->dlpi_name != nullptr ? info->dlpi_name : "";
    const bool executable = *name == '\0';
    if (!IsBaseObject(name) || (executable && !DefinesNoSymbols(*info))) {
        *static_cast<bool*>(alone) = false;
        return 1;
    }
    return 0;
}

// net-snmp, libssl and libcrypto bind thousands of symbols at load, most of
// them their own. The loader looks for each first in the executable, the C
// library and itself, then in the three: asked to look in the three first
// (RTLD_DEEPBIND), it does a sixth less work for a remote query. That finds
// the same definitions only while nothing before them defines a name they
// use: no preloaded library, no sanitizer or memory checker with its own
// allocator, no library linked into the executable but the C library, and an
// executable that defines no symbol (built without copy relocations, which
// would leave the libraries reading the C library's stale originals).
int GetBindingMode() {
    bool alone = true;
    dl_iterate_phdr(CheckObject, &alone);
    return alone ? RTLD_DEEPBIND : 0;
}

}  // namespace

const SnmpLibrary* LoadSnmpLibrary() {
    static const SnmpLibrary* const loaded = []() -> const SnmpLibrary* {
        void* handle = dlopen(NETSNMP_SONAME, RTLD_NOW | RTLD_LOCAL | GetBindingMode());
        if (handle == nullptr) return nullptr;
        static SnmpLibrary library;
        bool complete = true;
        CORVANE_SNMP_FUNCTIONS(CORVANE_LOAD_FUNCTION)
        return complete ? &library : nullptr;
    }();
    return loaded;
}
