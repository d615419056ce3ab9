#include "platform/platform.h"
#include "platform/win32/win32.h"

#include <commdlg.h>

namespace platform {

namespace {

// Description NUL pattern NUL for each filter, then one more NUL.
std::string filterText(const std::vector<FileFilter>& filters) {
    std::string text;
    for (const FileFilter& filter : filters) {
        text += filter.description;
        text += '\0';
        text += filter.pattern;
        text += '\0';
    }
    text += '\0';
    return text;
}

} // namespace

std::optional<std::string> chooseFileToOpen(const std::string& title,
                                            const std::vector<FileFilter>& filters,
                                            const std::string& defaultExtension,
                                            const std::string& initialFolder,
                                            const std::string& proposedName) {
    const std::string filter = filterText(filters);
    char fileName[MAX_PATH] = {};
    proposedName.copy(fileName, MAX_PATH - 1);

    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = win32::frontmostDialog();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = fileName;
    request.nMaxFile = MAX_PATH;
    request.lpstrInitialDir = initialFolder.c_str();
    request.lpstrTitle = title.c_str();
    // The shell's own files are found through the start folder: the dialog must not move
    // the current directory to the folder the user browsed to.
    request.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    request.lpstrDefExt = defaultExtension.c_str();
    static const auto getOpenFileName =
        win32::systemFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!getOpenFileName || !getOpenFileName(&request))
        return std::nullopt;
    return std::string(fileName);
}

} // namespace platform
