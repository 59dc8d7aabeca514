#include "fake_platform.h"

#include <cstdlib>
#include <cwchar>

FakePlatform fake;

TIME_OF_DAY_INFO MakeTimeOfDay(DWORD year, DWORD month, DWORD day, DWORD hours, DWORD minutes, DWORD seconds) {
    TIME_OF_DAY_INFO info{};
    info.tod_year = year;
    info.tod_month = month;
    info.tod_day = day;
    info.tod_hours = hours;
    info.tod_mins = minutes;
    info.tod_secs = seconds;
    info.tod_timezone = -60;  // The remote machine's own zone must play no part.
    return info;
}

namespace {
char console;
}

HANDLE GetStdHandle(DWORD) { return &console; }

BOOL GetConsoleScreenBufferInfo(HANDLE, PCONSOLE_SCREEN_BUFFER_INFO info) {
    *info = CONSOLE_SCREEN_BUFFER_INFO{};
    info->dwSize = COORD{80, 25};
    info->wAttributes = 0x07;
    return TRUE;
}

BOOL FillConsoleOutputCharacterW(HANDLE, WCHAR, DWORD, COORD, LPDWORD) {
    WriteNarrow(fake.clearMarker);
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

BOOL FillConsoleOutputAttribute(HANDLE, WORD, DWORD, COORD, LPDWORD) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

BOOL SetConsoleCursorPosition(HANDLE, COORD) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

NET_API_STATUS NetRemoteTOD(LPCWSTR server, LPBYTE* buffer) {
    ++fake.timeCalls;
    fake.timeServer = server;
    if (fake.timeLastError != ERROR_SUCCESS) SetLastError(fake.timeLastError);
    if (fake.timeStatus != NERR_Success) return fake.timeStatus;
    auto* info = static_cast<TIME_OF_DAY_INFO*>(malloc(sizeof(TIME_OF_DAY_INFO)));
    *info = fake.timeOfDay;
    *buffer = reinterpret_cast<LPBYTE>(info);
    ++fake.buffersHeld;
    return NERR_Success;
}

NET_API_STATUS NetStatisticsGet(LMSTR server, LMSTR service, DWORD level, DWORD options, LPBYTE* buffer) {
    ++fake.statisticsCalls;
    fake.statisticsServer = server;
    fake.service = service;
    fake.level = level;
    fake.options = options;
    if (fake.statisticsLastError != ERROR_SUCCESS) SetLastError(fake.statisticsLastError);
    if (fake.statisticsStatus != NERR_Success) return fake.statisticsStatus;
    auto* statistics = static_cast<STAT_SERVER_0*>(calloc(1, sizeof(STAT_SERVER_0)));
    statistics->sts0_start = fake.startTime;
    *buffer = reinterpret_cast<LPBYTE>(statistics);
    ++fake.buffersHeld;
    return NERR_Success;
}

NET_API_STATUS NetApiBufferFree(void* buffer) {
    if (buffer != nullptr) --fake.buffersHeld;
    free(buffer);
    return NERR_Success;
}

DWORD FormatMessageW(DWORD flags, LPCVOID, DWORD code, DWORD, LPWSTR buffer, DWORD, va_list*) {
    fake.messageFlags = flags;
    WCHAR** result = reinterpret_cast<WCHAR**>(buffer);
    *result = nullptr;
    auto found = fake.messages.find(code);
    if (found == fake.messages.end()) return 0;
    const std::wstring& text = found->second;
    *result = static_cast<WCHAR*>(malloc((text.size() + 1) * sizeof(WCHAR)));
    wmemcpy(*result, text.c_str(), text.size() + 1);
    ++fake.messagesHeld;
    return static_cast<DWORD>(text.size());
}

HLOCAL LocalFree(HLOCAL memory) {
    if (memory != nullptr) --fake.messagesHeld;
    free(memory);
    return nullptr;
}
