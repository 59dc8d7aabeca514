// Internal to the platform layer: the one standard output stream that the
// text writes and the terminal control sequences share, so that they reach
// the screen in call order.
#pragma once

#include <cstdio>

// Sets the stream up on first use: binary, fully buffered when it is a file
// or pipe, written through at once when it is a terminal.
FILE* GetOutputStream();
bool IsOutputTerminal();

// Writes bytes as they are, then flushes them when output is a terminal.
void WriteOutputBytes(const char* bytes, size_t count);

// Per platform: readies standard output for bytes as they are and tells
// whether it is a terminal (a console).
bool PrepareStandardOutput();
