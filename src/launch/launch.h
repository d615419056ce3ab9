#pragma once

#include "launch/process_table.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

// The launch buttons of the panel: which program each starts, with which command line,
// and whether the shell waits for it (the three analysis steps) or lets it run beside.

using ArgumentText = FixedText<300>;

// Click handler of every launch button.
void onLaunchButton(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Runs the program with the arguments and waits for its end: the exit code, or -1 when
// it could not be started.
int runAndWait(platform::Dialog dialog, const ProgramPathText& program,
               const ArgumentText& arguments);
