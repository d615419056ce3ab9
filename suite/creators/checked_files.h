// The texts of the files the makers save, each read back by the suite's own reader before
// it is saved, so that a file the suite would refuse is never written.
#pragma once

#include "loading.h"
#include "model.h"

#include <string>

namespace ombrix {

std::string geometryFileText(const Model& model); // Refused with the reader's message
std::string loadingFileText(const Loading& loading, const Model& model);

} // namespace ombrix
