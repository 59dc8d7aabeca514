#include "syntax.h"

#include "console.h"

bool IsSyntaxRequest(const char* argument) {
    return argument[0] == '-' || argument[0] == '/' || argument[0] == '?';
}

bool IsSyntaxRequest(const WCHAR* argument) {
    return argument[0] == L'-' || argument[0] == L'/' || argument[0] == L'?';
}

void ShowSyntax(HANDLE console) {
    ClearScreen(console);
    WriteNarrow(
        "\n\tSyntax: Corvane [MachineName]\n\n"
        "\tCorvane.exe retrieves the current time and\n"
        "\tthe the total time up and running for the\n"
        "\tselected machine.\n\n"
        "\tAdmin or server operator group membership\n"
        "\tis required to successfully execute Corvane\n"
        "\ton a remote server.\n\n"
        "\tCorvane is written and maintained by the Corvane developers.\n"
        "\tReport problems through the project's issue tracker.\n\n");
}
