#include "cases/loading_head.h"

#include "text/text_file.h"

#include <charconv>
#include <vector>

namespace {

// The first free-form value of a line: past leading blanks, up to a blank or a comma.
std::string_view firstValue(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    line.remove_prefix(start);
    return line.substr(0, line.find_first_of(" \t,"));
}

// The value as a message can show it: a control character (a NUL would end the message)
// stands as "?".
std::string shown(std::string_view value) {
    std::string text(value);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32)
            c = '?';
    return text;
}

std::optional<int> wholeNumber(std::string_view text) {
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The count on the line of this number (counted from 1), or why it is not there.
std::optional<int> count(const std::vector<std::string>& lines, std::size_t number,
                         const char* what, std::string& problem) {
    const std::string where = "line " + std::to_string(number) + ": ";
    if (number > lines.size()) {
        problem = where + "the file ends before the " + what + ".";
        return std::nullopt;
    }
    const std::string_view value = firstValue(lines[number - 1]);
    const std::optional<int> read = wholeNumber(value);
    if (!read)
        problem = where + "\"" + shown(value) + "\" is not a whole number (the " + what + ").";
    return read;
}

} // namespace

LoadingHead readLoadingHead(std::string_view contents) {
    const std::vector<std::string> lines = splitLines(contents);
    std::size_t heading = 0;
    while (heading < lines.size() && lines[heading].starts_with("//"))
        ++heading;
    LoadingHead head;
    // Line numbers from 1: the heading stands at heading + 1, the counts after it.
    head.numberedCases = count(lines, heading + 2, "number of load cases", head.problem);
    if (head.numberedCases && *head.numberedCases < 0) {
        head.problem = "line " + std::to_string(heading + 2) + ": the number of load cases, " +
                       std::to_string(*head.numberedCases) + ", is negative.";
        head.numberedCases.reset();
    }
    std::string zeroProblem;
    const std::optional<int> zero = count(lines, heading + 3, "mark of a case 0", zeroProblem);
    if (zero)
        head.hasCaseZero = *zero != 0;
    else if (head.problem.empty())
        head.problem = zeroProblem;
    return head;
}
