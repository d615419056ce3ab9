#include "handoff/text_lines.h"

#include <algorithm>

namespace handoff {

namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

// Character by character: find_first_of looks each character up in the set with memchr,
// which takes most of the reading of a long file.
bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

Utf16 utf16Of(std::string_view text) {
    if (text.starts_with("\xFF\xFE"))
        return Utf16::littleEndian;
    if (text.starts_with("\xFE\xFF"))
        return Utf16::bigEndian;
    constexpr std::size_t looked = 64;
    const std::string_view start = text.substr(0, looked);
    std::size_t nulsAt[2] = {0, 0};
    for (std::size_t at = 0; at < start.size(); ++at)
        nulsAt[at % 2] += start[at] == '\0';
    const std::size_t pairs = start.size() / 2;
    if (pairs > 0 && 2 * nulsAt[1] >= pairs && nulsAt[1] > nulsAt[0])
        return Utf16::littleEndian;
    if (pairs > 0 && 2 * nulsAt[0] >= pairs && nulsAt[0] > nulsAt[1])
        return Utf16::bigEndian;
    return Utf16::none;
}

LineCursor::LineCursor(std::string_view text)
    : rest_(text.starts_with(utf8Mark) ? text.substr(utf8Mark.size()) : text),
      utf16_(utf16Of(text) != Utf16::none) {}

std::optional<TextLine> LineCursor::nextLine() {
    if (rest_.empty())
        return std::nullopt;
    const auto end = static_cast<std::size_t>(std::find_if(rest_.begin(), rest_.end(), isLineEnd) -
                                              rest_.begin());
    const std::string_view line = rest_.substr(0, end);
    std::size_t next = end == rest_.size() ? end : end + 1;
    if (end < rest_.size() && rest_[end] == '\r' && rest_.substr(next).starts_with('\n'))
        ++next;
    rest_.remove_prefix(next);
    return TextLine{++lines_, line};
}

std::optional<TextLine> LineCursor::nextNonComment() {
    std::optional<TextLine> line = nextLine();
    while (line && isComment(line->text))
        line = nextLine();
    return line;
}

std::optional<TextLine> LineCursor::nextData() {
    std::optional<TextLine> line = nextNonComment();
    while (line && std::all_of(line->text.begin(), line->text.end(), isSeparator))
        line = nextNonComment();
    return line;
}

bool isComment(std::string_view line) {
    return line.starts_with("//");
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    fieldsOf(line, fields);
    return fields;
}

void fieldsOf(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (auto at = std::find_if_not(line.begin(), line.end(), isSeparator); at != line.end();) {
        const auto end = std::find_if(at, line.end(), isSeparator);
        fields.emplace_back(at, end);
        at = std::find_if_not(end, line.end(), isSeparator);
    }
}

} // namespace handoff
