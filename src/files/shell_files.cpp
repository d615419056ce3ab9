#include "files/shell_files.h"

#include "base/folders.h"
#include "base/messages.h"
#include "platform/platform.h"

#include <algorithm>
#include <utility>

std::vector<std::string> unsavedShellFiles;

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
    if (std::find(unsavedShellFiles.begin(), unsavedShellFiles.end(), name) ==
        unsavedShellFiles.end())
        unsavedShellFiles.emplace_back(name);
    return false;
}

std::vector<std::string> takeUnsavedShellFiles() {
    return std::exchange(unsavedShellFiles, {});
}

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
