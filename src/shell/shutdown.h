#pragma once

// The end of the run, after the panel has gone: the recent list saved, the programs
// started beside the shell that still run offered to be ended, the farewell sound, and
// "language.dat" removed. Returns the exit code that ended the panel's loop, the
// process's exit code.
int shutdown(int exitCode);

// What must not be lost when Windows ends the session while the shell runs: the recent
// list is saved and "language.dat" removed, as at a normal end.
void onSessionEnd();
