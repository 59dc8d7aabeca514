// Internal to the Windows layer: which "TZ" values the C runtime reads
// correctly.
#pragma once

// True for the runtime's own form, tzn[+|-]hh[:mm[:ss]][dzn]: three letters,
// an offset west of UTC of at most 24 hours, and an optional three-letter
// daylight name; and "UTC" or "GMT" alone. The runtime reads anything else, an IANA name such as
// "America/New_York" or a POSIX rule such as "CET-1CEST,M3.5.0,M10.5.0/3",
// as some other zone without a word, so such a value must not reach it.
bool IsRuntimeZoneText(const char* text);
