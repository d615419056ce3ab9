#include "files/recent.h"

#include "files/file_set.h"
#include "files/shell_files.h"
#include "platform/platform.h"
#include "text/text_file.h"

#include <string>
#include <utility>
#include <vector>

std::array<PathText, recentFileCount> recentFiles;

void loadRecentList() {
    if (shellFileExists(recentFileName)) {
        readRecentFile();
        return;
    }
    recentFiles.fill(PathText());
    writeShellFile(recentFileName,
                   joinLines(std::vector<std::string>(recentFileCount, std::string(260, ' '))));
}

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
