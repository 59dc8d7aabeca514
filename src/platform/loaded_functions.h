// Internal to the platform layer: functions of a library loaded by name
// (dlopen), listed as an X-macro of names, each kept with the type its
// header declares.
#pragma once

#include <dlfcn.h>

// Declares a member for one listed function.
#define CORVANE_DECLARE_FUNCTION(name) decltype(&::name) name;

// Looks one listed function up in `handle` into `library`, and clears
// `complete` when the library lacks it. For use inside a loader.
#define CORVANE_LOAD_FUNCTION(name)                                           \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library.name != nullptr;
