// What every program that shows its results in a window does around them: it reads its
// command line ("<subject> [<switch> <output file>]"), tells a failure in one message (a
// message box with the program's title, or standard error when a script asked for a file),
// and shows its window or writes the file and ends.
#pragma once

#include "viewer_arguments.h"

#include <functional>
#include <string>
#include <string_view>

namespace ombrix {

// A line on the standard error that a script reads, as a program run without a window
// tells a failure.
void writeErrorLine(const std::string& message);

// The program's exit code: 0, or 1 after a failure. `run` shows the window, or writes the
// output file the arguments name; a FileRefused it throws is told. GDI+ runs meanwhile; a
// program that draws texts says so at once when no installed font can show them.
int runScriptableProgram(const std::string& name, std::string_view outputSwitch,
                         const std::function<void(const ViewerArguments&)>& run);

} // namespace ombrix
