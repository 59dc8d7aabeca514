// Runs the built tool as a user would and collects what it shows.
#pragma once

#include <map>
#include <string>
#include <vector>

enum class OutputTo { Pipe, File, Terminal };

struct RunResult {
    std::string out;  // Exact bytes of standard output.
    std::string err;  // Standard error (empty unless output goes to a terminal).
    int exitCode = -1;  // -1 when it did not exit normally or timed out.
    bool timedOut = false;
    double seconds = 0;
};

// Runs program with the arguments (argv[0] is added) in an environment of
// PATH, LC_ALL=C and the given variables only; kills it after timeoutSeconds.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::map<std::string, std::string>& environment, OutputTo output = OutputTo::Pipe,
                     double timeoutSeconds = 20);
