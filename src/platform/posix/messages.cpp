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

// Each text is one line of at most 200 characters, so that it fits the
// failure block's message buffer with its code.
const Message kMessages[] = {
    {ERROR_ACCESS_DENIED, L"Access denied: the agent refused these credentials, or this community or user may not read the objects.\r\n"},
    {ERROR_INVALID_HANDLE, L"The handle does not name an open object.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, L"There is not enough memory to complete the request.\r\n"},
    {ERROR_INVALID_DATA, L"The agent's hrSystemDate.0 or uptime holds a value out of range: a date field, the date's length, or a count over 32 bits.\r\n"},
    {ERROR_NOT_SUPPORTED, L"The agent lacks the host resources object hrSystemDate.0 (1.3.6.1.2.1.25.1.2.0), or its view hides it from this community or user.\r\n"},
    {ERROR_BAD_NETPATH, L"The machine could not be found or reached on the network.\r\n"},
    {ERROR_UNEXP_NET_ERR, L"The machine gave an unexpected answer or a network error occurred.\r\n"},
    {ERROR_INVALID_PARAMETER, L"A value passed to the request is not valid.\r\n"},
    {ERROR_SEM_TIMEOUT, L"No answer in time: no SNMP agent at that address and port, or it does not accept the community or SNMPv3 user configured.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, L"The result does not fit in the space given for it.\r\n"},
    {ERROR_INVALID_NAME, L"The machine name is not valid.\r\n"},
    {ERROR_INVALID_LEVEL, L"The requested service or information level is not available.\r\n"},
    {ERROR_ARITHMETIC_OVERFLOW, L"The agent's start time (its clock less its uptime, or comStatStart.0) lies outside 1970 to 2038-01-19 03:14:07 UTC.\r\n"},
    {ERROR_NOT_FOUND, L"The agent has neither hrSystemUptime.0 nor sysUpTime.0 nor comStatStart.0, or its view hides them, so its start time is unknown.\r\n"},
    {ERROR_NO_SUCH_USER, L"The agent does not know the SNMPv3 user configured (defSecurityName).\r\n"},
    {ERROR_WRONG_PASSWORD, L"The agent rejected the SNMPv3 authentication: check defAuthPassphrase and defAuthType.\r\n"},
    {ERROR_PASSWORD_RESTRICTION, L"An SNMPv3 passphrase configured is shorter than 8 characters, which net-snmp refuses: nothing was sent.\r\n"},
    {ERROR_TIME_SKEW, L"The agent's hrSystemDate.0 gives no UTC offset, and no offset from -12:00 to +14:00 brings it near this machine's clock.\r\n"},
    {ERROR_INVALID_DATATYPE, L"The agent answered with a value of the wrong type for hrSystemDate.0, an uptime, snmpEngineTime.0 or comStatStart.0.\r\n"},
    {ERROR_INVALID_TIME, L"The agent's clock lies outside 1970 to 2038-01-19 03:14:07 UTC, the instants the tool can show.\r\n"},
    {ERROR_DECRYPTION_FAILED, L"The agent could not decrypt the request: check defPrivPassphrase and defPrivType.\r\n"},
    {WSAHOST_NOT_FOUND, L"The name does not resolve to an address: check its spelling and the name service (DNS, /etc/hosts).\r\n"},
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
