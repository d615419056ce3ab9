#pragma once

// Shared by the Windows implementation of the platform interface only.
#include "platform/platform.h"

#include <windows.h>

namespace platform::win32 {

// The program's instance: the module of the running executable, whose resources hold
// the dialog templates.
inline HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

// The window of a dialog of the dialog layer; null once it has gone.
HWND dialogWindow(Dialog dialog);

} // namespace platform::win32
