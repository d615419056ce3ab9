#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"

#include <vector>

// The welcome window shown once at start-up, and the window class it shares with the
// About window.
struct WelcomeWindow {
    platform::Window window = nullptr;
    // False while the welcome window is up; true from its close to the end of the run.
    bool welcomeDone = false;
    // The size of both windows: the desktop's right and bottom edges over 2.5.
    int welcomeWidth = 0;
    int welcomeHeight = 0;
    // The About windows open now; they close with the panel.
    std::vector<platform::Window> aboutWindows;
};

extern ShellRecord<WelcomeWindow> welcome;

inline constexpr const char* welcomeClassName = "Welcome";
inline constexpr int welcomeTimerId = 1;
inline constexpr int welcomeTimerMilliseconds = 3000;

// The window class of the welcome and About windows, with its icon; once per process.
bool registerWelcomeClass(platform::Icon icon);
// Shows the welcome window, centred; false when it cannot be made.
bool showWelcomeWindow(int showCommand);
// Serves the welcome window until it closes: on its timer, a click or a close request.
void runWelcomePhase();

// The size of the welcome and About windows for a desktop of the given extent.
int welcomeExtent(int desktopEdge);

// The window procedure of the "Welcome" class. The welcome window closes on its timer,
// a click or a close request; an About window stays until it is closed, as the user may
// want to read it.
void aboutWindowProcedure(platform::Window window, platform::WindowEvent event,
                          platform::Canvas canvas);

// Click handler of the About button: a further About window each time.
void onAboutButton(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// Closes every About window, as the panel closes.
void closeAboutWindows();
