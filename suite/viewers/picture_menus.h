// What the graph programs' picture windows share: the File menu that saves the picture as
// a PNG file, and the Case menu of the solved cases.
#pragma once

#include "raster.h"
#include "view_files.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ombrix {

// Writes the picture the user asked for, or tells why it could not be written.
void savePictureAs(HWND owner, const Raster& picture, const std::string& name,
                   const std::string& folder, const std::string& title);

// The File menu of a window that shows a picture: Save as PNG (Ctrl+S), for a solved case
// Export (Ctrl+E), and Exit.
HMENU pictureFileMenu(bool exportsCase = false);

// Next and previous case, then each solved case, from FirstCase on; the first is checked.
HMENU caseMenu(const std::vector<SolvedCase>& cases);
void checkCase(HWND window, std::size_t cases, std::size_t index);

} // namespace ombrix
