// Runs the built tool as a user would and collects what it shows.
#pragma once

#include <map>
#include <string>
#include <vector>

// Where standard output goes. The last four lose everything written: /dev/full,
// a closed descriptor, and a pipe whose reader has gone, with SIGPIPE at its
// default or ignored as the tool starts.
enum class OutputTo { Pipe, File, Terminal, FullDevice, Closed, GoneReader, GoneReaderSigpipeIgnored };

// Columns and rows of the terminal for OutputTo::Terminal.
struct TerminalSize {
    unsigned short columns = 100, rows = 30;
};

struct RunResult {
    std::string out;  // Exact bytes of standard output.
    std::string err;  // Standard error (empty unless output goes to a terminal).
    int exitCode = -1;  // -1 when it did not exit normally or timed out.
    bool timedOut = false;
    double seconds = 0;
};

// The texts as C strings followed by a null pointer, as execve takes its
// arguments and environment; valid while the texts live unchanged.
std::vector<char*> MakeExecList(std::vector<std::string>& texts);

// Runs program with the arguments (argv[0] is added) in an environment of
// PATH, LC_ALL=C and the given variables only; kills it after timeoutSeconds.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment, OutputTo output = OutputTo::Pipe,
                     double timeoutSeconds = 20, TerminalSize terminalSize = {});
