// Narrow text made wide: the time values' format texts, and the entry's
// machine names when they are shown rather than queried.
#pragma once

#include <string>

// The narrow text in the ANSI code page as wide text; empty when it cannot
// be converted.
std::wstring WidenText(const char* text);

// Time value texts are built in a work area of 128 units, terminator included.
constexpr size_t kMaxTextLength = 127;
