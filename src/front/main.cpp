// Entry: banner, then the syntax text or the report for one machine; the
// exit status is the report's status.
#include "entry.h"

#ifdef _WIN32
// The wide command line (linked with -municode): the ANSI one would turn a
// name outside the ANSI code page into question marks, and one whose first
// character became '?' into a request for the syntax text.
int wmain(int argc, wchar_t** argv) { RunCorvane(argc, argv); }
#else
int main(int argc, char** argv) { RunCorvane(argc, argv); }
#endif
