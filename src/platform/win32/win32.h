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

// A function of a system library that the program calls only now and then (the Open
// dialog's, the sounds'): the library, and the libraries it loads in turn, are loaded at
// the first call instead of at start-up, from the system folder only, and stay loaded.
// Null when the library or the function is not there.
template <typename Function> Function* systemFunction(const char* library, const char* name) {
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Through the generic function type, which converts to and from any other.
    return module ? reinterpret_cast<Function*>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

// The program's innermost dialog that is still open (the panel, or a modal dialog over
// it), which owns the message boxes and the Open dialog; null when there is none.
HWND frontmostDialog();

} // namespace platform::win32
