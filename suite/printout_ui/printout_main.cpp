// Printout (Print): a text file of the analysis shown page by page and printed.
//   Printout <text file>      the name whole, blanks and all, in double quotes or not
//   Printout <TAB>            a new, empty text to type
// A file that cannot be read is one message naming it, and the program ends.

#include "printout_window.h"
#include "program_window.h"
#include "view_files.h"

#include "handoff/handoff.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace ombrix;
    const std::string path = handoff::fileNameArgument(GetCommandLineA());
    const bool isNewText = path.find_first_not_of(" \t") == std::string::npos; // a quoted TAB too
    try {
        showPrintout(isNewText ? std::nullopt : std::optional(readTextFile(path)));
        return 0;
    } catch (const FileRefused& refused) {
        MessageBoxA(nullptr, refused.what(), titleOf("Printout").c_str(),
                    MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        return 1;
    }
}
