// The tripod of docs/file-formats.md, prepared: the model of the tests of the files Solve
// leaves and of what the graph programs find in them.
#pragma once

#include "geometry.h"

namespace ombrix {

inline const Model tripod = readGeometry("Tripod\n5 4\n"
                                         "1 0 0 0 1 1 1\n2 2 0 0 1 1 1\n3 0 2 0 1 1 1\n"
                                         "4 0.7 0.6 1.5 0 0 0\n5 0.7 0.6 4.0 1 1 1\n"
                                         "1 1 4 B 1e6 0\n2 2 4 B 1e6 0\n3 3 4 B 1e6 0\n"
                                         "4 4 5 C 1e5 250\n");

} // namespace ombrix
