// What every graph program does around what it shows: it reads its command line
// ("<subject> [<switch> <output file>]"), tells a failure in one message (a message box, or
// standard error when a script asked for a file), and shows its window or writes the file
// and ends.
#pragma once

#include "view.h"
#include "view_files.h"
#include "viewer_arguments.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

struct OpenView {
    std::unique_ptr<View> view;
    std::string name;    // of the file shown, for the title and the picture's name
    std::string folder;  // where Save offers to put the picture; empty: the current folder
    ViewOptions options; // those it opens with
    // PlotterD: the solved cases, of which the view shows the first, and the view of each,
    // which throws FileRefused.
    std::vector<SolvedCase> cases;
    std::function<std::unique_ptr<View>(int caseNumber)> viewOfCase;
};

// The program's exit code: 0, or 1 after a failure. `run` shows the window, or writes the
// output file the arguments name; a FileRefused it throws is told. GDI+ runs meanwhile; a
// program that draws texts says so at once when no installed font can show them.
int runGraphProgram(const std::string& name, std::string_view outputSwitch,
                    const std::function<void(const ViewerArguments&)>& run);

// A 3-D graph program: its view of the command line's subject, which throws FileRefused,
// in the viewer window, or saved as a PNG file with "/png".
int runViewerProgram(const std::string& name,
                     const std::function<OpenView(const std::string& subject)>& open);

// The title of the programs' windows and messages: "OMBRIX - Glance".
std::string titleOf(const std::string& programName);

// The size of a picture asked for by a script, at 96 dpi.
inline constexpr int scriptPictureWidth = 1200;
inline constexpr int scriptPictureHeight = 900;

// Writes the picture as a PNG file, or throws FileRefused saying it cannot.
void writePicture(const Raster& picture, const std::string& path);

} // namespace ombrix
