// Internal to the platform layer: the one standard output stream that the
// text writes and the terminal control sequences share, so that they reach
// the screen in call order.
#pragma once

#include <cstdio>

#include "platform.h"

// Sets the stream up on first use: binary, fully buffered when it is a file
// or pipe, written through at once when it is a terminal.
FILE* GetOutputStream();
bool IsOutputTerminal();

// Writes bytes as they are, then flushes them when output is a terminal. A
// write that fails is remembered for the exit status.
void WriteOutputBytes(const char* bytes, size_t count);

// Flushes what the stream still holds. Gives status when it is not 0, else
// ERROR_WRITE_FAULT when any output failed to reach its destination, else 0:
// a report that nobody can read must not pass for success.
DWORD FinishOutput(DWORD status);

// Per platform: readies standard output for bytes as they are and tells
// whether it is a terminal (a console). Sets *lost when there is no standard
// output to write to at all.
bool PrepareStandardOutput(bool* lost);
