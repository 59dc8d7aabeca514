// Internal to the Linux layer: the terminal on standard output as terminfo
// describes it, looked up once per run.
#pragma once

// True when standard output is a terminal whose terminfo entry can clear
// the screen. TERM unset or empty, a type terminfo does not know, or one
// without the clear capability (dumb) gives false, and then nothing is ever
// sent to it but the text itself.
bool CanClearTerminal();

// Clears the screen and homes the cursor with the terminal's own clear
// capability, then erases the lines scrolled off it with E3 where the
// terminal has that. Nothing when the terminal cannot be cleared.
void ClearTerminal();

// Moves the cursor with cup (or home, for the origin); false when the
// terminal cannot be cleared or has neither.
bool MoveTerminalCursor(int row, int column);
