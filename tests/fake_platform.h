// Scripted stand-ins for the console, the network calls and the message
// table, linked into the report tests in place of the real ones.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"

struct FakePlatform {
    // NetRemoteTOD
    NET_API_STATUS timeStatus = NERR_Success;
    DWORD timeLastError = ERROR_SUCCESS;  // Set by the call when not 0.
    TIME_OF_DAY_INFO timeOfDay{};
    // NetStatisticsGet
    NET_API_STATUS statisticsStatus = NERR_Success;
    DWORD statisticsLastError = ERROR_SUCCESS;
    DWORD startTime = 0;
    // FormatMessageW: texts by code, each as the system gives it.
    std::map<DWORD, std::wstring> messages;
    // The console clearing writes this marker, then leaves the error a
    // console call leaves when output is not a console.
    const char* clearMarker = "<clear>";

    // What the report did.
    int timeCalls = 0;
    int statisticsCalls = 0;
    int buffersHeld = 0;  // Network buffers handed out and not yet released.
    int messagesHeld = 0;
    std::wstring timeServer, statisticsServer, service;
    DWORD level = 99, options = 99, messageFlags = 0;
};

extern FakePlatform fake;

// UTC fields of a time-of-day record.
TIME_OF_DAY_INFO MakeTimeOfDay(DWORD year, DWORD month, DWORD day, DWORD hours, DWORD minutes, DWORD seconds);
