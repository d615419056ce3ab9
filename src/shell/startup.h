#pragma once

// The shell's process entry: start-up, the panel's run, and the exit code (always 0).
// The command line is not read.
struct EntryParameters {
    bool hasPreviousInstance = false;
    int showCommand = 0;
};

int shellMain(const EntryParameters& entry);
