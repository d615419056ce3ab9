#include "platform/win32/win32.h"
#include "shell/startup.h"

#include <commctrl.h>

namespace platform::win32 {

namespace {
HINSTANCE programInstance = nullptr;
}

HINSTANCE instance() { return programInstance; }
void setInstance(HINSTANCE instance) { programInstance = instance; }

} // namespace platform::win32

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int showCommand) {
    platform::win32::setInstance(instance);
    // The manifest asks for common controls 6, whose classes must be loaded first.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return shellMain({previousInstance != nullptr, showCommand});
}
