// What a load case does to a model, its loads of every kind gathered: the forces at the
// nodes (node loads, weight, snow and pressure, each turned into forces at nodes in the
// geometry given), the strain that a temperature adds to each member's unstressed length,
// and the displacement of each settled support. Forces and Solve both take a case's loads
// from here, so that the report and the solution apply the same.
#pragma once

#include "loads.h"
#include "model.h"

#include <vector>

namespace ombrix {

// Snow or pressure on the cells of a net: how many, their area (in plan for snow) and the
// resultant of the forces they carry.
struct CellLoading {
    long long cells = 0;
    double area = 0;
    Point resultant{};
};

struct AppliedLoads {
    std::vector<Point> forces;      // per node
    std::vector<double> strains;    // per member: the sum of alpha dT of its temperatures
    std::vector<Point> settlements; // per node: 0 but in restrained directions
    double weight = 0;              // the total, acting in -z
    long long weighedMembers = 0;   // members with a weight
    CellLoading snow;
    CellLoading pressure;
};

// The case must pass problemOf(loadCase, model).
AppliedLoads appliedLoads(const Model& model, const LoadCase& loadCase);

// A case's own loads with those it holds from the cases before it: their forces, strains
// and settlements summed; the weight and cells reported are the case's own. An empty
// `held` (a case from rest) holds nothing.
AppliedLoads withHeld(AppliedLoads own, const AppliedLoads& held);

} // namespace ombrix
