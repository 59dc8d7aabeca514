#include "server_name.h"

#include <cstring>
#include <vector>

namespace {

const char* GetPrefix(const char* argument) { return argument[0] == '\\' ? "" : "\\\\"; }

}  // namespace

bool BuildServerName(const char* argument, char (&name)[kServerNameCapacity]) {
    const char* prefix = GetPrefix(argument);
    const size_t prefixLength = strlen(prefix);
    const size_t argumentLength = strlen(argument);
    name[0] = '\0';
    if (prefixLength + argumentLength + 1 > kServerNameCapacity) return false;
    memcpy(name, prefix, prefixLength);
    memcpy(name + prefixLength, argument, argumentLength + 1);
    return true;
}

std::wstring WidenServerName(const char* argument) {
    const std::string name = std::string(GetPrefix(argument)) + argument;
    const int size = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::vector<WCHAR> wide(static_cast<size_t>(size));
    if (MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), size) != size) return std::wstring();
    return std::wstring(wide.data());
}
