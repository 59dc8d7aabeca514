#include "../output_stream.h"

#include <unistd.h>

bool PrepareStandardOutput() { return isatty(STDOUT_FILENO) == 1; }
