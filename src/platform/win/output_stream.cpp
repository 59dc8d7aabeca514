#include "../output_stream.h"
#include "../platform.h"

#include <fcntl.h>
#include <io.h>

bool PrepareStandardOutput(bool* lost) {
    // No standard output at all: nothing written can reach anyone.
    if (_fileno(stdout) < 0) {
        *lost = true;
        return false;
    }
    // Binary mode: the text already carries its carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}
