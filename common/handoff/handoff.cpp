#include "handoff/handoff.h"

namespace handoff {

std::string caseFileName(int caseNumber) {
    return std::to_string(caseNumber) + ".unf";
}

std::string resultFileName(int caseNumber) {
    return std::to_string(caseNumber) + ".res";
}

std::string pathFileName(int caseNumber) {
    return std::to_string(caseNumber) + ".pth";
}

bool resultConverged(std::string_view resultText) {
    const std::size_t second = resultText.find('\n') + 1;
    return second != 0 && resultText.substr(second).starts_with("converged yes");
}

std::string secondEdition(std::string_view programFile) {
    const std::size_t extension = programFile.rfind('.');
    return std::string(programFile.substr(0, extension)) + " 20" +
           std::string(programFile.substr(extension));
}

// The program's name ends at the closing quote when it begins with one and at the first
// blank or tab otherwise.
std::string_view afterProgramName(std::string_view line) {
    if (line.starts_with('"')) {
        const std::size_t closing = line.find('"', 1);
        return closing == std::string_view::npos ? std::string_view() : line.substr(closing + 1);
    }
    const std::size_t blank = line.find_first_of(" \t");
    return blank == std::string_view::npos ? std::string_view() : line.substr(blank);
}

std::string fileNameArgument(std::string_view commandLine) {
    return fileNameIn(afterProgramName(commandLine));
}

std::string fileNameIn(std::string_view name) {
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    return std::string(name);
}

} // namespace handoff
