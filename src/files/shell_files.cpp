#include "files/shell_files.h"

#include "base/folders.h"
#include "base/messages.h"
#include "base/texts.h"
#include "platform/platform.h"

#include <algorithm>
#include <utility>

ShellRecord<UnsavedShellFiles> unsavedShellFiles;

std::string shellFilePath(std::string_view name) {
    return folders.startDir.str() + "\\" + std::string(name);
}

bool shellFileExists(std::string_view name) {
    return platform::fileExists(shellFilePath(name));
}

std::optional<std::string> readShellFile(std::string_view name) {
    return platform::readFile(shellFilePath(name));
}

bool writeShellFile(std::string_view name, std::string_view contents) {
    if (platform::replaceFile(shellFilePath(name), contents))
        return true;
    std::vector<std::string>& unreported = unsavedShellFiles.unreported;
    if (!unsavedShellFiles.reported.count(std::string(name)) &&
        std::find(unreported.begin(), unreported.end(), name) == unreported.end())
        unreported.emplace_back(name);
    return false;
}

void removeLeftoverShellFiles() {
    for (std::string_view name : {soundFileName, recentFileName, languageFileName})
        platform::removeLeftoverReplacements(shellFilePath(name));
}

void reportUnsavedShellFiles(bool atExit) {
    const std::vector<std::string> names = std::exchange(unsavedShellFiles.unreported, {});
    if (names.empty())
        return;
    unsavedShellFiles.reported.insert(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names)
        list += "\n    " + shellFilePath(name);
    showShellInformation(
        shellText(Text::unsavedFilesReport,
                  {list, shellText(atExit ? Text::unsavedAtExit : Text::unsavedWhileRunning)}));
}
