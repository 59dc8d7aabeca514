// A test double of the network management library (netapi32.dll), loaded
// by corvane.exe from beside it when Wine is told to prefer it
// (WINEDLLOVERRIDES "netapi32=n,b"). It answers from the environment and
// records every call, one line of UTF-8 each, in the file named by
// NETAPI_RECORD:
//   NETAPI_TIME                 "year month day hours minutes seconds", UTC
//   NETAPI_TIME_STATUS          status of NetRemoteTOD (0 when unset)
//   NETAPI_TIME_ERROR           last error NetRemoteTOD leaves (untouched when unset)
//   NETAPI_START                sts0_start of the statistics
//   NETAPI_STATISTICS_STATUS    status of NetStatisticsGet
//   NETAPI_STATISTICS_ERROR     last error NetStatisticsGet leaves
#include <windows.h>
#include <lm.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Buffers handed out, by number; a released one is cleared.
constexpr int kMaxBuffers = 16;
void* buffers[kMaxBuffers];
int bufferCount = 0;

std::wstring GetVariable(const wchar_t* name) {
    wchar_t value[512];
    const DWORD length = GetEnvironmentVariableW(name, value, 512);
    return length > 0 && length < 512 ? std::wstring(value, length) : std::wstring();
}

DWORD GetNumber(const wchar_t* name) { return static_cast<DWORD>(wcstoul(GetVariable(name).c_str(), nullptr, 10)); }

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string ShowText(const wchar_t* text) { return text == nullptr ? "(null)" : ToUtf8(text); }

void Record(const std::string& line) {
    const std::wstring path = GetVariable(L"NETAPI_RECORD");
    if (path.empty()) return;
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// Hands out a zeroed buffer of the record type; its number goes in the record.
template <typename Info>
Info* HandOut(int* number) {
    *number = 0;
    if (bufferCount == kMaxBuffers) return nullptr;
    void* buffer = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Info));
    if (buffer == nullptr) return nullptr;
    buffers[bufferCount++] = buffer;
    *number = bufferCount;
    return static_cast<Info*>(buffer);
}

// Reading the script and writing the record use calls that set the last
// error; the caller sees the error it had, or the one a case scripts.
class LastErrorKeeper {
public:
    explicit LastErrorKeeper(const wchar_t* scripted = nullptr)
        : saved_(GetLastError()), scripted_(scripted != nullptr ? GetNumber(scripted) : 0) {}
    ~LastErrorKeeper() { SetLastError(scripted_ != 0 ? scripted_ : saved_); }

private:
    DWORD saved_;
    DWORD scripted_;
};

std::string Answer(NET_API_STATUS status, int buffer) {
    return " -> " + std::to_string(status) + (buffer != 0 ? " buffer " + std::to_string(buffer) : "");
}

}  // namespace

extern "C" {

NET_API_STATUS WINAPI NetRemoteTOD(LPCWSTR UncServerName, LPBYTE* BufferPtr) {
    LastErrorKeeper keeper(L"NETAPI_TIME_ERROR");
    const std::string call = "NetRemoteTOD " + ShowText(UncServerName);
    NET_API_STATUS status = GetNumber(L"NETAPI_TIME_STATUS");
    TIME_OF_DAY_INFO fields{};
    if (status == NERR_Success &&
        swscanf(GetVariable(L"NETAPI_TIME").c_str(), L"%lu %lu %lu %lu %lu %lu", &fields.tod_year,
                &fields.tod_month, &fields.tod_day, &fields.tod_hours, &fields.tod_mins, &fields.tod_secs) != 6)
        status = ERROR_INVALID_PARAMETER;  // A case without a clock.
    int number = 0;
    TIME_OF_DAY_INFO* info = status == NERR_Success ? HandOut<TIME_OF_DAY_INFO>(&number) : nullptr;
    if (status == NERR_Success && info == nullptr) status = ERROR_NOT_ENOUGH_MEMORY;
    if (info != nullptr) {
        *info = fields;
        info->tod_timezone = -60;  // The remote machine's own zone must play no part.
        *BufferPtr = reinterpret_cast<LPBYTE>(info);
    }
    Record(call + Answer(status, number));
    return status;
}

NET_API_STATUS WINAPI NetStatisticsGet(LMSTR ServerName, LMSTR Service, DWORD Level, DWORD Options,
                                       LPBYTE* Bufptr) {
    LastErrorKeeper keeper(L"NETAPI_STATISTICS_ERROR");
    const std::string call = "NetStatisticsGet " + ShowText(ServerName) + " " + ShowText(Service) + " " +
                             std::to_string(Level) + " " + std::to_string(Options);
    NET_API_STATUS status = GetNumber(L"NETAPI_STATISTICS_STATUS");
    int number = 0;
    STAT_SERVER_0* statistics = status == NERR_Success ? HandOut<STAT_SERVER_0>(&number) : nullptr;
    if (status == NERR_Success && statistics == nullptr) status = ERROR_NOT_ENOUGH_MEMORY;
    if (statistics != nullptr) {
        statistics->sts0_start = GetNumber(L"NETAPI_START");
        *Bufptr = reinterpret_cast<LPBYTE>(statistics);
    }
    Record(call + Answer(status, number));
    return status;
}

NET_API_STATUS WINAPI NetApiBufferFree(LPVOID Buffer) {
    LastErrorKeeper keeper;
    for (int i = 0; i < bufferCount; ++i) {
        if (Buffer != nullptr && buffers[i] == Buffer) {
            buffers[i] = nullptr;
            HeapFree(GetProcessHeap(), 0, Buffer);
            Record("NetApiBufferFree buffer " + std::to_string(i + 1));
            return NERR_Success;
        }
    }
    // Not one of ours, or released twice.
    Record(Buffer == nullptr ? "NetApiBufferFree null" : "NetApiBufferFree unknown");
    return ERROR_INVALID_PARAMETER;
}

}  // extern "C"
