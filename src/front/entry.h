// The tool's one pass from entry to exit.
#pragma once

#include "../platform/platform.h"

// Shows the banner, then the syntax text or the report for the machine
// named by the first argument, and ends the process with the status. The
// narrow form takes arguments in the ANSI code page; the wide form takes
// them as typed, so that a name outside that code page reaches the query
// unchanged.
[[noreturn]] void RunCorvane(int argc, char** argv);
[[noreturn]] void RunCorvane(int argc, WCHAR** argv);
