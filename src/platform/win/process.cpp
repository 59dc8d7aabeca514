#include <cstdlib>

#include "../platform.h"

void EndProcess(DWORD status) {
    // Exit codes hold the whole 32-bit status here.
    exit(static_cast<int>(status));
}
