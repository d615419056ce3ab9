#pragma once

// The shell's process entry: start-up, the panel's run, and the exit code (always 0).
// The command line is not read.
struct EntryParameters {
    bool hasPreviousInstance = false;
    int showCommand = 0;
};

int shellMain(const EntryParameters& entry);

// Puts every record of the run (folders, settings, recent list, file set, process table,
// case selection, windows) back to its start value.
void resetShellState();
