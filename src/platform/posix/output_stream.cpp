#include "../output_stream.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

bool PrepareStandardOutput(bool* lost) {
    // A reader that has gone must not kill the process before it can tell
    // its status: the failed write is counted instead.
    signal(SIGPIPE, SIG_IGN);
    if (fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF) {
        // No standard output at all. Hold its descriptor with /dev/null so
        // that no socket or file opened later takes its place and receives
        // the report.
        *lost = true;
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0 && null != STDOUT_FILENO) {
            dup2(null, STDOUT_FILENO);
            close(null);
        }
        return false;
    }
    return isatty(STDOUT_FILENO) == 1;
}
