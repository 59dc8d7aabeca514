#include "../output_stream.h"

namespace {

struct OutputStream {
    FILE* file;
    bool terminal;
};

// Set once any byte of the run's output has been lost.
bool outputLost = false;

const OutputStream& GetStream() {
    static const OutputStream stream = [] {
        bool lost = false;
        const bool terminal = PrepareStandardOutput(&lost);
        if (lost) outputLost = true;
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
    if (count > 0 && fwrite(bytes, 1, count, file) != count) outputLost = true;
    if (IsOutputTerminal() && fflush(file) != 0) outputLost = true;
}

DWORD FinishOutput(DWORD status) {
    FILE* file = GetOutputStream();
    if (fflush(file) != 0 || ferror(file)) outputLost = true;
    if (status != ERROR_SUCCESS) return status;  // The query's own failure says more.
    return outputLost ? ERROR_WRITE_FAULT : ERROR_SUCCESS;
}
