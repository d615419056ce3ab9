#include "results_file.h"

#include "input_error.h"
#include "numbers.h"

namespace ombrix {
namespace {

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

bool isSlackCable(const Model& model, const CaseResults& results, std::size_t member) {
    return model.members[member].kind == MemberKind::Cable && results.axialForces[member] == 0;
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

} // namespace ombrix
