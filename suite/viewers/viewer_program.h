// What every 3-D graph program does around what it shows: its view of the command line's
// subject in the viewer window, or saved as a PNG file for a script.
#pragma once

#include "view.h"
#include "view_files.h"

#include <functional>
#include <memory>
#include <string>
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
    std::shared_ptr<const SolvedAnalysis> solved; // PlotterD: whose cases File, Export writes
};

// A 3-D graph program: its view of the command line's subject, which throws FileRefused,
// in the viewer window, or saved as a PNG file with "/png".
int runViewerProgram(const std::string& name,
                     const std::function<OpenView(const std::string& subject)>& open);

// The size of a picture asked for by a script, at 96 dpi.
inline constexpr int scriptPictureWidth = 1200;
inline constexpr int scriptPictureHeight = 900;

// Writes the picture as a PNG file, or throws FileRefused saying it cannot.
void writePicture(const Raster& picture, const std::string& path);

} // namespace ombrix
