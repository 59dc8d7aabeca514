#include "report.h"

namespace {

// Room beyond the message for " (0x", eight hex digits, ")" and the NUL,
// less the line end that is cut off.
constexpr DWORD kSuffixReserve = 14;

}  // namespace

LPWSTR FormatSystemMessage(LPWSTR buffer, DWORD capacity, DWORD fallbackCode) {
    DWORD code = GetLastError();
    if (code == ERROR_SUCCESS) code = fallbackCode;

    LPWSTR text = nullptr;
    // Inserts are left as they stand: the tool has no values for them.
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                        FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length = FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);

    if (capacity > 0) buffer[0] = 0;
    if (length != 0 && text != nullptr && length + kSuffixReserve <= capacity) {
        DWORD n = 0;
        const DWORD kept = length >= 2 ? length - 2 : 0;  // Without its carriage return and line feed.
        for (; n < kept; ++n) buffer[n] = text[n];
        for (const WCHAR* p = L" (0x"; *p != 0; ++p) buffer[n++] = *p;
        static const WCHAR kHexDigits[] = L"0123456789abcdef";
        int shift = 28;
        while (shift > 0 && ((code >> shift) & 0xF) == 0) shift -= 4;
        for (; shift >= 0; shift -= 4) buffer[n++] = kHexDigits[(code >> shift) & 0xF];
        buffer[n++] = L')';
        buffer[n] = 0;
    }
    if (text != nullptr) LocalFree(text);
    return buffer;
}
