#include "shell/startup.h"

#include "about/about_window.h"
#include "files/recent.h"
#include "files/settings.h"
#include "files/shell_files.h"
#include "launch/process_table.h"
#include "platform/platform.h"
#include "shell/desktop.h"
#include "shell/folders.h"
#include "shell/icons.h"
#include "shell/panel.h"

namespace {

void showStartupError() {
    platform::showMessage("Error initializing application OMBRIX", "Error",
                          platform::MessageIcon::None);
}

bool showWelcomeWindow(const EntryParameters& entry) {
    if (!entry.hasPreviousInstance &&
        !platform::registerWindowClass(welcomeClassName, buttonIcons[classIcon],
                                       aboutWindowProcedure))
        return false;
    const platform::Rect desktop = platform::desktopRect();
    welcome.welcomeWidth = welcomeExtent(desktop.right);
    welcome.welcomeHeight = welcomeExtent(desktop.bottom);
    welcome.window = platform::createPopupWindow(welcomeClassName, "Welcome", welcome.welcomeWidth,
                                                 welcome.welcomeHeight);
    if (!welcome.window)
        return false;
    centreOnDesktop(welcome.window);
    platform::showWindow(welcome.window, entry.showCommand);
    return true;
}

void runWelcomePhase() {
    welcome.welcomeDone = false;
    platform::runWindowLoop(welcome.window, welcome.welcomeDone);
}

} // namespace

int shellMain(const EntryParameters& entry) {
    folders = installationFolders(platform::currentDirectory());
    loadClassIcon();
    if (!showWelcomeWindow(entry)) {
        showStartupError();
        return 0;
    }
    loadSoundSetting();
    runWelcomePhase();
    resetProcessTable();
    loadRecentList();
    loadButtonIcons();
    if (!buildPanel(entry.showCommand)) {
        showStartupError();
        return 0;
    }
    reportUnsavedShellFiles();
    return runPanel();
}
