// The console calls on a terminal, through control sequences on the same
// stream as the text. When standard output is not a terminal they do
// nothing, return FALSE and leave the last error as it was.
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

#include "../output_stream.h"
#include "../platform.h"

namespace {

// The one console this layer knows: standard output.
char standardOutput;
const WORD kDefaultAttributes = 0x07;  // Light grey on black: the terminal's own colours.

bool IsTerminalConsole(HANDLE handle) { return handle == &standardOutput && IsOutputTerminal(); }

void WriteSequence(const char* sequence, size_t length) { WriteOutputBytes(sequence, length); }

}  // namespace

HANDLE GetStdHandle(DWORD nStdHandle) {
    return nStdHandle == STD_OUTPUT_HANDLE ? static_cast<HANDLE>(&standardOutput) : INVALID_HANDLE_VALUE;
}

BOOL GetConsoleScreenBufferInfo(HANDLE hConsoleOutput, PCONSOLE_SCREEN_BUFFER_INFO lpInfo) {
    if (!IsTerminalConsole(hConsoleOutput) || lpInfo == nullptr) return FALSE;
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
        size.ws_col = 80;  // A terminal that does not tell its size.
        size.ws_row = 25;
    }
    *lpInfo = CONSOLE_SCREEN_BUFFER_INFO{};
    lpInfo->dwSize = COORD{static_cast<SHORT>(size.ws_col), static_cast<SHORT>(size.ws_row)};
    lpInfo->wAttributes = kDefaultAttributes;
    lpInfo->srWindow = SMALL_RECT{0, 0, static_cast<SHORT>(size.ws_col - 1), static_cast<SHORT>(size.ws_row - 1)};
    lpInfo->dwMaximumWindowSize = lpInfo->dwSize;
    return TRUE;
}

// Blanking from the origin over at least the whole screen erases the screen
// and its scrollback in the current colours; the cursor stays where it is.
BOOL FillConsoleOutputCharacterW(HANDLE hConsoleOutput, WCHAR cCharacter, DWORD nLength, COORD dwWriteCoord,
                                 LPDWORD lpNumberOfCharsWritten) {
    if (!IsTerminalConsole(hConsoleOutput)) return FALSE;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(hConsoleOutput, &info);
    DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    if (cCharacter != L' ' || dwWriteCoord.X != 0 || dwWriteCoord.Y != 0 || nLength < cells) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    static const char kErase[] = "\x1b[2J\x1b[3J";
    WriteSequence(kErase, sizeof kErase - 1);
    if (lpNumberOfCharsWritten != nullptr) *lpNumberOfCharsWritten = nLength;
    return TRUE;
}

// Erasing already used the current colours, so giving every cell the
// current attribute leaves nothing more to do.
BOOL FillConsoleOutputAttribute(HANDLE hConsoleOutput, WORD wAttribute, DWORD nLength, COORD,
                                LPDWORD lpNumberOfAttrsWritten) {
    if (!IsTerminalConsole(hConsoleOutput)) return FALSE;
    if (wAttribute != kDefaultAttributes) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (lpNumberOfAttrsWritten != nullptr) *lpNumberOfAttrsWritten = nLength;
    return TRUE;
}

BOOL SetConsoleCursorPosition(HANDLE hConsoleOutput, COORD dwCursorPosition) {
    if (!IsTerminalConsole(hConsoleOutput)) return FALSE;
    if (dwCursorPosition.X < 0 || dwCursorPosition.Y < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    char sequence[32];
    int length = snprintf(sequence, sizeof sequence, "\x1b[%d;%dH", dwCursorPosition.Y + 1, dwCursorPosition.X + 1);
    WriteSequence(sequence, static_cast<size_t>(length));
    return TRUE;
}
