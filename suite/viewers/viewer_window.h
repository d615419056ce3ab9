// The window of a 3-D graph program: the view drawn at the window's size and the system's
// DPI; turned with the left mouse button and the arrow keys, moved with the right one,
// zoomed with the wheel and + and -, fitted with Home; the standard views, node and member
// numbers and Save as PNG from its menu and keys; for a solved case also its reactions,
// the scale of its displacements, and the other solved cases.
#pragma once

#include "viewer_program.h"

#include <string>

namespace ombrix {

// Shows the window until it is closed.
void showViewerWindow(const std::string& title, OpenView opened);

} // namespace ombrix
