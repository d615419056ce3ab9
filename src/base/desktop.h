#pragma once

#include "platform/platform.h"

struct Point {
    int x = 0, y = 0;
};

// Where a window of the given rectangle stands centred on the desktop. The desktop's
// left and top are taken as 0; a window wider or taller than the desktop is kept at
// the left or top edge, and one that would overrun the right or bottom edge is moved
// back against it.
Point centredPosition(const platform::Rect& desktop, const platform::Rect& window);

// The place of a window of the given size centred on the desktop, as above.
platform::Rect centredOnDesktop(int width, int height);
