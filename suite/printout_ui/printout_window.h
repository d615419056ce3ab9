// Printout's window: a text shown page by page as the printer will print it, or a new text
// typed in an edit control; opened, saved and printed from its File menu.
#pragma once

#include <optional>
#include <string>

namespace ombrix {

struct TextFile {
    std::string path;
    std::string text; // as UTF-8
};

// The file's text, or FileRefused with one message naming the file.
TextFile readTextFile(const std::string& path);

// The window until it is closed: the file's pages, or an empty new text when there is none.
void showPrintout(std::optional<TextFile> file);

} // namespace ombrix
