#include "cases/loading_head.h"

#include "base/texts.h"

namespace {

using handoff::HeadProblem;

// The value as a message can show it: a control character (a NUL would end the message)
// stands as "?".
std::string shown(std::string_view value) {
    std::string text(value);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32)
            c = '?';
    return text;
}

Text reason(HeadProblem problem) {
    switch (problem) {
    case HeadProblem::utf16: return Text::headUtf16;
    case HeadProblem::noHeading: return Text::headNoHeading;
    case HeadProblem::noCaseCount: return Text::headNoCaseCount;
    case HeadProblem::blankCaseCount: return Text::headBlankCaseCount;
    case HeadProblem::caseCountNotWhole: return Text::headCaseCountNotWhole;
    case HeadProblem::caseCountOutOfRange: return Text::headCaseCountOutOfRange;
    case HeadProblem::noCaseZeroMark: return Text::headNoCaseZeroMark;
    case HeadProblem::blankCaseZeroMark: return Text::headBlankCaseZeroMark;
    case HeadProblem::caseZeroMarkNotWhole:
    case HeadProblem::none: break;
    }
    return Text::headCaseZeroMarkNotWhole;
}

} // namespace

std::string loadingHeadProblem(const handoff::LoadingHead& head) {
    if (head.problem == HeadProblem::none)
        return {};
    return shellText(Text::headProblemAtLine,
                     {std::to_string(head.problemLine),
                      shellText(reason(head.problem), {shown(head.wrongValue)})});
}
