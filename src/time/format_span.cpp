#include <cstdio>

#include "time_value.h"
#include "widen_text.h"

namespace {

void AppendPrinted(std::wstring& out, const char* pattern, long value) {
    char digits[24];
    snprintf(digits, sizeof digits, pattern, value);
    for (const char* p = digits; *p != '\0'; ++p) out += static_cast<wchar_t>(*p);
}

}  // namespace

std::wstring FormatSpan(TimeSpan span, const char* format) {
    const std::wstring pattern = WidenText(format);
    const long t = span.seconds;
    std::wstring out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%') {
            out += pattern[i];
            continue;
        }
        if (++i == pattern.size()) break;  // A lone '%' at the end gives nothing.
        // Division truncates toward zero, so every part of a negative span
        // is zero or negative; "%02d" counts a minus sign toward its width.
        switch (pattern[i]) {
            case L'D': AppendPrinted(out, "%ld", t / 86400); break;
            case L'H': AppendPrinted(out, "%02ld", t / 3600 - 24 * (t / 86400)); break;
            case L'M': AppendPrinted(out, "%02ld", t / 60 - 60 * (t / 3600)); break;
            case L'S': AppendPrinted(out, "%02ld", t - 60 * (t / 60)); break;
            default: out += pattern[i]; break;
        }
    }
    if (out.size() > kMaxTextLength) out.resize(kMaxTextLength);
    return out;
}
