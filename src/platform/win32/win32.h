#pragma once

// Shared by the Windows implementation of the platform interface only.
#include <windows.h>

namespace platform::win32 {

// The program's instance: the module of the running executable, whose resources hold
// the dialog templates.
inline HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

} // namespace platform::win32
