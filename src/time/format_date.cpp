#include <cstdio>

#include "../platform/platform.h"
#include "time_value.h"
#include "widen_text.h"

namespace {

const wchar_t* const kWeekdays[] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                    L"Thursday", L"Friday", L"Saturday"};
const wchar_t* const kMonths[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                  L"July",    L"August",   L"September", L"October", L"November", L"December"};

void AppendNumber(std::wstring& out, int value, int width) {
    char digits[16];
    snprintf(digits, sizeof digits, "%0*d", width, value);
    for (const char* p = digits; *p != '\0'; ++p) out += static_cast<wchar_t>(*p);
}

}  // namespace

std::wstring FormatDate(TimeStamp time, const char* format) {
    std::wstring pattern = WidenText(format);
    if (time.seconds < 0) return std::wstring();
    LOCAL_TIME local{};
    if (!BreakDownLocalTime(time.seconds, &local) || local.weekday < 0 || local.weekday > 6 || local.month < 1 ||
        local.month > 12)
        return std::wstring();

    std::wstring out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%') {
            out += pattern[i];
            continue;
        }
        if (++i == pattern.size()) break;  // A lone '%' at the end gives nothing.
        switch (pattern[i]) {
            case L'A': out += kWeekdays[local.weekday]; break;
            case L'B': out += kMonths[local.month - 1]; break;
            case L'd': AppendNumber(out, local.day, 2); break;
            case L'Y': AppendNumber(out, local.year, 4); break;
            case L'H': AppendNumber(out, local.hour, 2); break;
            case L'M': AppendNumber(out, local.minute, 2); break;
            case L'S': AppendNumber(out, local.second, 2); break;
            case L'%': out += L'%'; break;
            default: break;  // Codes the tool does not use give nothing.
        }
    }
    if (out.size() > kMaxTextLength) out.resize(kMaxTextLength);
    return out;
}
