#include "../platform.h"

// The ANSI code page here is the identity on bytes, so any byte string,
// UTF-8 included, narrows back to itself.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
    if (CodePage != CP_ACP || dwFlags != 0 || lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 ||
        cchWideChar < 0 || (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int count = cbMultiByte;
    if (count == -1) {
        count = 0;
        while (lpMultiByteStr[count] != '\0') ++count;
        ++count;  // The NUL is converted too.
    }
    if (cchWideChar == 0) return count;
    if (count > cchWideChar) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i < count; ++i) lpWideCharStr[i] = static_cast<unsigned char>(lpMultiByteStr[i]);
    return count;
}

int lstrlenW(LPCWSTR lpString) {
    if (lpString == nullptr) return 0;
    int length = 0;
    while (lpString[length] != 0) ++length;
    return length;
}
