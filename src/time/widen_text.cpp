#include "widen_text.h"

#include "../platform/platform.h"

std::wstring WidenText(const char* text) {
    if (text == nullptr || *text == '\0') return std::wstring();
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size) != size) return std::wstring();
    wide.resize(static_cast<size_t>(size) - 1);  // Drop the converted NUL.
    return wide;
}
