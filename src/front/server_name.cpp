#include "server_name.h"

#include <cstring>

#include "../time/widen_text.h"

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
    return WidenText((std::string(GetPrefix(argument)) + argument).c_str());
}
