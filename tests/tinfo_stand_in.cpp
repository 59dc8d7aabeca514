// A library with terminfo's file name and none of its functions: what a run
// finds when the terminal library it loads by name is not the real one.
int corvane_tinfo_stand_in = 0;
