#pragma once

#include "platform/platform.h"

// The welcome window shown once at start-up, and the window class it shares with the
// About window.
struct WelcomeWindow {
    platform::Window window = nullptr;
    // False while the welcome window is up; true from its close to the end of the run.
    bool welcomeDone = false;
    // The size of both windows: the desktop's right and bottom edges over 2.5.
    int welcomeWidth = 0;
    int welcomeHeight = 0;
};

extern WelcomeWindow welcome;

inline constexpr const char* welcomeClassName = "Welcome";
inline constexpr int welcomeTimerId = 1;
inline constexpr int welcomeTimerMilliseconds = 3000;

// The size of the welcome and About windows for a desktop of the given extent.
int welcomeExtent(int desktopEdge);

// The window procedure of the "Welcome" class.
void aboutWindowProcedure(platform::Window window, platform::WindowEvent event);
