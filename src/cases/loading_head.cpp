#include "cases/loading_head.h"

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

std::string why(const handoff::LoadingHead& head) {
    const std::string value = "\"" + shown(head.wrongValue) + "\" is not a whole number";
    switch (head.problem) {
    case HeadProblem::utf16:
        return "the file is saved as UTF-16 (Unicode); save it as ANSI or UTF-8 text.";
    case HeadProblem::noHeading: return "the file ends before its heading.";
    case HeadProblem::noCaseCount: return "the file ends before the number of load cases.";
    case HeadProblem::blankCaseCount: return "the line of the number of load cases is blank.";
    case HeadProblem::caseCountNotWhole: return value + " (the number of load cases).";
    case HeadProblem::caseCountOutOfRange:
        return "the number of load cases must lie between 0 and 99.";
    case HeadProblem::noCaseZeroMark: return "the file ends before the mark of a case 0.";
    case HeadProblem::blankCaseZeroMark: return "the line of the mark of a case 0 is blank.";
    case HeadProblem::caseZeroMarkNotWhole: return value + " (the mark of a case 0).";
    case HeadProblem::none: break;
    }
    return {};
}

} // namespace

std::string loadingHeadProblem(const handoff::LoadingHead& head) {
    if (head.problem == HeadProblem::none)
        return {};
    return "line " + std::to_string(head.problemLine) + ": " + why(head);
}
