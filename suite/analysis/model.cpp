#include "model.h"

#include <cmath>

namespace ombrix {

double lengthOf(const Model& model, const Member& member) {
    const Point& a = model.nodes[member.first].position;
    const Point& b = model.nodes[member.second].position;
    return std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
}

} // namespace ombrix
