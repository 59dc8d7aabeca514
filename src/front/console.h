// The console screen, shared by the entry and the report.
#pragma once

#include "../platform/platform.h"

// Blanks the whole screen buffer, not only the window, in the current
// colours and homes the cursor. Does nothing when output is not a console.
void ClearScreen(HANDLE console);
