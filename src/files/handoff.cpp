#include "files/handoff.h"

#include "files/shell_files.h"
#include "platform/platform.h"
#include "text/text_file.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// A file that cannot be read has no lines, just like an empty one.
std::vector<std::string> linesOf(const std::optional<std::string>& contents) {
    return contents ? splitLines(*contents) : std::vector<std::string>();
}

} // namespace

std::optional<std::string> workingDirectory() {
    const std::vector<std::string> lines = linesOf(readShellFile(workDirFileName));
    if (lines.empty())
        return std::nullopt;
    return PathText(lines.front()).str();
}

void readSharedLanguage(LanguageText& language) {
    language = "English";
    const std::optional<std::string> workDir = workingDirectory();
    if (!workDir)
        return;
    const std::string sharedParamsFile = *workDir + "\\Comomb.dat";
    const std::vector<std::string> sharedParams = linesOf(platform::readFile(sharedParamsFile));
    const auto last =
        std::find_if(sharedParams.rbegin(), sharedParams.rend(),
                     [](const std::string& line) { return !PathText(line).isBlank(); });
    if (last != sharedParams.rend())
        language = *last;
}
