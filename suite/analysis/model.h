// The structure as the geometry file gives it: pin-jointed members between nodes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

using Point = std::array<double, 3>;

// The ranges of the values a model and its loads may hold, so that no arithmetic on them
// overflows, underflows or loses them in rounding.
inline constexpr double largestCoordinate = 1e9; // in magnitude
inline constexpr double shortestLength = 1e-9;   // of a member as given, and unstressed
inline constexpr double longestUnstressedLength = 1e10;
inline constexpr double leastStiffness = 1e-20; // EA
inline constexpr double largestStiffness = 1e20;
inline constexpr double largestForce = 1e20; // initial forces and loads, in magnitude

enum class MemberKind { Bar, Cable }; // a cable carries tension only
enum class StrainLaw { Engineering, Green };

struct Node {
    Point position{};
    std::array<bool, 3> restrained{}; // x, y, z
    friend bool operator==(const Node&, const Node&) = default;
};

struct Member {
    int first = 0; // end nodes, indices into Model::nodes
    int second = 0;
    MemberKind kind = MemberKind::Bar;
    double axialStiffness = 0;              // EA
    double initialForce = 0;                // N0 in the given geometry, tension positive
    std::optional<double> unstressedLength; // L0 when given; it then replaces N0
    friend bool operator==(const Member&, const Member&) = default;
};

// Nodes and members in the order of their numbers: node n is nodes[n - 1].
struct Model {
    std::string heading;
    StrainLaw law = StrainLaw::Engineering;
    std::vector<Node> nodes;
    std::vector<Member> members;
    friend bool operator==(const Model&, const Model&) = default;
};

double lengthOf(const Model& model, const Member& member); // in the given geometry

} // namespace ombrix
