#include "shell/panel.h"

#include "about/about_window.h"
#include "base/texts.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/recent.h"
#include "files/settings.h"
#include "ids.h"
#include "launch/launch.h"
#include "launch/text_file_list.h"
#include "shell/icons.h"
#include "shell/shutdown.h"

#include <array>
#include <optional>
#include <utility>

ShellRecord<Panel> panel;

namespace {

using platform::ControlEvent;
using platform::Dialog;

constexpr platform::Colour lightYellow{255, 255, 180};
constexpr platform::Colour lightCyan{202, 255, 255};

// Which icon each button shows, in the order they are put on.
constexpr std::array<std::pair<int, ButtonIcon>, 21> buttonIconTable{{
    {IDC_ITER, panelIcon},
    {IDC_INPUT, inputIcon},
    {IDC_INCARC, incarcIcon},
    {IDC_INPUT_FILE, inputFileIcon},
    {IDC_INCARC_FILE, incarcFileIcon},
    {IDC_COMPOUND_STRUCTURE, compoundIcon},
    {IDC_USERS_GUIDE, usersGuideIcon},
    {IDC_STRUCTURE_GRAPH, structureIcon},
    {IDC_MAX_PROCESSOR, maxIcon},
    {IDC_DISPLACED_GRAPH, displacementIcon},
    {IDC_PRINT, printIcon},
    {IDC_VIEW_EDIT, notepadIcon},
    {IDC_EXIT, exitIcon},
    {IDC_ABOUT, aboutIcon},
    {IDC_SELECT_GEOMETRY, openIcon},
    {IDC_SELECT_LOADING, openIcon},
    {IDC_SELECT_RECENT, openRecentIcon},
    {IDC_PREVIEW, previewIcon},
    {IDC_HELP_BUTTON, helpIcon},
    {IDC_COMPOUND_PROCESSOR, compoundPostIcon},
    {IDC_DIAGRAMS, diagramsIcon},
}};

constexpr std::array<std::pair<int, platform::Colour>, 6> controlColours{{
    {IDC_GEOMETRY_FILE, lightYellow},
    {IDC_OUTPUT_FILE, lightYellow},
    {IDC_LOADING_FILE, lightYellow},
    {IDC_CASE_LIST, lightYellow},
    {IDC_TEXT_FILE_LIST, lightYellow},
    {IDC_PROGRAM_STATUS, lightCyan},
}};

void dressPanel(Dialog dialog) {
    platform::setSmallIcon(dialog, buttonIcons[panelIcon]);
    for (const auto& [controlId, icon] : buttonIconTable)
        platform::setButtonIcon(dialog, controlId, buttonIcons[icon]);
    for (const auto& [controlId, colour] : controlColours)
        platform::setControlBackground(dialog, controlId, colour);
}

// E X I T, the hidden Cancel, the Escape key and the close box all end up here. The About
// windows go with the panel, before the questions of the exit.
void closePanel(Dialog dialog, int, ControlEvent) {
    closeAboutWindows();
    platform::destroyDialog(dialog);
}

void onPanelDestroyed(Dialog) {
    platform::postQuit(0);
}

// A new geometry file starts a new analysis: the cases of the last one are gone.
void onSelectGeometry(Dialog dialog, int, ControlEvent) {
    if (chooseGeometryFile(dialog))
        resetCaseList(dialog);
}

void onSelectLoading(Dialog dialog, int, ControlEvent) {
    chooseLoadingFile(dialog);
}

void onSelectRecent(Dialog dialog, int, ControlEvent) {
    const std::optional<PathText> picked = pickRecentFile(dialog);
    if (!picked)
        return;
    enterGeometryFile(dialog, *picked);
    resetCaseList(dialog);
    showOldOutputFile(dialog, " ");
}

void registerHandlers(Dialog dialog) {
    platform::onDestroyed(dialog, onPanelDestroyed);
    platform::onSessionEnd(dialog, [](Dialog) { onSessionEnd(); });
    platform::onControlEvent(dialog, IDC_SELECT_GEOMETRY, ControlEvent::Click, onSelectGeometry);
    platform::onControlEvent(dialog, IDC_SELECT_RECENT, ControlEvent::Click, onSelectRecent);
    for (int controlId : {IDC_GEOMETRY_FILE, IDC_OUTPUT_FILE})
        platform::onControlEvent(dialog, controlId, ControlEvent::TextChanged, onPanelFieldChanged);
    for (int controlId : {IDC_LIST_TYPE, IDC_OUTPUT_LANGUAGE})
        platform::onControlEvent(dialog, controlId, ControlEvent::SelectionChanged,
                                 onPanelFieldChanged);
    platform::onControlEvent(dialog, IDC_SELECT_LOADING, ControlEvent::Click, onSelectLoading);
    platform::onControlEvent(dialog, IDC_LOADING_FILE, ControlEvent::TextChanged,
                             onLoadingFieldChanged);
    for (int controlId : launchButtonIds())
        platform::onControlEvent(dialog, controlId, ControlEvent::Click, onLaunchButton);
    platform::onControlEvent(dialog, IDC_CASE_LIST, ControlEvent::SelectionChanged,
                             updateCaseSelection);
    platform::onControlEvent(dialog, IDC_ALL_CASES, ControlEvent::Click, onAllCases);
    for (ControlEvent event : {ControlEvent::SelectionChanged, ControlEvent::DoubleClick})
        platform::onControlEvent(dialog, IDC_TEXT_FILE_LIST, event, onTextFileList);
    platform::onControlEvent(dialog, IDC_SOUND_BOX, ControlEvent::Click, onSoundBox);
    platform::onControlEvent(dialog, IDC_ABOUT, ControlEvent::Click, onAboutButton);
    platform::onControlEvent(dialog, IDC_EXIT, ControlEvent::Click, closePanel);
    platform::onControlEvent(dialog, IDC_CANCEL, ControlEvent::Click, closePanel);
}

void setTextFileListStartValue(Dialog dialog) {
    for (const std::string& caption :
         {std::string(), std::string(), std::string(), shellText(Text::newTextCaption)})
        platform::appendItem(dialog, IDC_TEXT_FILE_LIST, caption);
}

void setSoundStartValue(Dialog dialog) {
    showSoundSetting(dialog);
    saveSoundSetting();
}

void setStartValues(Dialog dialog) {
    for (int controlId : {IDC_INPUT, IDC_INCARC, IDC_ITER, IDC_CASE_CAPTION})
        platform::setEnabled(dialog, controlId, false);
    platform::setChecked(dialog, IDC_ALL_CASES, false);
    platform::setEnabled(dialog, IDC_ALL_CASES, false);
    showFileSetStartValues(dialog);
    showListTypeStartValue(dialog);
    showLanguageStartValue(dialog);
    for (int controlId : {IDC_PREVIEW, IDC_VIEW_EDIT, IDC_PRINT})
        platform::setEnabled(dialog, controlId, false);
    setTextFileListStartValue(dialog);
    setSoundStartValue(dialog);
}

} // namespace

bool buildPanel(int showCommand, std::future<void> buttonIconsLoaded) {
    panel.dialog = platform::createDialog(IDD_PANEL);
    if (!panel.dialog)
        return false;
    buttonIconsLoaded.get();
    dressPanel(panel.dialog);
    registerHandlers(panel.dialog);
    setStartValues(panel.dialog);
    platform::showDialog(panel.dialog, showCommand);
    return true;
}

int runPanel() {
    return platform::runMainLoop(panel.dialog);
}
