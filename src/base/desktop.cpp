#include "base/desktop.h"

namespace {

int centredOffset(int desktopEnd, int size) {
    const int offset = (desktopEnd - size) / 2;
    if (offset < 0)
        return 0;
    if (desktopEnd < offset + size)
        return desktopEnd - size;
    return offset;
}

} // namespace

Point centredPosition(const platform::Rect& desktop, const platform::Rect& window) {
    return {centredOffset(desktop.right, window.right - window.left),
            centredOffset(desktop.bottom, window.bottom - window.top)};
}

void centreOnDesktop(platform::Window window) {
    const Point at = centredPosition(platform::desktopRect(), platform::windowRect(window));
    platform::moveWindow(window, at.x, at.y);
}
