#include "handoff/text_lines.h"

namespace handoff {

namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view separators = " \t,";

bool looksLikeUtf16(std::string_view text) {
    constexpr std::size_t looked = 64;
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
           text.substr(0, looked).find('\0') != std::string_view::npos;
}

} // namespace

LineCursor::LineCursor(std::string_view text)
    : rest_(text.starts_with(utf8Mark) ? text.substr(utf8Mark.size()) : text),
      utf16_(looksLikeUtf16(text)) {}

std::optional<TextLine> LineCursor::nextLine() {
    if (rest_.empty())
        return std::nullopt;
    const std::size_t end = rest_.find_first_of("\r\n");
    const std::string_view line = rest_.substr(0, end);
    std::size_t next = end == std::string_view::npos ? rest_.size() : end + 1;
    if (end != std::string_view::npos && rest_[end] == '\r' && rest_.substr(next).starts_with('\n'))
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
    while (line && line->text.find_first_not_of(separators) == std::string_view::npos)
        line = nextNonComment();
    return line;
}

bool isComment(std::string_view line) {
    return line.starts_with("//");
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = line.find_first_not_of(separators);
    while (at != std::string_view::npos) {
        const std::size_t end = line.find_first_of(separators, at);
        fields.push_back(line.substr(at, end - at));
        at = line.find_first_not_of(separators, end);
    }
    return fields;
}

} // namespace handoff
