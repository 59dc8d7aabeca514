#include "../output_stream.h"
#include "../platform.h"

#include <fcntl.h>
#include <io.h>

bool PrepareStandardOutput() {
    // Binary mode: the text already carries its carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}
