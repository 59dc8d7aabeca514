#pragma once

#include <climits>
#include <fstream>
#include <string>

// The moment this machine started, in seconds since 1970 UTC, as the
// kernel counts it (btime in /proc/stat); -1 when it cannot be read.
inline long long ReadBootTime() {
    std::ifstream stat("/proc/stat");
    std::string key;
    long long value = 0;
    while (stat >> key) {
        if (key == "btime" && stat >> value) return value;
        stat.ignore(LLONG_MAX, '\n');
    }
    return -1;
}
