#include "checked_files.h"

#include "geometry.h"
#include "input_error.h"
#include "parameters.h"

#include <optional>

namespace ombrix {

namespace {

// The reader's problem with the text, when it has one.
template <typename Read>
std::optional<InputError> problemReading(const std::string& text, Read read) {
    try {
        read(text);
        return std::nullopt;
    } catch (const InputError& error) {
        return error;
    }
}

template <typename Read> void readBack(const std::string& text, const char* file, Read read) {
    if (const auto error = problemReading(text, read))
        throw Refused(describe(Language::English, file, error->line(), error->problem()));
}

bool isAccepted(const Family& family, const std::vector<double>& values) {
    try {
        return !problemReading(writeGeometry(createStructure(family, values)), readGeometry);
    } catch (const Refused&) {
        return false;
    }
}

std::optional<std::size_t> parameterToChange(const Family& family,
                                             const std::vector<double>& values) {
    for (std::size_t k = 0; k < values.size(); ++k) {
        std::vector<double> tried = values;
        tried[k] = family.parameters[k].initial;
        if (tried[k] != values[k] && isAccepted(family, tried))
            return k;
    }
    return std::nullopt;
}

[[noreturn]] void refuseValues(const Family& family, const std::vector<double>& values,
                               const Problem& problem) {
    const std::string reason = say(Language::English, problem.reason, problem.values);
    const auto changed = parameterToChange(family, values);
    if (!changed)
        throw Refused("these values together: " + reason);
    const Parameter& parameter = family.parameters[*changed];
    throw Refused(parameter.name + ": not " + shownValue(parameter, values[*changed]) +
                  " with the other values (" + reason + ")");
}

} // namespace

std::string geometryFileText(const Model& model) {
    std::string text = writeGeometry(model);
    readBack(text, "the geometry", readGeometry);
    return text;
}

CheckedStructure checkedStructure(const Family& family, const std::vector<double>& values) {
    CheckedStructure checked{createStructure(family, values), {}};
    checked.file = writeGeometry(checked.model);
    if (const auto error = problemReading(checked.file, readGeometry))
        refuseValues(family, values, error->problem());
    return checked;
}

} // namespace ombrix
