#include "handoff/loading_head.h"

#include "handoff/handoff.h"
#include "handoff/wording.h"

#include <charconv>
#include <optional>

namespace handoff {
namespace {

std::optional<long long> wholeNumber(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct CountProblems {
    HeadProblem missing;
    HeadProblem blank;
    HeadProblem notWhole;
};

// The first value of the next line, or the problem with it recorded in the head.
std::optional<long long> countOn(LineCursor& lines, const CountProblems& problems,
                                 LoadingHead& head) {
    const std::optional<TextLine> line = lines.nextLine();
    head.problemLine = line ? line->number : lines.lineAfterEnd();
    if (!line) {
        head.problem = problems.missing;
        return std::nullopt;
    }
    const std::vector<std::string_view> fields = fieldsOf(line->text);
    if (fields.empty()) {
        head.problem = problems.blank;
        return std::nullopt;
    }
    const std::optional<long long> count = wholeNumber(fields.front());
    if (!count) {
        head.problem = problems.notWhole;
        head.wrongValue = valueForMessage(fields.front());
    }
    return count;
}

} // namespace

LoadingHead readLoadingHead(LineCursor& lines) {
    LoadingHead head;
    if (lines.isUtf16()) {
        head.problem = HeadProblem::utf16;
        head.problemLine = 1;
        return head;
    }
    const std::optional<TextLine> heading = lines.nextNonComment();
    if (!heading) {
        head.problem = HeadProblem::noHeading;
        head.problemLine = lines.lineAfterEnd();
        return head;
    }
    head.heading = *heading;
    const std::optional<long long> count = countOn(
        lines,
        {HeadProblem::noCaseCount, HeadProblem::blankCaseCount, HeadProblem::caseCountNotWhole},
        head);
    if (!count)
        return head;
    if (*count < 0 || *count > highestCaseNumber) {
        head.problem = HeadProblem::caseCountOutOfRange;
        return head;
    }
    head.caseCount = static_cast<int>(*count);
    const std::optional<long long> zero =
        countOn(lines,
                {HeadProblem::noCaseZeroMark, HeadProblem::blankCaseZeroMark,
                 HeadProblem::caseZeroMarkNotWhole},
                head);
    if (!zero)
        return head;
    head.hasCaseZero = *zero != 0;
    head.problemLine = 0;
    return head;
}

LoadingHead readLoadingHead(std::string_view text) {
    LineCursor lines(text);
    return readLoadingHead(lines);
}

} // namespace handoff
