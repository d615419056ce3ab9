#include "viewer_arguments.h"

#include "handoff/handoff.h"

#include <algorithm>
#include <cctype>

namespace ombrix {
namespace {

constexpr std::string_view blanks = " \t";

bool isSwitchAt(std::string_view line, std::size_t at, std::string_view name) {
    if (at > 0 && blanks.find(line[at - 1]) == std::string_view::npos)
        return false;
    const std::size_t end = at + name.size();
    if (end > line.size() ||
        (end < line.size() && blanks.find(line[end]) == std::string_view::npos))
        return false;
    return std::equal(name.begin(), name.end(), line.begin() + at, [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

// Where the switch begins, outside quotes; the line's size when there is none.
std::size_t switchIn(std::string_view line, std::string_view name) {
    bool quoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '"')
            quoted = !quoted;
        else if (!quoted && isSwitchAt(line, at, name))
            return at;
    }
    return line.size();
}

} // namespace

ViewerArguments viewerArguments(std::string_view commandLine, std::string_view outputSwitch) {
    const std::string_view arguments = handoff::afterProgramName(commandLine);
    const std::size_t at = switchIn(arguments, outputSwitch);
    if (at == arguments.size())
        return {handoff::fileNameIn(arguments), {}};
    return {handoff::fileNameIn(arguments.substr(0, at)),
            handoff::fileNameIn(arguments.substr(at + outputSwitch.size()))};
}

std::string fileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

std::string folderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

} // namespace ombrix
