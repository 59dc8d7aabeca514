// Internal to the Linux layer: terminfo (ncurses' libtinfo), loaded by name
// the first time a terminal on standard output needs its capabilities. Runs
// whose output goes to a file or pipe, the usual case for scripts and
// benchmarks, then never pay for loading it.
#pragma once

#include "../loaded_functions.h"

// For the functions' types only; the library itself is not linked.
#include <term.h>

#define CORVANE_TERMINFO_FUNCTIONS(X) X(setupterm) X(tigetstr) X(tiparm) X(tputs)

// The library's functions, each with the type its header declares.
struct TerminfoLibrary {
    CORVANE_TERMINFO_FUNCTIONS(CORVANE_DECLARE_FUNCTION)
};

// The loaded library, or nullptr when it or one of its functions is missing.
const TerminfoLibrary* LoadTerminfoLibrary();
