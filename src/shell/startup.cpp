#include "shell/startup.h"

#include "about/about_window.h"
#include "base/desktop.h"
#include "base/folders.h"
#include "base/messages.h"
#include "base/texts.h"
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
    platform::showMessage(shellText(Text::startupError), shellText(Text::startupErrorTitle),
                          platform::MessageIcon::None);
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
    showShellInformation(shellText(Text::alreadyRunning, {folders.startDir.trimmed()}));
    platform::showOtherInstance(panelCaption);
    return false;
}

} // namespace

int shellMain(const EntryParameters& entry) {
    findInstallationFolders();
    if (!claimInstallation())
        return 0;
    removeLeftoverShellFiles();
    loadClassIcon();
    if ((!entry.hasPreviousInstance && !registerWelcomeClass(buttonIcons[classIcon])) ||
        !showWelcomeWindow(entry.showCommand)) {
        showStartupError();
        return 0;
    }
    std::future<void> buttonIconsLoaded = startLoadingButtonIcons();
    loadSoundSetting();
    runWelcomePhase();
    resetProcessTable();
    loadRecentList();
    if (!buildPanel(entry.showCommand, std::move(buttonIconsLoaded))) {
        showStartupError();
        return 0;
    }
    reportUnsavedShellFiles();
    return shutdown(runPanel());
}
