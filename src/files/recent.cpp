#include "files/recent.h"

#include "files/shell_files.h"
#include "platform/platform.h"
#include "text/text_file.h"

#include <string>
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
