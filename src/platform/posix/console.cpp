// The console calls on a terminal, through the terminal's own terminfo
// capabilities written on the same stream as the text. When standard output
// is not a terminal, or is one that terminfo cannot clear, they do nothing,
// return FALSE and leave the last error as it was.
#include <sys/ioctl.h>
#include <unistd.h>

#include "../platform.h"
#include "terminal.h"

namespace {

// The one console this layer knows: standard output.
char standardOutput;
const WORD kDefaultAttributes = 0x07;  // Light grey on black: the terminal's own colours.

bool IsTerminalConsole(HANDLE handle) { return handle == &standardOutput && CanClearTerminal(); }

// A side of the screen as the console record holds it: at least 1, at most
// what its 16 bits hold.
SHORT ClampSide(unsigned short cells) { return static_cast<SHORT>(cells == 0 ? 1 : cells > 32767 ? 32767 : cells); }

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
    const SHORT columns = ClampSide(size.ws_col), rows = ClampSide(size.ws_row);
    *lpInfo = CONSOLE_SCREEN_BUFFER_INFO{};
    lpInfo->dwSize = COORD{columns, rows};
    lpInfo->wAttributes = kDefaultAttributes;
    lpInfo->srWindow = SMALL_RECT{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
    lpInfo->dwMaximumWindowSize = lpInfo->dwSize;
    return TRUE;
}

// A terminal is erased whole or not at all: blanking from the origin clears
// the screen and its scrollback in the current colours, whatever the length,
// since the terminal's size can change between the caller's look at it and
// this call. The cursor stays where the clearing leaves it.
BOOL FillConsoleOutputCharacterW(HANDLE hConsoleOutput, WCHAR cCharacter, DWORD nLength, COORD dwWriteCoord,
                                 LPDWORD lpNumberOfCharsWritten) {
    if (!IsTerminalConsole(hConsoleOutput)) return FALSE;
    if (cCharacter != L' ' || dwWriteCoord.X != 0 || dwWriteCoord.Y != 0) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    ClearTerminal();
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
    if (!MoveTerminalCursor(dwCursorPosition.Y, dwCursorPosition.X)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    return TRUE;
}
