#include "results_file.h"

#include "handoff/handoff.h"
#include "input_error.h"
#include "loading.h"
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

void readCaseLine(ResultLines& lines, CaseResults& results,
                  const std::optional<ResultsOrigin>& origin) {
    const std::string shape = origin ? "case " + std::to_string(origin->loadCase) : "case k";
    const TextLine caseLine = lines.expect("case", shape);
    const long long loadCase = integerIn(fieldsOf(caseLine, 2, 2)[1], caseLine.number);
    if (loadCase < 0 || loadCase > handoff::highestCaseNumber ||
        (origin && loadCase != origin->loadCase))
        throw InputError(caseLine.number, Message::ResultsLineExpected, {shape});
    results.loadCase = static_cast<int>(loadCase);
}

void readInputsLine(ResultLines& lines, CaseResults& results,
                    const std::optional<ResultsOrigin>& origin) {
    const int where = lines.nextNumber();
    if (const std::optional<TextLine> inputs = lines.take("inputs")) {
        const std::string_view digits = fieldsOf(*inputs, 2, 2)[1];
        if (!isHexadecimal(digits))
            throw InputError(inputs->number, Message::InputsNotHexadecimal,
                             {std::string(digits.substr(0, 40))});
        results.inputs = std::string(digits);
    }
    if (origin && !(results.inputs && sameDigest(*results.inputs, origin->inputs)))
        throw InputError(where, Message::ResultsOfOtherLoads);
}

void readHead(ResultLines& lines, CaseResults& results,
              const std::optional<ResultsOrigin>& origin) {
    readCaseLine(lines, results, origin);
    const TextLine converged = lines.expect("converged", "converged yes|no");
    const std::vector<std::string_view> answer = fieldsOf(converged.text);
    if (answer.size() != 2 || (answer[1] != "yes" && answer[1] != "no"))
        throw InputError(converged.number, Message::ResultsLineExpected, {"converged yes|no"});
    results.converged = answer[1] == "yes";
    readInputsLine(lines, results, origin);
    if (const std::optional<TextLine> load = lines.take("load")) {
        const std::vector<std::string_view> fields = fieldsOf(*load, 3, 3);
        if (fields[1] != "factor")
            throw InputError(load->number, Message::ResultsLineExpected, {"load factor x"});
        results.loadFactor = numberIn(fields[2], load->number);
    }
}

} // namespace

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
    for (std::size_t n = 1; n <= model.nodes.size(); ++n) {
        const auto& held = model.nodes[n - 1].restrained;
        if (held[0] || held[1] || held[2])
            results.reactions[n - 1] = numberedLine(lines, "reaction", n, "Rx Ry Rz", 3).point();
    }
    lines.expectEnd();
    return results;
}

} // namespace ombrix
