#include "typed_values.h"

#include "handoff/handoff.h"
#include "input_error.h"
#include "loading.h"
#include "messages.h"
#include "numbers.h"
#include "text_lines.h"

#include <optional>

namespace ombrix {

namespace {

// The values of the text read by `read`, or nothing when one cannot be read.
template <typename Read> auto valuesIn(const std::string& text, Read read) {
    std::optional<std::vector<decltype(read(std::string_view(), 0))>> values(std::in_place);
    try {
        for (std::string_view value : handoff::fieldsOf(text))
            values->push_back(read(value, 0));
    } catch (const InputError&) {
        values.reset();
    }
    return values;
}

[[noreturn]] void refuseTyped(const std::string& field, const char* expected,
                              const std::string& text) {
    throw Refused(field + ": " + expected + ", not \"" + text + "\"");
}

// Exactly `count` numbers.
std::vector<double> numbersIn(const std::string& text, std::size_t count, const std::string& field,
                              const char* expected) {
    const auto numbers = valuesIn(text, numberIn);
    if (!numbers || numbers->size() != count)
        refuseTyped(field, expected, text);
    return *numbers;
}

std::vector<long long> wholeNumbersIn(const std::string& text, const std::string& field,
                                      const char* expected) {
    const auto numbers = valuesIn(text, integerIn);
    if (!numbers || numbers->empty())
        refuseTyped(field, expected, text);
    return *numbers;
}

} // namespace

double numberTyped(const std::string& text, const std::string& field) {
    return numbersIn(text, 1, field, "a number")[0];
}

std::vector<double> valuesTyped(const Family& family, const std::vector<std::string>& texts) {
    std::vector<double> values;
    for (std::size_t k = 0; k < texts.size(); ++k)
        values.push_back(numberTyped(texts[k], family.parameters[k].name));
    return values;
}

namespace {

int caseNumberTyped(const std::string& text, const std::string& name) {
    const std::vector<long long> numbers = wholeNumbersIn(text, name + ": case", "a case number");
    if (numbers.size() != 1 || numbers[0] < 0 || numbers[0] > handoff::highestCaseNumber)
        refuseTyped(name + ": case", "a whole number from 0 to 99", text);
    return static_cast<int>(numbers[0]);
}

std::optional<int> stepsTyped(const std::string& text, const std::string& name) {
    if (handoff::fieldsOf(text).empty())
        return std::nullopt;
    const std::vector<long long> steps =
        wholeNumbersIn(text, name + ": load steps", "a whole number");
    if (steps.size() != 1 || steps[0] < 0 || steps[0] > mostSteps)
        refuseTyped(name + ": load steps", "a whole number from 0 to 10000", text);
    return static_cast<int>(steps[0]);
}

bool isForce(RowKind kind) {
    return kind <= RowKind::forceOnListedNodes;
}

ForceRow forceRowTyped(const RowTexts& texts, const std::string& name) {
    ForceRow row;
    row.nodes = static_cast<LoadedNodes>(texts.kind);
    const std::vector<double> force =
        numbersIn(texts.values, 3, name + ": force", "three numbers, Fx Fy Fz");
    row.force = {force[0], force[1], force[2]};
    if (row.nodes == LoadedNodes::insideBox) {
        const std::vector<double> box =
            numbersIn(texts.where, 6, name + ": box", "six numbers, two corners x y z");
        row.boxLow = {box[0], box[1], box[2]};
        row.boxHigh = {box[3], box[4], box[5]};
    } else if (row.nodes == LoadedNodes::listed) {
        row.listedNodes = wholeNumbersIn(texts.where, name + ": nodes", "node numbers");
    }
    return row;
}

LoadWord loadWordOf(RowKind kind) {
    return static_cast<LoadWord>(static_cast<int>(kind) - static_cast<int>(RowKind::weight));
}

RowKind rowKindOf(LoadWord word) {
    return static_cast<RowKind>(static_cast<int>(RowKind::weight) + static_cast<int>(word));
}

std::string_view wordOf(RowKind kind) {
    switch (kind) {
    case RowKind::combine: return combineWord;
    case RowKind::after: return afterWord;
    default: return ombrix::wordOf(loadWordOf(kind));
    }
}

// The word line, its values and members as typed; the words the reader knows on their
// own, read as a case of their own would be.
WordLine wordLineTyped(const RowTexts& texts, const std::string& name) {
    WordLine line{std::string(wordOf(texts.kind))};
    for (std::string_view field : handoff::fieldsOf(texts.values))
        line.text += " " + std::string(field);
    if (readsWhere(texts.kind))
        for (std::string_view field : handoff::fieldsOf(texts.where))
            line.text += " " + std::string(field);
    if (texts.kind == RowKind::combine || texts.kind == RowKind::after)
        return line;
    try {
        readCase("0 0 0\r\n" + line.text + "\r\n", 0);
    } catch (const InputError& error) {
        throw Refused(name + ": " +
                      say(Language::English, error.problem().reason, error.problem().values));
    }
    return line;
}

std::string numbersText(const std::vector<double>& values) {
    std::string text;
    for (double value : values)
        text += (text.empty() ? "" : " ") + exactNumber(value);
    return text;
}

RowTexts wordRow(const std::string& number, const ModelLoad& load) {
    const RowKind kind = rowKindOf(load.word);
    const std::string values = numbersText(load.values);
    return {number, kind,
            load.word == LoadWord::Settle ? showInteger(load.node) + " " + values : values,
            readsWhere(kind) ? membersWritten(load.members) : "", ""};
}

std::string combinationText(const std::vector<CombinationTerm>& terms) {
    std::string text;
    for (const auto& [factor, number] : terms)
        text += (text.empty() ? "" : " ") + exactNumber(factor) + " " + showInteger(number);
    return text;
}

// A case's rows: those of its node loads, of one force together while it lasts, then those
// of its words; or its combination.
std::vector<RowTexts> caseRows(const LoadCase& loadCase) {
    const std::string number = showInteger(loadCase.number);
    if (!loadCase.combination.empty())
        return {{number, RowKind::combine, combinationText(loadCase.combination), "", ""}};
    std::vector<RowTexts> rows;
    for (const NodalLoad& load : loadCase.loads) {
        const std::string force = numbersText({load.force.begin(), load.force.end()});
        if (rows.empty() || rows.back().values != force)
            rows.push_back(
                {number, RowKind::forceOnListedNodes, force, showInteger(load.node), ""});
        else
            rows.back().where += " " + showInteger(load.node);
    }
    for (const ModelLoad& load : loadCase.modelLoads)
        rows.push_back(wordRow(number, load));
    if (loadCase.after)
        rows.push_back({number, RowKind::after, showInteger(loadCase.after->number), "", ""});
    return rows;
}

} // namespace

bool readsWhere(RowKind kind) {
    return kind == RowKind::forceInsideBox || kind == RowKind::forceOnListedNodes ||
           kind == RowKind::weight || kind == RowKind::temperature;
}

PlanRow planRowTyped(const RowTexts& texts, const std::string& name) {
    PlanRow row{name, caseNumberTyped(texts.caseNumber, name), ForceRow{},
                stepsTyped(texts.steps, name)};
    if (isForce(texts.kind))
        row.load = forceRowTyped(texts, name);
    else
        row.load = wordLineTyped(texts, name);
    return row;
}

std::vector<RowTexts> rowsOf(const Loading& loading) {
    std::vector<RowTexts> rows;
    for (const LoadCase& loadCase : loading.cases) {
        std::vector<RowTexts> more = caseRows(loadCase);
        if (!more.empty() && loadCase.steps != 0)
            more.front().steps = showInteger(loadCase.steps);
        rows.insert(rows.end(), more.begin(), more.end());
    }
    return rows;
}

} // namespace ombrix
