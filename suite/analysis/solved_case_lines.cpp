#include "solved_case_lines.h"

#include "handoff/handoff.h"
#include "handoff/wording.h"
#include "input_error.h"

#include <algorithm>
#include <cctype>

namespace ombrix {
namespace {

// The first of a data line's fields, found without splitting the whole line: the files are
// long.
std::string_view firstField(std::string_view line) {
    constexpr std::string_view separators = " \t,";
    const std::size_t start = line.find_first_not_of(separators);
    const std::size_t end = line.find_first_of(separators, start);
    return line.substr(start, end - start);
}

bool isHexadecimal(std::string_view text) {
    return text.size() == 16 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

bool sameDigest(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

ResultLines::ResultLines(std::string_view text) : lines_(text) {
    advance();
}

std::optional<TextLine> ResultLines::take(std::string_view keyword) {
    if (!next_ || firstField(next_->text) != keyword)
        return std::nullopt;
    const TextLine line = *next_;
    advance();
    return line;
}

std::optional<TextLine> ResultLines::takeAny() {
    const std::optional<TextLine> line = next_;
    advance();
    return line;
}

TextLine ResultLines::expect(std::string_view keyword, const std::string& shape) {
    std::optional<TextLine> line = take(keyword);
    if (!line)
        throw InputError(nextNumber(), Message::ResultsLineExpected, {shape});
    return *line;
}

void ResultLines::expectEnd() const {
    if (next_)
        throw InputError(nextNumber(), Message::LineAfterEnd);
}

int ResultLines::nextNumber() const {
    return next_ ? next_->number : lines_.lineAfterEnd();
}

void ResultLines::advance() {
    next_ = lines_.nextData();
}

int readCaseLine(ResultLines& lines, const std::optional<ResultsOrigin>& origin) {
    const std::string shape = origin ? "case " + std::to_string(origin->loadCase) : "case k";
    const TextLine caseLine = lines.expect("case", shape);
    const long long loadCase = integerIn(fieldsOf(caseLine, 2, 2)[1], caseLine.number);
    if (loadCase < 0 || loadCase > handoff::highestCaseNumber ||
        (origin && loadCase != origin->loadCase))
        throw InputError(caseLine.number, Message::ResultsLineExpected, {shape});
    return static_cast<int>(loadCase);
}

std::optional<std::string> readInputsLine(ResultLines& lines,
                                          const std::optional<ResultsOrigin>& origin) {
    const int where = lines.nextNumber();
    std::optional<std::string> read;
    if (const std::optional<TextLine> inputs = lines.take("inputs")) {
        const std::string_view digits = fieldsOf(*inputs, 2, 2)[1];
        if (!isHexadecimal(digits))
            throw InputError(inputs->number, Message::InputsNotHexadecimal,
                             {handoff::valueForMessage(digits)});
        read = std::string(digits);
    }
    if (origin && !(read && sameDigest(*read, origin->inputs)))
        throw InputError(where, Message::ResultsOfOtherLoads);
    return read;
}

} // namespace ombrix
