#include "entry.h"

#include <cstring>

#include "../report/report.h"
#include "console.h"
#include "server_name.h"
#include "syntax.h"

namespace {

// The banner, and the syntax text for no argument or an option-like one.
template <typename Char>
HANDLE StartRun(int argc, Char** argv) {
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    ClearScreen(console);
    WriteNarrow("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");

    // argc can be 0 when the caller passes no argument vector at all.
    if (argc < 2 || IsSyntaxRequest(argv[1])) {
        ShowSyntax(console);
        EndProcess(0);
    }
    return console;
}

// Querying a cut name would report on some other machine.
template <typename Char>
[[noreturn]] void RefuseName(const Char* argument, HANDLE console) {
    EndProcess(ReportFailure(WidenServerName(argument).c_str(), console, ERROR_INVALID_NAME, ERROR_SUCCESS));
}

}  // namespace

void RunCorvane(int argc, char** argv) {
    HANDLE console = StartRun(argc, argv);
    char narrowName[kServerNameCapacity];
    WCHAR wideName[kServerNameCapacity];
    if (!BuildServerName(argv[1], narrowName)) RefuseName(argv[1], console);
    MultiByteToWideChar(CP_ACP, 0, narrowName, static_cast<int>(strlen(narrowName) + 1), wideName,
                        static_cast<int>(kServerNameCapacity));
    EndProcess(ReportTimeInformation(wideName, console));
}

void RunCorvane(int argc, WCHAR** argv) {
    HANDLE console = StartRun(argc, argv);
    WCHAR wideName[kServerNameCapacity];
    if (!BuildServerName(argv[1], wideName)) RefuseName(argv[1], console);
    EndProcess(ReportTimeInformation(wideName, console));
}
