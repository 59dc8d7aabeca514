// Entry: banner, then the syntax text or the report for one machine; the
// exit status is the report's status.
#include <cstring>

#include "../platform/platform.h"
#include "../report/report.h"
#include "console.h"
#include "server_name.h"
#include "syntax.h"

int main(int argc, char** argv) {
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    ClearScreen(console);
    WriteNarrow("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");

    // argc can be 0 when the caller passes no argument vector at all.
    if (argc < 2 || IsSyntaxRequest(argv[1])) {
        ShowSyntax(console);
        EndProcess(0);
    }

    char narrowName[kServerNameCapacity];
    WCHAR wideName[kServerNameCapacity];
    if (!BuildServerName(argv[1], narrowName)) {
        // Querying a cut name would report on some other machine.
        EndProcess(ReportFailure(WidenServerName(argv[1]).c_str(), console, ERROR_INVALID_NAME, ERROR_SUCCESS));
    }
    MultiByteToWideChar(CP_ACP, 0, narrowName, static_cast<int>(strlen(narrowName) + 1), wideName,
                        static_cast<int>(kServerNameCapacity));
    EndProcess(ReportTimeInformation(wideName, console));
}
