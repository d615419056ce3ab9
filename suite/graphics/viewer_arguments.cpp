#include "viewer_arguments.h"

#include "handoff/handoff.h"

#include <algorithm>
#include <cctype>

namespace ombrix {
namespace {

constexpr std::string_view blanks = " \t";
constexpr std::string_view pictureSwitch = "/png";

bool isSwitchAt(std::string_view line, std::size_t at) {
    if (at > 0 && blanks.find(line[at - 1]) == std::string_view::npos)
        return false;
    const std::size_t end = at + pictureSwitch.size();
    if (end > line.size() ||
        (end < line.size() && blanks.find(line[end]) == std::string_view::npos))
        return false;
    return std::equal(
        pictureSwitch.begin(), pictureSwitch.end(), line.begin() + at,
        [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// Where the switch begins, outside quotes; the line's size when there is none.
std::size_t switchIn(std::string_view line) {
    bool quoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '"')
            quoted = !quoted;
        else if (!quoted && isSwitchAt(line, at))
            return at;
    }
    return line.size();
}

} // namespace

ViewerArguments viewerArguments(std::string_view commandLine) {
    const std::string_view arguments = handoff::afterProgramName(commandLine);
    const std::size_t at = switchIn(arguments);
    if (at == arguments.size())
        return {handoff::fileNameIn(arguments), {}};
    return {handoff::fileNameIn(arguments.substr(0, at)),
            handoff::fileNameIn(arguments.substr(at + pictureSwitch.size()))};
}

} // namespace ombrix
