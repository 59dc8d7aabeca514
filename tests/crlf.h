#pragma once

#include <string>

// The bytes the tool writes for a text: every line feed after a carriage
// return. Expected texts in the tests read as plain text this way.
inline std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
