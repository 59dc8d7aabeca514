#include <string>

#include "../output_stream.h"
#include "../platform.h"

namespace {

void AppendNarrowUnit(std::string& out, unsigned char byte) {
    if (byte == '\n') out += '\r';
    out += static_cast<char>(byte);
}

}  // namespace

void WriteNarrow(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) AppendNarrowUnit(out, static_cast<unsigned char>(*p));
    WriteOutputBytes(out.data(), out.size());
}

void WriteWide(const WCHAR* text) {
    std::string out;
    for (const WCHAR* p = text; *p != 0; ++p) {
        // A unit with no single-byte form ends this write; later writes go on.
        if (static_cast<unsigned long>(*p) > 0xFF) break;
        AppendNarrowUnit(out, static_cast<unsigned char>(*p));
    }
    WriteOutputBytes(out.data(), out.size());
}
