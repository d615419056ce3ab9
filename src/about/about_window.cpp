#include "about/about_window.h"

#include "base/folders.h"
#include "files/settings.h"

WelcomeWindow welcome;

int welcomeExtent(int desktopEdge) {
    return static_cast<int>(static_cast<float>(desktopEdge) / 2.5f);
}

namespace {

void playWelcomeSound() {
    if (!welcome.welcomeDone && settings.soundOn)
        platform::playSound(folders.wavDir.str() + "OmbrixWelcome.wav");
}

// Closes the welcome window and ends the welcome phase; later clicks and ticks find
// nothing to close.
void endWelcome() {
    if (!welcome.welcomeDone)
        platform::destroyWindow(welcome.window);
    welcome.welcomeDone = true;
}

} // namespace

void aboutWindowProcedure(platform::Window, platform::WindowEvent event) {
    switch (event) {
    case platform::WindowEvent::Painted:
        playWelcomeSound();
        // The welcome window closes three seconds after its painting and its sound.
        if (!welcome.welcomeDone)
            platform::startTimer(welcome.window, welcomeTimerId, welcomeTimerMilliseconds);
        break;
    case platform::WindowEvent::Timer:
    case platform::WindowEvent::LeftClick: endWelcome(); break;
    case platform::WindowEvent::CloseRequest: welcome.welcomeDone = true; break;
    case platform::WindowEvent::Created:
    case platform::WindowEvent::Destroyed: break;
    }
}
