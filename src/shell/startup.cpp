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
#include "shell/messages.h"
#include "shell/panel.h"

#include <string>
#include <vector>

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

// A start folder that cannot be written loses nothing in memory, but the user should
// know that the settings of this run will not be kept: one message for all such files.
void reportUnsavedShellFiles() {
    const std::vector<std::string> names = takeUnsavedShellFiles();
    if (names.empty())
        return;
    std::string list;
    for (const std::string& name : names)
        list += "\n    " + shellFilePath(name);
    showShellInformation("These files of the shell could not be written:" + list +
                         "\n\nThe start folder may be read-only or full. The shell carries on, "
                         "but changed settings will not be kept.");
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
