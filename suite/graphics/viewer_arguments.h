// The command line of the graph programs: "<subject> [<switch> <output file>]", the switch
// "/png" for a picture, or PeakFinder's "/csv" for its table. The subject is Glance's
// geometry file, or the TAB the shell gives the others. The shell puts a name with blanks
// in double quotes; a name without them is taken whole, blanks and all.
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

} // namespace ombrix
