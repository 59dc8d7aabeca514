// corvane's own entry against the scripted network of fake_platform: the
// Linux reference for corvane.exe under Wine with the network management
// double (tests/windows/netapi_double.cpp). It reads the same NETAPI_*
// variables, so both builds are fed the same answers. The clearing writes
// nothing and the message table has a placeholder text for each code that
// Windows has one for; the comparison masks the texts.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fake_platform.h"
#include "front/entry.h"

namespace {

DWORD GetNumber(const char* name) {
    const char* value = getenv(name);
    return value == nullptr ? 0 : static_cast<DWORD>(strtoul(value, nullptr, 10));
}

void LoadScript() {
    fake.clearMarker = "";
    fake.timeStatus = GetNumber("NETAPI_TIME_STATUS");
    fake.timeLastError = GetNumber("NETAPI_TIME_ERROR");
    fake.statisticsStatus = GetNumber("NETAPI_STATISTICS_STATUS");
    fake.statisticsLastError = GetNumber("NETAPI_STATISTICS_ERROR");
    fake.startTime = GetNumber("NETAPI_START");
    unsigned long f[6] = {};
    const char* time = getenv("NETAPI_TIME");
    if (time != nullptr && sscanf(time, "%lu %lu %lu %lu %lu %lu", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) == 6)
        fake.timeOfDay = MakeTimeOfDay(f[0], f[1], f[2], f[3], f[4], f[5]);
    else if (fake.timeStatus == NERR_Success)
        fake.timeStatus = ERROR_INVALID_PARAMETER;  // As the double answers a case without a clock.
    const DWORD withText[] = {ERROR_ACCESS_DENIED, ERROR_BAD_NETPATH,  ERROR_UNEXP_NET_ERR,
                              ERROR_INVALID_PARAMETER, ERROR_INVALID_NAME, 1722};
    for (DWORD code : withText)
        fake.messages[code] = L"Message " + std::to_wstring(code) + L".\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    LoadScript();
    RunCorvane(argc, argv);
}
