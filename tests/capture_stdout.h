// Runs a piece of code with standard output sent to a file and gives back
// the exact bytes it wrote.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

template <typename Body>
std::string CaptureStdout(Body body) {
    char path[] = "/tmp/corvane-capture-XXXXXX";
    const int file = mkstemp(path);
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(file, STDOUT_FILENO);
    body();
    fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::string bytes;
    lseek(file, 0, SEEK_SET);
    char chunk[4096];
    for (ssize_t n; (n = read(file, chunk, sizeof chunk)) > 0;) bytes.append(chunk, static_cast<size_t>(n));
    close(file);
    unlink(path);
    return bytes;
}
