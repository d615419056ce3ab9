#include "shell/startup.h"

#include "about/about_window.h"
#include "base/desktop.h"
#include "base/folders.h"
#include "base/messages.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/recent.h"
#include "files/settings.h"
#include "files/shell_files.h"
#include "handoff/records.h"
#include "launch/launch.h"
#include "launch/process_table.h"
#include "launch/text_file_list.h"
#include "platform/platform.h"
#include "shell/icons.h"
#include "shell/panel.h"
#include "shell/shutdown.h"

#include <algorithm>
#include <cctype>

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

// One shell per installation: the suite's programs hand the analysis on through the files
// of the start folder, which two shells would share and mix.
std::string installationInstanceName() {
    std::string folder = folders.startDir.str();
    std::transform(folder.begin(), folder.end(), folder.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "OMBRIX shell " + handoff::digestText(handoff::digestOf(folder));
}

bool claimInstallation() {
    if (platform::claimInstanceName(installationInstanceName()))
        return true;
    showShellInformation("OMBRIX is already running from this installation:\n" +
                         folders.startDir.str() +
                         "\n\nIts panel is brought to the front. The suite's programs take the "
                         "analysis from the same files of this folder, so only one OMBRIX may "
                         "run from it at a time.");
    platform::showOtherInstance(panelCaption);
    return false;
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
    analysisSteps = AnalysisSteps();
    selectedTextFile = PathText();
    panel = Panel();
}

int shellMain(const EntryParameters& entry) {
    folders = installationFolders(platform::currentDirectory());
    if (!claimInstallation())
        return 0;
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
