// The families of structures the INPUT file maker draws: each a function from its checked
// parameters to a model in the geometry file's terms.
#pragma once

#include "model.h"
#include "parameters.h"

#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

struct Family {
    std::string name;
    std::vector<Parameter> parameters;
    Model (*build)(const Values& values);
};

const std::vector<Family>& families();
const Family& familyNamed(std::string_view name); // std::logic_error when there is none

std::vector<double> initialValues(const Family& family);

// Whether the parameter's value shapes the structure in the form chosen among the values
// typed (a choice's index for a choice), so that the window greys the values that do not.
bool valueCounts(const Family& family, std::size_t parameter,
                 const std::vector<std::string>& typed);

// The family's structure, its heading naming the family and the values; Refused naming
// the first parameter out of its range.
Model createStructure(const Family& family, const std::vector<double>& values);

} // namespace ombrix
