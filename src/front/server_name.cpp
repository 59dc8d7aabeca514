#include "server_name.h"

#include <cstring>

#include "../time/widen_text.h"

namespace {

template <typename Char>
size_t GetPrefixLength(const Char* argument) { return argument[0] == Char('\\') ? 0 : 2; }

template <typename Char>
size_t GetLength(const Char* text) {
    size_t length = 0;
    while (text[length] != Char(0)) ++length;
    return length;
}

template <typename Char>
bool BuildName(const Char* argument, Char (&name)[kServerNameCapacity]) {
    const size_t prefixLength = GetPrefixLength(argument);
    const size_t argumentLength = GetLength(argument);
    name[0] = Char(0);
    if (prefixLength + argumentLength + 1 > kServerNameCapacity) return false;
    for (size_t i = 0; i < prefixLength; ++i) name[i] = Char('\\');
    memcpy(name + prefixLength, argument, (argumentLength + 1) * sizeof(Char));
    return true;
}

}  // namespace

bool BuildServerName(const char* argument, char (&name)[kServerNameCapacity]) { return BuildName(argument, name); }

bool BuildServerName(const WCHAR* argument, WCHAR (&name)[kServerNameCapacity]) { return BuildName(argument, name); }

std::wstring WidenServerName(const char* argument) {
    return WidenText((std::string(GetPrefixLength(argument), '\\') + argument).c_str());
}

std::wstring WidenServerName(const WCHAR* argument) {
    return std::wstring(GetPrefixLength(argument), L'\\') + argument;
}
