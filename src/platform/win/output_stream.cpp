#include "../output_stream.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

struct OutputStream {
    FILE* file;
    bool terminal;
};

const OutputStream& GetStream() {
    static const OutputStream stream = [] {
        // Binary mode: the text already carries its carriage returns.
        _setmode(_fileno(stdout), _O_BINARY);
        DWORD mode = 0;
        const bool terminal = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
        setvbuf(stdout, nullptr, terminal ? _IONBF : _IOFBF, 1 << 16);
        return OutputStream{stdout, terminal};
    }();
    return stream;
}

}  // namespace

FILE* GetOutputStream() { return GetStream().file; }

bool IsOutputTerminal() { return GetStream().terminal; }

void WriteOutputBytes(const char* bytes, size_t count) {
    FILE* file = GetOutputStream();
    if (count > 0) fwrite(bytes, 1, count, file);
    if (IsOutputTerminal()) fflush(file);
}
