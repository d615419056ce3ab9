#include "results_file.h"

#include "handoff/handoff.h"
#include "input_error.h"
#include "loading.h"
#include "text_lines.h"

#include <algorithm>

namespace ombrix {
namespace {

// The results file's lines, each a keyword and values.
class ResultLines {
  public:
    explicit ResultLines(std::string_view text) : lines_(text) { advance(); }

    // The next line when it starts with the keyword, or nothing.
    std::optional<TextLine> take(std::string_view keyword) {
        if (!next_ || fieldsOf(next_->text).front() != keyword)
            return std::nullopt;
        const TextLine line = *next_;
        advance();
        return line;
    }

    // The next line, which must start with the keyword; `shape` shows the line expected.
    TextLine expect(std::string_view keyword, const std::string& shape) {
        std::optional<TextLine> line = take(keyword);
        if (!line)
            throw InputError(next_ ? next_->number : lines_.lineAfterEnd(),
                             Message::ResultsLineExpected, {shape});
        return *line;
    }

    void expectEnd() const {
        if (next_)
            throw InputError(next_->number, Message::LineAfterEnd);
    }

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

NumberedLine numberedLine(ResultLines& lines, std::string_view keyword, std::size_t item,
                          const std::string& values) {
    const std::string shape = std::string(keyword) + " " + std::to_string(item) + " " + values;
    const std::size_t count = fieldsOf(shape).size();
    const TextLine line = lines.expect(keyword, shape);
    NumberedLine numbered{line.number, fieldsOf(line, count, count)};
    if (integerIn(numbered.fields[1], line.number) != static_cast<long long>(item))
        throw InputError(line.number, Message::ResultsLineExpected, {shape});
    return numbered;
}

bool isHexadecimal(std::string_view text) {
    return text.size() == 16 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

void readHead(ResultLines& lines, CaseResults& results) {
    const TextLine caseLine = lines.expect("case", "case k");
    const long long loadCase = integerIn(fieldsOf(caseLine, 2, 2)[1], caseLine.number);
    if (loadCase < 0 || loadCase > handoff::highestCaseNumber)
        throw InputError(caseLine.number, Message::ResultsLineExpected, {"case k"});
    results.loadCase = static_cast<int>(loadCase);
    const TextLine converged = lines.expect("converged", "converged yes|no");
    const std::vector<std::string_view> answer = fieldsOf(converged.text);
    if (answer.size() != 2 || (answer[1] != "yes" && answer[1] != "no"))
        throw InputError(converged.number, Message::ResultsLineExpected, {"converged yes|no"});
    results.converged = answer[1] == "yes";
    if (const std::optional<TextLine> inputs = lines.take("inputs")) {
        const std::string_view digits = fieldsOf(*inputs, 2, 2)[1];
        if (!isHexadecimal(digits))
            throw InputError(inputs->number, Message::InputsNotHexadecimal,
                             {std::string(digits.substr(0, 40))});
        results.inputs = std::string(digits);
    }
    if (const std::optional<TextLine> load = lines.take("load")) {
        const std::vector<std::string_view> fields = fieldsOf(*load, 3, 3);
        if (fields[1] != "factor")
            throw InputError(load->number, Message::ResultsLineExpected, {"load factor x"});
        results.loadFactor = numberIn(fields[2], load->number);
    }
}

} // namespace

CaseResults readResults(std::string_view text, const Model& model) {
    ResultLines lines(text);
    CaseResults results;
    readHead(lines, results);
    results.displacements.reserve(model.nodes.size());
    for (std::size_t n = 1; n <= model.nodes.size(); ++n)
        results.displacements.push_back(numberedLine(lines, "node", n, "ux uy uz").point());
    results.axialForces.reserve(model.members.size());
    for (std::size_t m = 1; m <= model.members.size(); ++m)
        results.axialForces.push_back(numberedLine(lines, "member", m, "N").value(2));
    results.reactions.assign(model.nodes.size(), Point{});
    for (std::size_t n = 1; n <= model.nodes.size(); ++n) {
        const auto& held = model.nodes[n - 1].restrained;
        if (held[0] || held[1] || held[2])
            results.reactions[n - 1] = numberedLine(lines, "reaction", n, "Rx Ry Rz").point();
    }
    lines.expectEnd();
    return results;
}

} // namespace ombrix
