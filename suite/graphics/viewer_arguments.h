// The command line of the graph programs: "<subject> [<switch> <output file>]", the switch
// "/png" for a picture, or PeakFinder's "/csv" for its table. The subject is Glance's
// geometry file, or the TAB the shell gives the others. The shell puts a name with blanks
// in double quotes; a name without them is taken whole, blanks and all. And the parts of
// a path the programs name in their titles and offer to save in.
#pragma once

#include <string>
#include <string_view>

namespace ombrix {

struct ViewerArguments {
    std::string subject;
    std::string output; // empty: show the window; otherwise write this file and end
};

// From the whole command line as the system gives it, the program's own name first.
ViewerArguments viewerArguments(std::string_view commandLine, std::string_view outputSwitch);

// The file name of a path, and its folder (empty when it has none).
std::string fileNameOf(const std::string& path);
std::string folderOf(const std::string& path);

} // namespace ombrix
