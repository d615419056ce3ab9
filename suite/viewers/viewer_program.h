// What every graph program does around its view: it reads its command line
// ("<subject> [/png <picture file>]"), tells a failure in one message (a message box, or
// standard error when a script asked for a picture), and shows the view in its window or
// saves it as a PNG file and ends.
#pragma once

#include "view.h"
#include "view_files.h"

#include <functional>
#include <memory>
#include <string>

namespace ombrix {

struct OpenView {
    std::unique_ptr<View> view;
    std::string name; // of the file shown, for the title and the picture's name
};

struct ViewerProgram {
    std::string name; // "Glance": the title is "OMBRIX - Glance"
    // The view of the command line's subject; throws FileRefused.
    std::function<OpenView(const std::string& subject)> open;
};

// The program's exit code: 0, or 1 after a failure.
int runViewerProgram(const ViewerProgram& program);

} // namespace ombrix
