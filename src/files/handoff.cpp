#include "files/handoff.h"

#include "base/texts.h"
#include "files/shell_files.h"
#include "handoff/handoff.h"
#include "platform/platform.h"
#include "text/text_file.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

std::optional<std::string> workingDirectoryIn(std::string_view workDirFile) {
    const std::vector<std::string> lines = splitLines(workDirFile);
    if (lines.empty())
        return std::nullopt;
    return PathText(lines.front()).str();
}

std::optional<LanguageText> languageIn(std::string_view sharedParamsFile) {
    const std::vector<std::string> lines = splitLines(sharedParamsFile);
    const auto last = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& line) {
        return !LanguageText(line).isBlank();
    });
    return last == lines.rend() ? std::nullopt : std::optional(LanguageText(*last));
}

std::optional<std::string> workingDirectory() {
    const std::optional<std::string> contents = readShellFile(handoff::workDirFile);
    return contents ? workingDirectoryIn(*contents) : std::nullopt;
}

void readSharedLanguage(LanguageText& language) {
    language = shellText(Text::languageEnglish);
    const std::optional<std::string> workDir = workingDirectory();
    if (!workDir)
        return;
    const std::optional<std::string> sharedParams =
        platform::readFile(*workDir + "\\" + std::string(handoff::sharedParametersFile));
    if (sharedParams)
        language = languageIn(*sharedParams).value_or(language);
}
