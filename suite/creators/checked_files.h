// The texts of the files the makers save, each read back by the suite's own reader before
// it is saved, so that a file the suite would refuse is never written.
#pragma once

#include "families.h"
#include "model.h"

#include <string>
#include <vector>

namespace ombrix {

std::string geometryFileText(const Model& model); // Refused with the reader's message

// A family's structure and its geometry file. What the reader refuses is Refused naming the
// parameter to change, the first whose initial value, the others as given, makes a file the
// reader takes; the file's lines are never named, for the user does not see the file.
struct CheckedStructure {
    Model model;
    std::string file;
};
CheckedStructure checkedStructure(const Family& family, const std::vector<double>& values);

} // namespace ombrix
