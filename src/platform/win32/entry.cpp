#include "platform/win32/win32.h"
#include "shell/startup.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE previousInstance, LPSTR, int showCommand) {
    // The manifest asks for common controls 6, whose classes must be loaded first.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return shellMain({previousInstance != nullptr, showCommand});
}
