// The builder of each family, from values checked against the family's parameters
// (families.cpp names them and their ranges).
#pragma once

#include "model.h"
#include "parameters.h"

namespace ombrix {

Model cableNet(const Values& values);
Model fourPointSail(const Values& values);
Model radialCableNet(const Values& values);
Model hungCable(const Values& values);
Model guyedMast(const Values& values);
Model latticeDome(const Values& values);
Model prattTruss(const Values& values);
Model howeTruss(const Values& values);
Model warrenTruss(const Values& values);

// Refused naming the parameter, what it must be and the value.
[[noreturn]] void refuse(const char* parameter, const std::string& rule, double value);

} // namespace ombrix
