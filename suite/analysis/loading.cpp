#include "loading.h"

#include "text_lines.h"

#include <cmath>

namespace ombrix {
namespace {

// The shell reads the case count and the case-0 flag as the first value of the two lines
// right after the heading; so does this reader, so that both agree on every file.
long long firstValueOf(const std::optional<TextLine>& line, Message missing, int lineAfterEnd) {
    if (!line || fieldsOf(line->text).empty())
        throw InputError(line ? line->number : lineAfterEnd, missing);
    return integerIn(fieldsOf(line->text).front(), line->number);
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
    Loading loading;
    const TextLine heading = headingOf(lines);
    loading.heading = std::string(heading.text);
    const long long count =
        firstValueOf(lines.nextLine(), Message::CaseCountMissing, lines.lineAfterEnd());
    if (count < 0 || count > mostCases)
        throw InputError(heading.number + 1, Message::CaseCountOutOfRange);
    loading.caseCount = static_cast<int>(count);
    loading.hasCaseZero =
        firstValueOf(lines.nextLine(), Message::CaseZeroFlagMissing, lines.lineAfterEnd()) != 0;
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
