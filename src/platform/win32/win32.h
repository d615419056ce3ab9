#pragma once

// Shared by the Windows implementation of the platform interface only.
#include <windows.h>

namespace platform::win32 {

// The program's instance, set by the entry point before anything else runs.
HINSTANCE instance();
void setInstance(HINSTANCE instance);

} // namespace platform::win32
