// The window of a 3-D graph program: the view drawn at the window's size and the system's
// DPI; turned with the left mouse button and the arrow keys, moved with the right one,
// zoomed with the wheel and + and -, fitted with Home; the standard views, node and member
// numbers and Save as PNG from its menu and keys.
#pragma once

#include "view.h"

#include <string>

namespace ombrix {

// Shows the window until it is closed. pictureName is the name that Save offers.
void showViewerWindow(const std::string& title, const View& view, const std::string& pictureName);

} // namespace ombrix
