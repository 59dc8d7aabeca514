// The machine time report and its failure block.
#pragma once

#include "../platform/platform.h"

// Asks the machine for its time of day and its server statistics and writes
// the report: current time, start time and running time. Returns 0, or the
// status of the query that failed after writing the failure block instead.
NET_API_STATUS ReportTimeInformation(LPWSTR serverName, HANDLE console);

// Clears the screen and writes the failure block for status, its message
// describing lastError when that is set, else status. Returns status.
NET_API_STATUS ReportFailure(LPCWSTR serverName, HANDLE console, NET_API_STATUS status, DWORD lastError);

// Fills buffer with one line of system message text and its code in hex,
// for the thread's last error or, when none is set, for fallbackCode. Gives
// the empty text when the system has none or it does not fit. Returns buffer.
LPWSTR FormatSystemMessage(LPWSTR buffer, DWORD capacity, DWORD fallbackCode);
