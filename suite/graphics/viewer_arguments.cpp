#include "viewer_arguments.h"

#include <algorithm>
#include <cctype>

namespace ombrix {
namespace {

constexpr std::string_view blanks = " \t";
constexpr std::string_view pictureSwitch = "/png";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Quotes only group a name's words: no file name holds one.
std::string withoutQuotes(std::string_view text) {
    std::string name(trimmed(text));
    name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
    return name;
}

std::string_view afterProgramName(std::string_view line) {
    const std::size_t end = line.starts_with('"') ? line.find('"', 1) : line.find_first_of(blanks);
    return end == std::string_view::npos ? std::string_view{} : line.substr(end + 1);
}

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
    const std::string_view arguments = afterProgramName(commandLine);
    const std::size_t at = switchIn(arguments);
    if (at == arguments.size())
        return {withoutQuotes(arguments), {}};
    return {withoutQuotes(arguments.substr(0, at)),
            withoutQuotes(arguments.substr(at + pictureSwitch.size()))};
}

} // namespace ombrix
