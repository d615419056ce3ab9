#include "model_building.h"

namespace ombrix {

int addNode(Model& model, Point position, std::array<bool, 3> restrained) {
    model.nodes.push_back({position, restrained});
    return static_cast<int>(model.nodes.size()) - 1;
}

void addMember(Model& model, int first, int second, MemberKind kind, double axialStiffness,
               double initialForce) {
    model.members.push_back({first, second, kind, axialStiffness, initialForce, std::nullopt});
}

} // namespace ombrix
