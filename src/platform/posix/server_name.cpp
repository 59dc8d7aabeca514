#include "server_name.h"

#include <strings.h>
#include <unistd.h>

#include <climits>
#include <initializer_list>

bool NarrowServerName(LPCWSTR serverName, std::string* host) {
    host->clear();
    if (serverName == nullptr) return true;
    const WCHAR* p = serverName;
    while (*p == L'\\') ++p;
    for (; *p != 0; ++p) {
        if (static_cast<unsigned long>(*p) > 0xFF) return false;
        *host += static_cast<char>(*p);
    }
    return true;
}

bool IsThisMachine(const std::string& host) {
    for (const char* name : {"", ".", "localhost", "127.0.0.1", "::1", "[::1]"})
        if (strcasecmp(host.c_str(), name) == 0) return true;
    char own[HOST_NAME_MAX + 1] = {};
    return gethostname(own, sizeof own - 1) == 0 && own[0] != '\0' && strcasecmp(host.c_str(), own) == 0;
}

bool IsServerService(LPCWSTR service) {
    static const char kServer[] = "lanmanserver";
    if (service == nullptr) return false;
    size_t i = 0;
    for (; kServer[i] != '\0'; ++i) {
        WCHAR unit = service[i];
        if (unit >= L'A' && unit <= L'Z') unit = unit - L'A' + L'a';
        if (unit != static_cast<WCHAR>(kServer[i])) return false;
    }
    return service[i] == 0;
}
