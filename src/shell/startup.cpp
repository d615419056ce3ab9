#include "shell/startup.h"

#include "about/about_window.h"
#include "base/desktop.h"
#include "base/folders.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/recent.h"
#include "files/settings.h"
#include "files/shell_files.h"
#include "launch/process_table.h"
#include "launch/text_file_list.h"
#include "platform/platform.h"
#include "shell/icons.h"
#include "shell/panel.h"
#include "shell/shutdown.h"

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

void resetShellState() {
    folders = InstallationFolders();
    welcome = WelcomeWindow();
    buttonIcons.fill(nullptr);
    settings = Settings();
    recentFiles.fill(PathText());
    unsavedShellFiles = UnsavedShellFiles();
    fileSet = FileSet();
    fileChoices = FileChoices();
    resetProcessTable();
    caseSelection = CaseSelection();
    selectedTextFile = PathText();
    panel = Panel();
}

int shellMain(const EntryParameters& entry) {
    folders = installationFolders(platform::currentDirectory());
    removeLeftoverShellFiles();
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
    return shutdown(runPanel());
}
