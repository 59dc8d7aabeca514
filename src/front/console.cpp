#include "console.h"

void ClearScreen(HANDLE console) {
    // The results are not examined: on a file or pipe these calls fail and
    // the text that follows is written all the same.
    const COORD origin{0, 0};
    CONSOLE_SCREEN_BUFFER_INFO info{};
    DWORD written = 0;
    GetConsoleScreenBufferInfo(console, &info);
    const DWORD cells = static_cast<DWORD>(static_cast<WORD>(info.dwSize.X)) * static_cast<WORD>(info.dwSize.Y);
    FillConsoleOutputCharacterW(console, L' ', cells, origin, &written);
    GetConsoleScreenBufferInfo(console, &info);
    FillConsoleOutputAttribute(console, info.wAttributes, cells, origin, &written);
    SetConsoleCursorPosition(console, origin);
}
