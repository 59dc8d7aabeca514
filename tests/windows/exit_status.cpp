// Runs a command line and prints its full 32-bit exit code, which wine64
// itself cuts to 8 bits. Usage: exit_status.exe PROGRAM [ARGUMENTS...]
// The rest of this program's command line is passed on as it stands. The
// command's own output comes first, then a line feed and "exit status N"
// and a line feed, so that the status stands on a line of its own even
// after output that does not end a line.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {

// The command line after this program's own name, quoted or not.
wchar_t* SkipProgramName(wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line != 0 && *line != L'"') ++line;
        if (*line == L'"') ++line;
    } else {
        while (*line != 0 && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

}  // namespace

int main() {
    wchar_t* command = SkipProgramName(GetCommandLineW());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (*command == 0 || !CreateProcessW(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                         &process)) {
        fprintf(stderr, "exit_status: cannot start the command (error %lu)\n", GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    _setmode(_fileno(stdout), _O_BINARY);
    printf("\nexit status %lu\n", code);
    return 0;
}
