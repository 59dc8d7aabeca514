#include "../output_stream.h"

namespace {

struct OutputStream {
    FILE* file;
    bool terminal;
};

const OutputStream& GetStream() {
    static const OutputStream stream = [] {
        const bool terminal = PrepareStandardOutput();
        // Full buffering holds a redirected report until exit; the report is
        // far smaller than the buffer.
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
