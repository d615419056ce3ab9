#include "typed_values.h"

#include "input_error.h"
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

CaseRow caseRowTyped(const CaseTexts& texts, const std::string& caseName) {
    CaseRow row;
    row.nodes = texts.nodes;
    const std::vector<double> force =
        numbersIn(texts.force, 3, caseName + ": force", "three numbers, Fx Fy Fz");
    row.force = {force[0], force[1], force[2]};
    if (texts.nodes == LoadedNodes::insideBox) {
        const std::vector<double> box =
            numbersIn(texts.where, 6, caseName + ": box", "six numbers, two corners x y z");
        row.boxLow = {box[0], box[1], box[2]};
        row.boxHigh = {box[3], box[4], box[5]};
    } else if (texts.nodes == LoadedNodes::listed) {
        row.listedNodes = wholeNumbersIn(texts.where, caseName + ": nodes", "node numbers");
    }
    if (!handoff::fieldsOf(texts.steps).empty()) {
        const std::vector<long long> steps =
            wholeNumbersIn(texts.steps, caseName + ": load steps", "a whole number");
        if (steps.size() != 1 || steps[0] < 0 || steps[0] > mostSteps)
            refuseTyped(caseName + ": load steps", "a whole number from 0 to 10000", texts.steps);
        row.steps = static_cast<int>(steps[0]);
    }
    return row;
}

} // namespace ombrix
