// Answers worked out apart from the solver, for the tests that compare its solutions with
// them: the prestressed wire, the elastic cable hung between level supports, and the
// balance of every node in the displaced geometry.
#pragma once

#include "loads.h"
#include "model.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace ombrix {

inline double relative(double value, double expected) {
    return std::abs(value / expected - 1);
}

// The root of f between a and b, where f changes sign.
inline double root(const std::function<double(double)>& f, double a, double b) {
    for (int k = 0; k < 200; ++k) {
        const double middle = (a + b) / 2;
        (f(a) < 0) == (f(middle) < 0) ? a = middle : b = middle;
    }
    return (a + b) / 2;
}

// The prestressed wire: 10 in between fixed ends, two members, EA = 30e6 psi x 2 in2,
// pre-tensioned to 3000 lb: the deflection of its middle under a load across it.
inline constexpr double wireEA = 60e6, wireForce = 3000;

inline double wireDeflection(double load, double unstressed = 5 * wireEA / (wireEA + wireForce)) {
    return root(
        [&](double d) {
            const double l = std::hypot(5.0, d);
            return 2 * wireEA * (l - unstressed) / unstressed * d / l - load;
        },
        0, 5);
}

// A cable of equal links l, stretched by their tension, under equal loads P at its inner
// nodes: link k carries V = P ((n - 1) / 2 - k) across and H along, and the stretched
// links span the supports: sum of l (1 + T / EA) H / T = span.
struct ElasticCable {
    std::vector<double> tension;
    double horizontal = 0; // H
    double sag = 0;
    ElasticCable(int links, double span, double slack, double load, double axialStiffness) {
        const double link = (span + slack) / links;
        const auto across = [&](int k) { return load * ((links - 1) / 2.0 - k); };
        const auto stretched = [&](double t) { return link * (1 + t / axialStiffness); };
        horizontal = root(
            [&](double along) {
                double covered = 0;
                for (int k = 0; k < links; ++k)
                    covered += stretched(std::hypot(along, across(k))) * along /
                               std::hypot(along, across(k));
                return covered - span;
            },
            1e-9, 1e12);
        for (int k = 0; k < links; ++k) {
            tension.push_back(std::hypot(horizontal, across(k)));
            if (k < links / 2)
                sag += stretched(tension[k]) * across(k) / tension[k];
        }
    }
};

// Each node's members, load and reaction in the deformed geometry: the largest sum left.
// The answer is a Solution or the results read back from a file.
template <typename Answer>
double largestImbalance(const Model& model, const LoadCase& loadCase, const Answer& answer) {
    std::vector<Point> sums = answer.reactions;
    for (const NodalLoad& load : loadCase.loads)
        for (int axis = 0; axis < 3; ++axis)
            sums[load.node - 1][axis] += load.force[axis];
    for (std::size_t m = 0; m < model.members.size(); ++m) {
        const Member& member = model.members[m];
        Point span{};
        for (int axis = 0; axis < 3; ++axis)
            span[axis] = model.nodes[member.second].position[axis] +
                         answer.displacements[member.second][axis] -
                         model.nodes[member.first].position[axis] -
                         answer.displacements[member.first][axis];
        const double length = std::hypot(span[0], span[1], span[2]);
        for (int axis = 0; axis < 3; ++axis) {
            sums[member.first][axis] += answer.axialForces[m] * span[axis] / length;
            sums[member.second][axis] -= answer.axialForces[m] * span[axis] / length;
        }
    }
    double largest = 0;
    for (const Point& sum : sums)
        for (double component : sum)
            largest = std::max(largest, std::abs(component));
    return largest;
}

} // namespace ombrix
