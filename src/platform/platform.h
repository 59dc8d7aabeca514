// The one seam between the tool and the system it runs on.
//
// Everything above src/platform/ calls the console, code page, network
// management, time-zone, message-table and output operations declared here,
// under their Windows names and signatures. On Windows the real interface
// provides the Windows half; on Linux src/platform/posix/ provides all of it,
// asking other machines over SNMP through src/platform/snmp/.
// No code above this header includes an operating-system header.
#pragma once

#include <cstdarg>
#include <cstdint>

#ifdef _WIN32

#include <windows.h>
#include <lm.h>

#else  // The Linux stand-in for the Windows interface.

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef int16_t SHORT;
typedef wchar_t WCHAR;  // A wide code unit; the tool only stores U+0000-U+00FF and its fixed texts in it.
typedef void* HANDLE;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef const void* LPCVOID;
typedef const char* LPCCH;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef LPWSTR LMSTR;
typedef void* HLOCAL;
typedef DWORD NET_API_STATUS;

#define TRUE 1
#define FALSE 0
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define CP_ACP 0

#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000

#define NERR_Success 0
#define ERROR_SUCCESS 0
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_WRITE_FAULT 29
#define ERROR_NOT_SUPPORTED 50
#define ERROR_BAD_NETPATH 53
#define ERROR_UNEXP_NET_ERR 59
#define ERROR_INVALID_PARAMETER 87
#define ERROR_SEM_TIMEOUT 121
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_INVALID_NAME 123
#define ERROR_INVALID_LEVEL 124
// Finer causes, shown in the failure block beside the status they explain.
#define ERROR_INVALID_DATA 13
#define ERROR_ARITHMETIC_OVERFLOW 534
#define ERROR_NOT_FOUND 1168
#define ERROR_NO_SUCH_USER 1317
#define ERROR_WRONG_PASSWORD 1323
#define ERROR_PASSWORD_RESTRICTION 1325
#define ERROR_TIME_SKEW 1398
#define ERROR_INVALID_DATATYPE 1804
#define ERROR_INVALID_TIME 1901
#define ERROR_DECRYPTION_FAILED 6001
#define WSAHOST_NOT_FOUND 11001


struct COORD {
    SHORT X;
    SHORT Y;
};

struct SMALL_RECT {
    SHORT Left;
    SHORT Top;
    SHORT Right;
    SHORT Bottom;
};

struct CONSOLE_SCREEN_BUFFER_INFO {
    COORD dwSize;  // Columns and rows of the whole buffer.
    COORD dwCursorPosition;
    WORD wAttributes;  // Colours new text is written in.
    SMALL_RECT srWindow;
    COORD dwMaximumWindowSize;
};
typedef CONSOLE_SCREEN_BUFFER_INFO* PCONSOLE_SCREEN_BUFFER_INFO;

// A machine's clock: date and clock fields are UTC.
struct TIME_OF_DAY_INFO {
    DWORD tod_elapsedt;   // Seconds since 1970-01-01 00:00:00 UTC.
    DWORD tod_msecs;      // Milliseconds since the machine started.
    DWORD tod_hours;      // 0-23
    DWORD tod_mins;       // 0-59
    DWORD tod_secs;       // 0-59
    DWORD tod_hunds;      // Hundredths of a second, 0-99.
    LONG tod_timezone;    // Minutes west of UTC, -1 when unknown.
    DWORD tod_tinterval;  // Clock tick in units of 0.0001 s.
    DWORD tod_day;        // 1-31
    DWORD tod_month;      // 1-12
    DWORD tod_year;       // e.g. 1996
    DWORD tod_weekday;    // 0 is Sunday.
};

// Level 0 of the server service's statistics.
struct STAT_SERVER_0 {
    DWORD sts0_start;  // Seconds since 1970-01-01 00:00:00 UTC when counting began.
    DWORD sts0_fopens;
    DWORD sts0_devopens;
    DWORD sts0_jobsqueued;
    DWORD sts0_sopens;
    DWORD sts0_stimedout;
    DWORD sts0_serrorout;
    DWORD sts0_pwerrors;
    DWORD sts0_permerrors;
    DWORD sts0_syserrors;
    DWORD sts0_bytessent_low;
    DWORD sts0_bytessent_high;
    DWORD sts0_bytesrcvd_low;
    DWORD sts0_bytesrcvd_high;
    DWORD sts0_avresponse;
    DWORD sts0_reqbufneed;
    DWORD sts0_bigbufneed;
};

