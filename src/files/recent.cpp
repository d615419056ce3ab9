#include "files/recent.h"

#include "base/file_search.h"
#include "base/texts.h"
#include "files/file_set.h"
#include "files/shell_files.h"
#include "ids.h"
#include "platform/platform.h"
#include "text/text_file.h"

#include <string>
#include <utility>
#include <vector>

ShellRecord<std::array<PathText, recentFileCount>> recentFiles;

namespace {

using platform::ControlEvent;
using platform::Dialog;

void readRecentFile() {
    recentFiles.fill(PathText());
    std::size_t kept = 0;
    for (const PathText& name : namesInRecentFile(readShellFile(recentFileName).value_or("")))
        if (platform::fileExists(name.str()))
            recentFiles[kept++] = name;
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
    platform::showMessage(shellText(Text::recentFileGone), shellText(Text::recentMessageTitle),
                          platform::MessageIcon::Error);
    recentFiles[static_cast<std::size_t>(item - 1)] = PathText();
    platform::endDialog(dialog);
    exchangeRecentFile("W");
    exchangeRecentFile("R");
    reportUnsavedShellFiles();
}

// A selection or a double-click in the list: an existing file is the pick, which DONE
// confirms (or the double-click at once); a blank item is no pick.
void onRecentList(Dialog dialog, ControlEvent event, std::optional<PathText>& picked) {
    const int item = platform::selectedItem(dialog, IDC_RECENT_LIST);
    const PathText name(item > 0 ? platform::itemText(dialog, IDC_RECENT_LIST, item) : "");
    picked.reset();
    if (name.isBlank())
        return;
    if (!findFile(name)) {
        forgetVanishedFile(dialog, item);
        return;
    }
    picked = name;
    if (event == ControlEvent::DoubleClick)
        platform::endDialog(dialog);
    else
        platform::setEnabled(dialog, IDC_RECENT_DONE, true);
}

void prepareRecentDialog(Dialog dialog, std::optional<PathText>& picked) {
    const auto onList = [&picked](Dialog d, int, ControlEvent event) {
        onRecentList(d, event, picked);
    };
    platform::onControlEvent(dialog, IDC_RECENT_LIST, ControlEvent::SelectionChanged, onList);
    platform::onControlEvent(dialog, IDC_RECENT_LIST, ControlEvent::DoubleClick, onList);
    platform::onControlEvent(dialog, IDC_RECENT_CANCEL, ControlEvent::Click,
                             [&picked](Dialog d, int, ControlEvent) {
                                 picked.reset();
                                 platform::endDialog(d);
                             });
    for (const PathText& entry : recentFiles)
        platform::appendItem(dialog, IDC_RECENT_LIST, entry.trimmed());
    platform::setEnabled(dialog, IDC_RECENT_DONE, false);
}

} // namespace

std::vector<PathText> namesInRecentFile(std::string_view contents) {
    std::vector<std::string> lines = splitLines(contents);
    if (lines.size() > recentFileCount)
        lines.resize(recentFileCount);
    std::vector<PathText> names;
    for (const std::string& line : lines)
        if (!PathText(line).isBlank())
            names.emplace_back(line);
    return names;
}

void loadRecentList() {
    if (shellFileExists(recentFileName)) {
        exchangeRecentFile("R");
        return;
    }
    recentFiles.fill(PathText());
    writeShellFile(recentFileName, joinLines(std::vector<std::string>(
                                       recentFileCount, std::string(PathText::width, ' '))));
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

std::optional<PathText> pickRecentFile(Dialog owner) {
    rememberInputFile();
    std::optional<PathText> picked;
    platform::runModalDialog(owner, IDD_RECENT,
                             [&picked](Dialog dialog) { prepareRecentDialog(dialog, picked); });
    return picked;
}
