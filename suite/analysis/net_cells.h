// The cells of a cable net, on which snow and pressure act. A cell is a closed loop of three
// or four cables, no two corners of which another member joins: a loop of four cables
// with a member across it is two triangles (when that member is a cable) or no cell at all,
// never a quadrilateral. Each loop is found once, from its lowest-numbered corner.
#pragma once

#include "model.h"

#include <Eigen/Core>

#include <vector>

namespace ombrix {

struct NetCell {
    std::vector<int> corners; // indices into Model::nodes, in order around the loop
    // Half the cross product of the diagonals (of a triangle, of two sides), in the
    // geometry given: its norm is the cell's area, its z component the area in plan.
    Eigen::Vector3d areaVector;
};

std::vector<NetCell> cellsOf(const Model& model);

} // namespace ombrix
