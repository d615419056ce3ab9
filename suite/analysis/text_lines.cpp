#include "text_lines.h"

#include "handoff/wording.h"
#include "input_error.h"
#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace ombrix {

TextLine headingOf(LineCursor& lines) {
    if (lines.isUtf16())
        throw InputError(1, Message::Utf16File);
    const std::optional<TextLine> heading = lines.nextNonComment();
    if (!heading)
        throw InputError(lines.lineAfterEnd(), Message::HeadingMissing);
    return *heading;
}

std::string headingLine(std::string_view heading) {
    std::string line(heading);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return (isComment(line) ? " " : "") + line + "\r\n";
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

} // namespace

double numberIn(std::string_view field, int line) {
    const std::string_view digits = withoutPlus(field);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || !std::isfinite(value))
        throw InputError(line, Message::NotANumber, {handoff::valueForMessage(field)});
    return value;
}

long long integerIn(std::string_view field, int line) {
    const std::string_view digits = withoutPlus(field);
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size())
        throw InputError(line, Message::NotAnInteger, {handoff::valueForMessage(field)});
    return value;
}

} // namespace ombrix
