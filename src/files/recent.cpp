#include "files/recent.h"

#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/shell_files.h"
#include "ids.h"
#include "launch/command_line.h"
#include "launch/text_file_list.h"
#include "platform/platform.h"
#include "text/text_file.h"

#include <string>
#include <utility>
#include <vector>

std::array<PathText, recentFileCount> recentFiles;
PathText pickedRecentFile;

namespace {

using platform::ControlEvent;
using platform::Dialog;

constexpr int doneButton = 1;
constexpr int cancelled = 2;
constexpr int pickedByDoubleClick = 2000;

void readRecentFile() {
    std::vector<std::string> lines = splitLines(readShellFile(recentFileName).value_or(""));
    if (lines.size() > recentFileCount)
        lines.resize(recentFileCount);

    recentFiles.fill(PathText());
    std::size_t kept = 0;
    for (const std::string& line : lines) {
        const PathText name(line);
        if (!name.isBlank() && platform::fileExists(name.str()))
            recentFiles[kept++] = name;
    }
}

void writeRecentFile() {
    std::vector<std::string> lines;
    for (const PathText& entry : recentFiles)
        if (!entry.significant().empty() && entry.first() != '.')
            lines.emplace_back(entry.significant());
    if (!lines.empty())
        writeShellFile(recentFileName, joinLines(lines));
}

// A picked file that has gone is taken out of the list and of "recent.dat".
void forgetVanishedFile(Dialog dialog, int item) {
    platform::showMessage(" File does not exist (was deleted) !", "Select Recent Message",
                          platform::MessageIcon::Error);
    recentFiles[static_cast<std::size_t>(item - 1)] = PathText();
    pickedRecentFile = PathText();
    platform::endDialog(dialog, cancelled);
    exchangeRecentFile("W");
    exchangeRecentFile("R");
    reportUnsavedShellFiles();
}

void onRecentList(Dialog dialog, int, ControlEvent event) {
    const int item = platform::selectedItem(dialog, IDC_RECENT_LIST);
    pickedRecentFile = item > 0 ? platform::itemText(dialog, IDC_RECENT_LIST, item) : "";
    if (pickedRecentFile.isBlank())
        return;
    if (!findFile(pickedRecentFile))
        forgetVanishedFile(dialog, item);
    else if (event == ControlEvent::DoubleClick)
        platform::endDialog(dialog, pickedByDoubleClick);
    else
        platform::setEnabled(dialog, doneButton, true);
}

void prepareRecentDialog(Dialog dialog) {
    platform::onControlEvent(dialog, IDC_RECENT_LIST, ControlEvent::SelectionChanged, onRecentList);
    platform::onControlEvent(dialog, IDC_RECENT_LIST, ControlEvent::DoubleClick, onRecentList);
    for (const PathText& entry : recentFiles)
        platform::appendItem(dialog, IDC_RECENT_LIST, entry.trimmed());
    platform::setEnabled(dialog, doneButton, false);
}

} // namespace

void loadRecentList() {
    if (shellFileExists(recentFileName)) {
        exchangeRecentFile("R");
        return;
    }
    recentFiles.fill(PathText());
    writeShellFile(recentFileName,
                   joinLines(std::vector<std::string>(recentFileCount, std::string(260, ' '))));
}

void exchangeRecentFile(std::string_view mode) {
    if (!mode.empty() && (mode[0] == 'R' || mode[0] == 'r'))
        readRecentFile();
    else
        writeRecentFile();
}

void rememberInputFile() {
    const PathText name(fileSet.geometryFile.significant());
    if (name.isBlank() || name.first() == '.')
        return;
    for (int i = 0; i < recentFileCount; ++i) {
        if (recentFiles[i].trimmed() == name.trimmed()) {
            std::swap(recentFiles[0], recentFiles[i]);
            return;
        }
    }
    for (int i = recentFileCount - 1; i > 0; --i)
        recentFiles[i] = PathText(recentFiles[i - 1].significant());
    recentFiles[0] = name;
}

void onSelectRecent(Dialog dialog, int, ControlEvent) {
    rememberInputFile();
    pickedRecentFile = PathText();
    const int result = platform::runModalDialog(dialog, IDD_RECENT, prepareRecentDialog);
    if (result == cancelled || pickedRecentFile.isBlank())
        return;
    fileSet.geometryFile = pickedRecentFile;
    platform::setText(dialog, IDC_GEOMETRY_FILE, fileSet.geometryFile.trimmed());
    onPanelFieldChanged(dialog, IDC_GEOMETRY_FILE, ControlEvent::TextChanged);
    resetCaseList(dialog);
    showOldOutputFile(dialog, " ");
}
