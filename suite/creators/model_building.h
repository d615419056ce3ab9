// The few steps every family takes to lay out its nodes and members.
#pragma once

#include "model.h"

#include <array>

namespace ombrix {

inline constexpr std::array<bool, 3> freeNode{false, false, false};
inline constexpr std::array<bool, 3> heldNode{true, true, true};
inline constexpr std::array<bool, 3> inPlaneXZ{false, true, false}; // held across the plane

int addNode(Model& model, Point position, std::array<bool, 3> restrained); // its index
void addMember(Model& model, int first, int second, MemberKind kind, double axialStiffness,
               double initialForce = 0);

} // namespace ombrix
