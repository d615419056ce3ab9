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

platform::Rect centredOnDesktop(int width, int height) {
    const Point at = centredPosition(platform::desktopRect(), {0, 0, width, height});
    return {at.x, at.y, at.x + width, at.y + height};
}
