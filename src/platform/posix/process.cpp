#include <cstdlib>

#include "../output_stream.h"
#include "../platform.h"

void EndProcess(DWORD status) {
    status = FinishOutput(status);
    // Exit codes hold 8 bits here: a status such as 256 would otherwise
    // read as success.
    exit(status > 255 ? 255 : static_cast<int>(status));
}
