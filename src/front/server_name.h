#pragma once

#include <cstddef>
#include <string>

#include "../platform/platform.h"

// Both name buffers hold 300 units with the NUL: 297 characters of name
// after the two backslashes, 299 when the name brings its own. Narrow names
// count bytes, wide names code units.
constexpr size_t kServerNameCapacity = 300;

// Puts the UNC form of the argument in name: two backslashes in front
// unless it already starts with one. False, leaving name empty, when it
// does not fit.
bool BuildServerName(const char* argument, char (&name)[kServerNameCapacity]);
bool BuildServerName(const WCHAR* argument, WCHAR (&name)[kServerNameCapacity]);

// The UNC form of any argument as wide text, for showing a name that does
// not fit the buffers.
std::wstring WidenServerName(const char* argument);
std::wstring WidenServerName(const WCHAR* argument);
