#include "parameters.h"

#include "messages.h"
#include "numbers.h"

#include <cmath>

namespace ombrix {

namespace {

bool inRange(const Parameter& parameter, double value) {
    if (!(value >= parameter.least && value <= parameter.most))
        return false;
    return !parameter.whole || value == std::floor(value);
}

} // namespace

std::string rangeOf(const Parameter& parameter) {
    if (!parameter.choices.empty()) {
        std::string text = "one of";
        for (std::size_t k = 0; k < parameter.choices.size(); ++k)
            text += (k == 0 ? " \"" : ", \"") + parameter.choices[k] + "\"";
        return text;
    }
    return (parameter.whole ? "a whole number from " : "from ") + showNumber(parameter.least) +
           " to " + showNumber(parameter.most);
}

std::string shownValue(const Parameter& parameter, double value) {
    return parameter.choices.empty() ? showNumber(value)
                                     : parameter.choices.at(static_cast<std::size_t>(value));
}

Values::Values(const std::vector<Parameter>& parameters, std::vector<double> values)
    : parameters_(parameters), values_(std::move(values)) {
    if (values_.size() != parameters_.size())
        throw std::logic_error("a value for each parameter");
    for (std::size_t k = 0; k < values_.size(); ++k)
        if (!inRange(parameters_[k], values_[k]))
            throw Refused(parameters_[k].name + ": " + rangeOf(parameters_[k]) + ", not " +
                          showNumber(values_[k]));
}

double Values::number(std::string_view name) const {
    for (std::size_t k = 0; k < parameters_.size(); ++k)
        if (parameters_[k].name == name)
            return values_[k];
    throw std::logic_error("no parameter " + std::string(name));
}

int Values::count(std::string_view name) const {
    return static_cast<int>(number(name));
}

} // namespace ombrix
