#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"

#include <future>

// The launcher panel: the shell's one main window, built from template 102.
struct Panel {
    platform::Dialog dialog = nullptr;
};

extern ShellRecord<Panel> panel;

inline constexpr const char* panelCaption = "OMBRIX";

// Creates the panel, dresses it (icons, colours) once its icons are loaded, wires its
// handlers, gives its controls their start values and shows it. False when the panel
// cannot be created.
bool buildPanel(int showCommand, std::future<void> buttonIconsLoaded);

// Runs the main loop until the panel has been closed; returns the quit message's value.
int runPanel();
