#include "path_file.h"

#include "input_error.h"
#include "numbers.h"

#include <cctype>
#include <utility>

namespace ombrix {
namespace {

const char* passedMark(CriticalPoint passed) {
    switch (passed) {
    case CriticalPoint::LimitPoint: return " snap-through";
    case CriticalPoint::Bifurcation: return " bifurcation";
    case CriticalPoint::None: break;
    }
    return "";
}

void readNodesLine(ResultLines& lines, const Model& model) {
    const std::string shape = "nodes " + std::to_string(model.nodes.size());
    const TextLine line = lines.expect("nodes", shape);
    if (integerIn(fieldsOf(line, 2, 2)[1], line.number) !=
        static_cast<long long>(model.nodes.size()))
        throw InputError(line.number, Message::ResultsLineExpected, {shape});
}

// A line of three numbers; a line that starts with a word is another line of the file.
// `fields` serves line after line.
Point displacementLine(ResultLines& lines, std::size_t node,
                       std::vector<std::string_view>& fields) {
    const std::optional<TextLine> line = lines.takeAny();
    fields.clear();
    if (line)
        fieldsOf(line->text, fields);
    if (fields.size() != 3 || std::isalpha(static_cast<unsigned char>(fields[0].front())))
        throw InputError(line ? line->number : lines.nextNumber(), Message::ResultsLineExpected,
                         {"ux uy uz of node " + std::to_string(node)});
    return {numberIn(fields[0], line->number), numberIn(fields[1], line->number),
            numberIn(fields[2], line->number)};
}

CriticalPoint passedAt(const TextLine& line, const std::vector<std::string_view>& fields) {
    if (fields.size() == 2)
        return CriticalPoint::None;
    if (fields[2] == "snap-through")
        return CriticalPoint::LimitPoint;
    if (fields[2] == "bifurcation")
        return CriticalPoint::Bifurcation;
    throw InputError(line.number, Message::ResultsLineExpected,
                     {"state x [snap-through|bifurcation]"});
}

// The state of the line, with the displacements that follow it.
PathState stateOf(ResultLines& lines, const TextLine& line, std::size_t nodes) {
    const std::vector<std::string_view> fields = fieldsOf(line, 2, 3);
    PathState state{numberIn(fields[1], line.number), passedAt(line, fields), {}};
    state.displacements.reserve(nodes);
    std::vector<std::string_view> displacementFields;
    for (std::size_t n = 1; n <= nodes; ++n)
        state.displacements.push_back(displacementLine(lines, n, displacementFields));
    return state;
}

void readEndLine(ResultLines& lines, CasePath& path) {
    const std::string shape = "end converged|stopped [at limit point|at bifurcation]";
    const TextLine line = lines.expect("end", shape);
    const std::vector<std::string_view> fields = fieldsOf(line.text);
    std::string how;
    for (std::size_t k = 1; k < fields.size(); ++k)
        how += (k > 1 ? " " : "") + std::string(fields[k]);
    if (how == "converged")
        path.converged = true;
    else if (how == "stopped at limit point")
        path.stoppedAt = CriticalPoint::LimitPoint;
    else if (how == "stopped at bifurcation")
        path.stoppedAt = CriticalPoint::Bifurcation;
    else if (how != "stopped")
        throw InputError(line.number, Message::ResultsLineExpected, {shape});
}

} // namespace

std::string pathHead(int caseNumber, std::size_t nodes, const std::string& inputs) {
    return "case " + std::to_string(caseNumber) + "\r\ninputs " + inputs + "\r\nnodes " +
           std::to_string(nodes) + "\r\n";
}

std::string pathStateText(const PathState& state) {
    std::string text = "state " + chartNumber(state.loadFactor) + passedMark(state.passed) + "\r\n";
    text.reserve(text.size() + 36 * state.displacements.size());
    for (const Point& displacement : state.displacements)
        text += chartNumber(displacement[0]) + ' ' + chartNumber(displacement[1]) + ' ' +
                chartNumber(displacement[2]) + "\r\n";
    return text;
}

std::string pathEnd(const Solution& solution) {
    if (solution.status == SolutionStatus::Converged)
        return "end converged\r\n";
    if (!solution.endsAtCriticalPoint())
        return "end stopped\r\n";
    return solution.criticalPoint == CriticalPoint::LimitPoint ? "end stopped at limit point\r\n"
                                                               : "end stopped at bifurcation\r\n";
}

CasePath readPath(std::string_view text, const Model& model, const ResultsOrigin& origin) {
    ResultLines lines(text);
    CasePath path;
    path.loadCase = readCaseLine(lines, origin);
    readInputsLine(lines, origin);
    readNodesLine(lines, model);
    while (const std::optional<TextLine> state = lines.take("state"))
        path.states.push_back(stateOf(lines, *state, model.nodes.size()));
    if (!path.states.empty() && path.states.front().loadFactor == 0) {
        path.start = std::move(path.states.front().displacements);
        path.states.erase(path.states.begin());
    }
    readEndLine(lines, path);
    lines.expectEnd();
    return path;
}

} // namespace ombrix