// Console. On a terminal that terminfo can clear, the clearing calls act on
// the screen through the terminal's own control sequences; elsewhere (a file,
// a pipe, TERM unset, dumb or unknown) they do nothing, return FALSE and
// leave the last error as it was.
HANDLE GetStdHandle(DWORD nStdHandle);
BOOL GetConsoleScreenBufferInfo(HANDLE hConsoleOutput, PCONSOLE_SCREEN_BUFFER_INFO lpInfo);
BOOL FillConsoleOutputCharacterW(HANDLE hConsoleOutput, WCHAR cCharacter, DWORD nLength,
                                 COORD dwWriteCoord, LPDWORD lpNumberOfCharsWritten);
BOOL FillConsoleOutputAttribute(HANDLE hConsoleOutput, WORD wAttribute, DWORD nLength,
                                COORD dwWriteCoord, LPDWORD lpNumberOfAttrsWritten);
BOOL SetConsoleCursorPosition(HANDLE hConsoleOutput, COORD dwCursorPosition);

// Code page. The ANSI code page maps each byte to the code unit of the
// same value. cbMultiByte -1 converts up to and including the NUL;
// cchWideChar 0 asks for the size needed.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int lstrlenW(LPCWSTR lpString);

// Network management. Buffers come from the platform and go back through
// NetApiBufferFree.
NET_API_STATUS NetRemoteTOD(LPCWSTR UncServerName, LPBYTE* BufferPtr);
NET_API_STATUS NetStatisticsGet(LMSTR ServerName, LMSTR Service, DWORD Level, DWORD Options,
                                LPBYTE* Bufptr);
NET_API_STATUS NetApiBufferFree(void* Buffer);

// Errors and message texts. The last error is per thread. FormatMessageW
// with FORMAT_MESSAGE_ALLOCATE_BUFFER stores a pointer to a new text in the
// WCHAR* that lpBuffer points to; the text is released with LocalFree.
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);
DWORD FormatMessageW(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                     LPWSTR lpBuffer, DWORD nSize, va_list* Arguments);
HLOCAL LocalFree(HLOCAL hMem);

#endif  // _WIN32

// The tool's own operations, the same on every platform.

// Local-time rules of the runtime: the "TZ" variable when set and not
// empty, else the system's zone. Read once, at the first call of any of
// these, and kept for the rest of the run.
struct LOCAL_TIME {
    int year;       // e.g. 1996
    int month;      // 1-12
    int day;        // 1-31
    int hour;       // 0-23
    int minute;     // 0-59
    int second;     // 0-59
    int weekday;    // 0 is Sunday.
    bool daylight;  // Daylight time is in force at this instant.
};
long GetLocalStandardOffset();  // Seconds west of UTC of local standard time.
long GetLocalDaylightShift();   // Seconds daylight time moves the clock forward, 3600 usually.
bool BreakDownLocalTime(long long utcSeconds, LOCAL_TIME* local);  // false when it cannot.

// Standard output. Every line feed goes out as carriage return and line
// feed; wide text is narrowed one unit at a time, and the rest of a write
// is dropped at the first unit above U+00FF. On a terminal each write is on
// the screen when the call returns; otherwise output is held until exit.
void WriteNarrow(const char* text);
void WriteWide(const WCHAR* text);

// Ends the process through the runtime's normal exit, with the status as
// exit code (on Linux, statuses above 255 exit with 255: exit codes hold 8
// bits there and must not read as 0). Standard output is flushed first; when
// any of it was lost (a full disk, a closed descriptor, a reader that has
// gone), a status of 0 becomes ERROR_WRITE_FAULT (29), while a failed
// query's status stays as it is.
[[noreturn]] void EndProcess(DWORD status);
