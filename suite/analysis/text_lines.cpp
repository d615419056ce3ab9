#include "text_lines.h"

#include "input_error.h"

#include <charconv>
#include <cmath>
#include <string>

namespace ombrix {

LineCursor::LineCursor(std::string_view text) : rest_(text) {}

std::optional<TextLine> LineCursor::nextLine() {
    if (rest_.empty())
        return std::nullopt;
    const std::size_t end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
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
    while (line && fieldsOf(line->text).empty())
        line = nextNonComment();
    return line;
}

bool isComment(std::string_view line) {
    return line.starts_with("//");
}

TextLine headingOf(LineCursor& lines) {
    const std::optional<TextLine> heading = lines.nextNonComment();
    if (!heading)
        throw InputError(lines.lineAfterEnd(), Message::HeadingMissing);
    return *heading;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    constexpr std::string_view separators = " \t,";
    std::vector<std::string_view> fields;
    std::size_t at = line.find_first_not_of(separators);
    while (at != std::string_view::npos) {
        const std::size_t end = line.find_first_of(separators, at);
        fields.push_back(line.substr(at, end - at));
        at = line.find_first_not_of(separators, end);
    }
    return fields;
}

std::vector<std::string_view> fieldsOf(const TextLine& line, std::size_t count, std::size_t most) {
    std::vector<std::string_view> fields = fieldsOf(line.text);
    if (fields.size() < count || fields.size() > most)
        throw InputError(line.number, Message::FieldCount,
                         {count == most ? showInteger(static_cast<long long>(count))
                                        : showInteger(static_cast<long long>(count)) + "-" +
                                              showInteger(static_cast<long long>(most)),
                          showInteger(static_cast<long long>(fields.size()))});
    return fields;
}

namespace {

// from_chars reads no leading '+'; the files may have one.
std::string_view withoutPlus(std::string_view field) {
    return field.size() > 1 && field[0] == '+' && field[1] != '-' ? field.substr(1) : field;
}

std::string quoted(std::string_view field) {
    return std::string(field.substr(0, 40));
}

} // namespace

double numberIn(std::string_view field, int line) {
    const std::string_view digits = withoutPlus(field);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || !std::isfinite(value))
        throw InputError(line, Message::NotANumber, {quoted(field)});
    return value;
}

long long integerIn(std::string_view field, int line) {
    const std::string_view digits = withoutPlus(field);
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size())
        throw InputError(line, Message::NotAnInteger, {quoted(field)});
    return value;
}

} // namespace ombrix
