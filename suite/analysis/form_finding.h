// Form-finding by force densities: the shape in which a net's members, each pulling with a
// force in proportion to its length, balance the loads at the free nodes. For the members'
// force densities q (force over length) each coordinate of the free nodes comes from one
// linear system, symmetric and positive definite where every free node is held by members
// of positive force density. Where forces are wanted instead, the force densities are
// taken again from the forces over the lengths found, until every force holds.
#pragma once

#include "model.h"

#include <stdexcept>
#include <vector>

namespace ombrix {

// Each member's N0 in the geometry given read as its force density times its length given
// (N0 / L), or as the force it is to have in the form found.
enum class FormTarget { ForceDensities, Forces };

// A form that cannot be found: the text says what is wrong, naming the node or member.
class FormRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Forces to reach hold to this part of themselves, reached in at most so many rounds of
// force densities, each a factorisation.
inline constexpr double formForcePrecision = 1e-9;
inline constexpr int mostFormRounds = 1000;

// The model in the form found: the free coordinates of its nodes moved, its supports,
// numbering, kinds and EA kept, and each member's N0 its force in that form (its L0 no
// longer given), so that the form is balanced without load. nodeLoads, per node when given,
// act on the free nodes as they hang. A member's force in the geometry given is its N0, or
// what its law gives at that length where its L0 is given.
Model findForm(const Model& model, FormTarget target, const std::vector<Point>& nodeLoads = {});

} // namespace ombrix
