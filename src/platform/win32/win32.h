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

// A canvas that draws on the device context, for the length of one paint.
Canvas canvasOf(HDC deviceContext);

// The program's innermost dialog that is still open (the panel, or a modal dialog over
// it), which owns the message boxes and the Open dialog; null when there is none.
HWND frontmostDialog();

} // namespace platform::win32
