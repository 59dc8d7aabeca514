// Internal to the time values: format texts are narrow, results wide.
#pragma once

#include <string>

// The narrow text in the ANSI code page as wide text; empty when it cannot
// be converted.
std::wstring WidenText(const char* text);

// Results are built in a work area of 128 units, terminator included.
constexpr size_t kMaxTextLength = 127;
