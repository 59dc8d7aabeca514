#include "runtime_zone.h"

#include <cstring>

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool SkipLetters(const char*& p, int count) {
    for (int i = 0; i < count; ++i, ++p)
        if (!IsLetter(*p)) return false;
    return true;
}

// One or two digits, at most limit.
bool SkipNumber(const char*& p, int limit) {
    if (!IsDigit(*p)) return false;
    int value = *p++ - '0';
    if (IsDigit(*p)) value = value * 10 + (*p++ - '0');
    return value <= limit;
}

}  // namespace

bool IsRuntimeZoneText(const char* text) {
    if (text == nullptr) return false;
    // A name alone is read with offset 0, which is right for these two only.
    if (strcmp(text, "UTC") == 0 || strcmp(text, "GMT") == 0) return true;
    const char* p = text;
    if (!SkipLetters(p, 3)) return false;
    if (*p == '+' || *p == '-') ++p;
    if (!SkipNumber(p, 24)) return false;
    for (int part = 0; part < 2 && *p == ':'; ++part) {
        ++p;
        if (!SkipNumber(p, 59)) return false;
    }
    if (*p != '\0' && !SkipLetters(p, 3)) return false;
    return *p == '\0';
}
