#pragma once

#include "../platform/platform.h"

// True for a first argument that asks for the syntax text: one starting
// with '-', '/' or '?', whatever follows. The wide form looks at the first
// character as typed.
bool IsSyntaxRequest(const char* argument);
bool IsSyntaxRequest(const WCHAR* argument);

// Clears the screen and writes the syntax text.
void ShowSyntax(HANDLE console);
