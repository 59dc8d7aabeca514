#include "terminal.h"

#include <unistd.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "../output_stream.h"
// Included last: terminfo's header defines capability names as macros.
#include "terminfo_library.h"

namespace {

struct Capabilities {
    const TerminfoLibrary* terminfo = nullptr;  // Set whenever clear is.
    const char* clear = nullptr;            // clear: erases the screen, homes the cursor.
    const char* clearScrollback = nullptr;  // E3: erases the lines scrolled off the screen.
    const char* cursorAddress = nullptr;    // cup
    const char* home = nullptr;
};

const char* GetStringCapability(const TerminfoLibrary& terminfo, const char* name) {
    const char* value = terminfo.tigetstr(name);
    // (char*)-1 marks a name that is not a string capability.
    return value == reinterpret_cast<const char*>(-1) ? nullptr : value;
}

const Capabilities& GetCapabilities() {
    static const Capabilities found = [] {
        Capabilities capabilities;
        const char* type = getenv("TERM");
        if (!IsOutputTerminal() || type == nullptr || *type == '\0') return capabilities;
        // A terminal whose library is missing is treated like an unknown type.
        const TerminfoLibrary* terminfo = LoadTerminfoLibrary();
        if (terminfo == nullptr) return capabilities;
        int error = 0;  // Given, so that terminfo reports its failure here and prints nothing.
        if (terminfo->setupterm(type, STDOUT_FILENO, &error) != 0) return capabilities;  // 0 is OK.
        capabilities.clear = GetStringCapability(*terminfo, "clear");
        if (capabilities.clear == nullptr) return capabilities;
        capabilities.terminfo = terminfo;
        capabilities.clearScrollback = GetStringCapability(*terminfo, "E3");
        capabilities.cursorAddress = GetStringCapability(*terminfo, "cup");
        capabilities.home = GetStringCapability(*terminfo, "home");
        return capabilities;
    }();
    return found;
}

std::string* collected = nullptr;

int CollectByte(int byte) {
    collected->push_back(static_cast<char>(byte));
    return byte;
}

// Expands the capabilities' padding through terminfo and writes the result
// as one write on the stream the text goes to, so that it keeps its place
// among the text writes. The affected line count is 1 whatever the
// terminal's size.
void WriteCapabilities(const Capabilities& capabilities, std::initializer_list<const char*> strings) {
    std::string bytes;
    collected = &bytes;
    for (const char* capability : strings)
        if (capability != nullptr) capabilities.terminfo->tputs(capability, 1, CollectByte);
    collected = nullptr;
    WriteOutputBytes(bytes.data(), bytes.size());
}

}  // namespace

bool CanClearTerminal() { return GetCapabilities().clear != nullptr; }

void ClearTerminal() {
    const Capabilities& capabilities = GetCapabilities();
    if (capabilities.clear != nullptr) WriteCapabilities(capabilities, {capabilities.clear, capabilities.clearScrollback});
}

bool MoveTerminalCursor(int row, int column) {
    const Capabilities& capabilities = GetCapabilities();
    if (capabilities.clear == nullptr) return false;
    if (capabilities.cursorAddress != nullptr) {
        if (const char* move = capabilities.terminfo->tiparm(capabilities.cursorAddress, row, column)) {
            WriteCapabilities(capabilities, {move});
            return true;
        }
    }
    if (row == 0 && column == 0 && capabilities.home != nullptr) {
        WriteCapabilities(capabilities, {capabilities.home});
        return true;
    }
    return false;
}
