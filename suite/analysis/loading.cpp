#include "loading.h"

#include "handoff/loading_head.h"
#include "numbers.h"
#include "text_lines.h"

#include <cmath>

namespace ombrix {
namespace {

Message messageOf(handoff::HeadProblem problem) {
    using handoff::HeadProblem;
    switch (problem) {
    case HeadProblem::utf16: return Message::Utf16File;
    case HeadProblem::noHeading: return Message::HeadingMissing;
    case HeadProblem::noCaseCount: return Message::CaseCountMissing;
    case HeadProblem::blankCaseCount: return Message::CaseCountBlank;
    case HeadProblem::caseCountOutOfRange: return Message::CaseCountOutOfRange;
    case HeadProblem::noCaseZeroMark: return Message::CaseZeroFlagMissing;
    case HeadProblem::blankCaseZeroMark: return Message::CaseZeroFlagBlank;
    case HeadProblem::caseCountNotWhole:
    case HeadProblem::caseZeroMarkNotWhole:
    case HeadProblem::none: break;
    }
    return Message::NotAnInteger;
}

NodalLoad loadIn(const TextLine& line) {
    const std::vector<std::string_view> fields = fieldsOf(line, 4, 4);
    NodalLoad load{integerIn(fields[0], line.number), {}, line.number};
    for (int axis = 0; axis < 3; ++axis) {
        load.force[axis] = numberIn(fields[1 + axis], line.number);
        if (!(std::abs(load.force[axis]) <= largestForce))
            throw InputError(line.number, Message::LoadOutOfRange, {showNumber(largestForce)});
    }
    return load;
}

LoadCase caseIn(LineCursor& lines, int expected) {
    const std::optional<TextLine> head = lines.nextData();
    if (!head)
        throw InputError(lines.lineAfterEnd(), Message::CaseLineMissing, {showInteger(expected)});
    const std::vector<std::string_view> fields = fieldsOf(*head, 3, 3);
    const long long number = integerIn(fields[0], head->number);
    if (number != expected)
        throw InputError(head->number, Message::CaseNumberExpected,
                         {showInteger(expected), showInteger(number)});
    const long long loaded = integerIn(fields[1], head->number);
    if (loaded < 0)
        throw InputError(head->number, Message::LoadCountNegative);
    const long long steps = integerIn(fields[2], head->number);
    if (steps < 0 || steps > mostSteps)
        throw InputError(head->number, Message::StepsOutOfRange, {showInteger(mostSteps)});

    LoadCase loadCase{expected, static_cast<int>(steps), {}};
    for (long long k = 0; k < loaded; ++k) {
        const std::optional<TextLine> line = lines.nextData();
        if (!line)
            throw InputError(lines.lineAfterEnd(), Message::LoadLineMissing,
                             {showInteger(k), showInteger(loaded), showInteger(number)});
        loadCase.loads.push_back(loadIn(*line));
    }
    return loadCase;
}

void expectEnd(LineCursor& lines) {
    if (const std::optional<TextLine> extra = lines.nextData())
        throw InputError(extra->number, Message::LineAfterEnd);
}

} // namespace

Loading readLoading(std::string_view text) {
    LineCursor lines(text);
    const handoff::LoadingHead head = handoff::readLoadingHead(lines);
    if (head.problem != handoff::HeadProblem::none)
        throw InputError(head.problemLine, messageOf(head.problem), {head.wrongValue});
    Loading loading;
    loading.heading = std::string(head.heading.text);
    loading.caseCount = head.caseCount;
    loading.hasCaseZero = head.hasCaseZero;
    for (int number = loading.hasCaseZero ? 0 : 1; number <= loading.caseCount; ++number)
        loading.cases.push_back(caseIn(lines, number));
    expectEnd(lines);
    return loading;
}

std::optional<CaseProblem> problemOf(const LoadCase& loadCase, const Model& model) {
    std::vector<bool> loaded(model.nodes.size());
    for (const NodalLoad& load : loadCase.loads) {
        const std::vector<std::string> values{showInteger(loadCase.number), showInteger(load.node)};
        if (load.node < 1 || load.node > static_cast<long long>(model.nodes.size()))
            return CaseProblem{load.line, {Message::LoadedNodeMissing, values}};
        if (loaded[load.node - 1])
            return CaseProblem{load.line, {Message::NodeLoadedTwice, values}};
        loaded[load.node - 1] = true;
    }
    return std::nullopt;
}

std::string writeCase(const LoadCase& loadCase) {
    std::string text = std::to_string(loadCase.number) + " " +
                       std::to_string(loadCase.loads.size()) + " " +
                       std::to_string(loadCase.steps) + "\r\n";
    for (const NodalLoad& load : loadCase.loads) {
        text += std::to_string(load.node);
        for (double component : load.force)
            text += " " + exactNumber(component);
        text += "\r\n";
    }
    return text;
}

LoadCase readCase(std::string_view text, int number) {
    LineCursor lines(text);
    LoadCase loadCase = caseIn(lines, number);
    expectEnd(lines);
    return loadCase;
}

} // namespace ombrix
