#include <cstdlib>

#include "../output_stream.h"
#include "../platform.h"

void EndProcess(DWORD status) {
    status = FinishOutput(status);
    // Exit codes hold the whole 32-bit status here.
    exit(static_cast<int>(status));
}
