#pragma once

#include "../platform/platform.h"

// True for a first argument that asks for the syntax text: one starting
// with '-', '/' or '?', whatever follows.
bool IsSyntaxRequest(const char* argument);

// Clears the screen and writes the syntax text.
void ShowSyntax(HANDLE console);
