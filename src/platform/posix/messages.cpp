// The tool's own message table: one line a code, each ending in carriage
// return and line feed, as the failure block expects of system texts.
#include <cstdlib>
#include <cwchar>

#include "../platform.h"

namespace {

struct Message {
    DWORD code;
    const WCHAR* text;
};

const Message kMessages[] = {
    {ERROR_ACCESS_DENIED, L"Access denied: the machine refused these credentials.\r\n"},
    {ERROR_INVALID_HANDLE, L"The handle does not name an open object.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, L"There is not enough memory to complete the request.\r\n"},
    {ERROR_NOT_SUPPORTED, L"The machine does not support this request.\r\n"},
    {ERROR_BAD_NETPATH, L"The machine could not be found or reached on the network.\r\n"},
    {ERROR_UNEXP_NET_ERR, L"The machine gave an unexpected answer or a network error occurred.\r\n"},
    {ERROR_INVALID_PARAMETER, L"A value passed to the request is not valid.\r\n"},
    {ERROR_SEM_TIMEOUT, L"The machine did not answer in time.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, L"The result does not fit in the space given for it.\r\n"},
    {ERROR_INVALID_NAME, L"The machine name is not valid.\r\n"},
    {ERROR_INVALID_LEVEL, L"The requested service or information level is not available.\r\n"},
};

const WCHAR* FindMessage(DWORD code) {
    for (const Message& message : kMessages)
        if (message.code == code) return message.text;
    return nullptr;
}

}  // namespace

// Only the form the tool uses is offered: a new text from the table, no
// inserts. Returns the length of the text, or 0 with no text.
DWORD FormatMessageW(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPWSTR lpBuffer, DWORD, va_list*) {
    if ((dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) == 0 || (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 ||
        lpBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WCHAR** result = reinterpret_cast<WCHAR**>(lpBuffer);
    *result = nullptr;
    const WCHAR* text = FindMessage(dwMessageId);
    if (text == nullptr) return 0;
    size_t length = wcslen(text);
    WCHAR* copy = static_cast<WCHAR*>(malloc((length + 1) * sizeof(WCHAR)));
    if (copy == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    wmemcpy(copy, text, length + 1);
    *result = copy;
    return static_cast<DWORD>(length);
}

HLOCAL LocalFree(HLOCAL hMem) {
    free(hMem);
    return nullptr;
}
