#include "results_file.h"

#include "handoff/handoff.h"
#include "handoff/wording.h"
#include "input_error.h"
#include "numbers.h"
#include "text_lines.h"

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

// The results file's lines, each a keyword and values.
class ResultLines {
  public:
    explicit ResultLines(std::string_view text) : lines_(text) { advance(); }

    // The next line when it starts with the keyword, or nothing.
    std::optional<TextLine> take(std::string_view keyword) {
        if (!next_ || firstField(next_->text) != keyword)
            return std::nullopt;
        const TextLine line = *next_;
        advance();
        return line;
    }

    // The next line, whatever it holds, or nothing at the end.
    std::optional<TextLine> takeAny() {
        const std::optional<TextLine> line = next_;
        advance();
        return line;
    }

    // The next line, which must start with the keyword; `shape` shows the line expected.
    TextLine expect(std::string_view keyword, const std::string& shape) {
        std::optional<TextLine> line = take(keyword);
        if (!line)
            throw InputError(nextNumber(), Message::ResultsLineExpected, {shape});
        return *line;
    }

    void expectEnd() const {
        if (next_)
            throw InputError(nextNumber(), Message::LineAfterEnd);
    }

    // The number of the next line, or of the line after the end.
    int nextNumber() const { return next_ ? next_->number : lines_.lineAfterEnd(); }

  private:
    void advance() { next_ = lines_.nextData(); }

    LineCursor lines_;
    std::optional<TextLine> next_;
};

// A line "keyword n values..." with n the item expected there.
struct NumberedLine {
    int number = 0;
    std::vector<std::string_view> fields;

    double value(std::size_t k) const { return numberIn(fields[k], number); }
    Point point() const { return {value(2), value(3), value(4)}; }
};

// The line expected next, "keyword item values...": `values` names the values.
NumberedLine numberedLine(ResultLines& lines, std::string_view keyword, std::size_t item,
                          std::string_view values, std::size_t count) {
    const auto refused = [&](int line) {
        return InputError(
            line, Message::ResultsLineExpected,
            {std::string(keyword) + " " + std::to_string(item) + " " + std::string(values)});
    };
    const std::optional<TextLine> line = lines.take(keyword);
    if (!line)
        throw refused(lines.nextNumber());
    NumberedLine numbered{line->number, fieldsOf(*line, count + 2, count + 2)};
    if (integerIn(numbered.fields[1], line->number) != static_cast<long long>(item))
        throw refused(line->number);
    return numbered;
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

void readHead(ResultLines& lines, CaseResults& results,
              const std::optional<ResultsOrigin>& origin) {
    results.loadCase = readCaseLine(lines, origin);
    const TextLine converged = lines.expect("converged", "converged yes|no");
    const std::vector<std::string_view> answer = fieldsOf(converged.text);
    if (answer.size() != 2 || (answer[1] != "yes" && answer[1] != "no"))
        throw InputError(converged.number, Message::ResultsLineExpected, {"converged yes|no"});
    results.converged = answer[1] == "yes";
    results.inputs = readInputsLine(lines, origin);
    if (const std::optional<TextLine> load = lines.take("load")) {
        const std::vector<std::string_view> fields = fieldsOf(*load, 3, 3);
        if (fields[1] != "factor")
            throw InputError(load->number, Message::ResultsLineExpected, {"load factor x"});
        results.loadFactor = numberIn(fields[2], load->number);
    }
}

std::string numberedText(std::string_view keyword, std::size_t index, const Point& values) {
    return std::string(keyword) + " " + std::to_string(index + 1) + " " + exactNumber(values[0]) +
           " " + exactNumber(values[1]) + " " + exactNumber(values[2]) + "\r\n";
}

} // namespace

CaseResults caseResults(int loadCase, const Solution& solution, const std::string& inputs) {
    const bool converged = solution.status == SolutionStatus::Converged;
    return {loadCase,
            converged,
            inputs,
            converged ? std::nullopt : std::optional(solution.loadFactor),
            solution.displacements,
            solution.axialForces,
            solution.reactions};
}

std::vector<bool> heldNodes(const Model& model) {
    std::vector<bool> held;
    held.reserve(model.nodes.size());
    for (const Node& node : model.nodes)
        held.push_back(node.restrained[0] || node.restrained[1] || node.restrained[2]);
    return held;
}

std::string resultsText(const CaseResults& results, const std::vector<bool>& held) {
    std::string text = "case " + std::to_string(results.loadCase) + "\r\nconverged " +
                       (results.converged ? "yes" : "no") + "\r\n";
    if (results.inputs)
        text += "inputs " + *results.inputs + "\r\n";
    if (results.loadFactor)
        text += "load factor " + exactNumber(*results.loadFactor) + "\r\n";
    for (std::size_t n = 0; n < results.displacements.size(); ++n)
        text += numberedText("node", n, results.displacements[n]);
    for (std::size_t m = 0; m < results.axialForces.size(); ++m)
        text +=
            "member " + std::to_string(m + 1) + " " + exactNumber(results.axialForces[m]) + "\r\n";
    for (std::size_t n = 0; n < held.size(); ++n)
        if (held[n])
            text += numberedText("reaction", n, results.reactions[n]);
    return text;
}

CaseResults readResultsHead(std::string_view text, const ResultsOrigin& origin) {
    ResultLines lines(text);
    CaseResults results;
    readHead(lines, results, origin);
    return results;
}

CaseResults readResults(std::string_view text, const Model& model,
                        const std::optional<ResultsOrigin>& origin) {
    ResultLines lines(text);
    CaseResults results;
    readHead(lines, results, origin);
    results.displacements.reserve(model.nodes.size());
    for (std::size_t n = 1; n <= model.nodes.size(); ++n)
        results.displacements.push_back(numberedLine(lines, "node", n, "ux uy uz", 3).point());
    results.axialForces.reserve(model.members.size());
    for (std::size_t m = 1; m <= model.members.size(); ++m)
        results.axialForces.push_back(numberedLine(lines, "member", m, "N", 1).value(2));
    results.reactions.assign(model.nodes.size(), Point{});
    const std::vector<bool> held = heldNodes(model);
    for (std::size_t n = 1; n <= held.size(); ++n)
        if (held[n - 1])
            results.reactions[n - 1] = numberedLine(lines, "reaction", n, "Rx Ry Rz", 3).point();
    lines.expectEnd();
    return results;
}

namespace {

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

CasePath readPath(std::string_view text, const Model& model, const ResultsOrigin& origin) {
    ResultLines lines(text);
    CasePath path;
    path.loadCase = readCaseLine(lines, origin);
    readInputsLine(lines, origin);
    readNodesLine(lines, model);
    while (const std::optional<TextLine> state = lines.take("state"))
        path.states.push_back(stateOf(lines, *state, model.nodes.size()));
    readEndLine(lines, path);
    lines.expectEnd();
    return path;
}

} // namespace ombrix
