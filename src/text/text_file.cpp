#include "text/text_file.h"

std::vector<std::string> splitLines(std::string_view contents) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (contents.starts_with(byteOrderMark))
        contents.remove_prefix(byteOrderMark.size());
    std::vector<std::string> lines;
    while (!contents.empty()) {
        const std::size_t end = contents.find_first_of("\r\n");
        lines.emplace_back(contents.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool crLf = contents.substr(end, 2) == "\r\n";
        contents.remove_prefix(end + (crLf ? 2 : 1));
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string contents;
    for (const std::string& line : lines)
        contents += line + "\r\n";
    return contents;
}

std::optional<bool> parseLogical(std::string_view line) {
    std::size_t at = line.find_first_not_of(' ');
    if (at != std::string_view::npos && line[at] == '.')
        ++at;
    if (at >= line.size())
        return std::nullopt;
    switch (line[at]) {
    case 'T':
    case 't': return true;
    case 'F':
    case 'f': return false;
    default: return std::nullopt;
    }
}

std::optional<bool> firstLogical(std::string_view contents) {
    for (const std::string& line : splitLines(contents))
        if (line.find_first_not_of(' ') != std::string::npos)
            return parseLogical(line);
    return std::nullopt;
}

std::string formatLogical(bool value) {
    return value ? " T" : " F";
}
