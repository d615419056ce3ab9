// The structure in numbers: its free unknowns (the displacement components that no
// support holds), the law of each member, and the sums over members that the solver
// needs: end forces, strain energy and the tangent stiffness.
#pragma once

#include "applied_loads.h"
#include "member_law.h"
#include "model.h"
#include "sparse_factorization.h"

#include <Eigen/Core>
#include <Eigen/SparseCore>

#include <array>
#include <vector>

namespace ombrix {

struct Unknown {
    int node = 0; // index into Model::nodes
    int axis = 0; // 0 x, 1 y, 2 z
};

// What the members do at one displaced state.
struct MemberSums {
    std::vector<Eigen::Vector3d> nodeForces; // the members' resistance at each node
    std::vector<double> axialForces;         // per member, tension positive
    double strainEnergy = 0;
};

class Structure {
  public:
    explicit Structure(const Model& model);
    // Under a case's temperatures and settlements: each member's law with its strain, and
    // the settled supports moved, their members' laws kept from the geometry given, so that
    // the unloaded state holds the forces of the settlement.
    Structure(const Model& model, const AppliedLoads& applied);

    int unknownCount() const { return static_cast<int>(unknowns_.size()); }
    const Unknown& unknown(int index) const { return unknowns_[index]; }

    // The free components of values at each node.
    Eigen::VectorXd freePart(const std::vector<Eigen::Vector3d>& atNodes) const;

    std::vector<Eigen::Vector3d> displacements(const Eigen::VectorXd& unknowns) const;
    MemberSums sumsAt(const Eigen::VectorXd& unknowns) const;
    // Per member at the state: how finely sixteen digits resolve its force from its
    // elongation, which the rounding of its ends' displacements blurs. A member far stiffer
    // than the rest can have a force beyond any balance the loads ask for.
    std::vector<double> forceRoundings(const Eigen::VectorXd& unknowns) const;

    // The tangent stiffness at the state, plus shift times each unknown's node stiffness on
    // its diagonal and, across each member, the stiffness of a further tension of `pull`
    // times its EA, a slack cable so pulled resisting stretching as if taut; the lower
    // triangle only, in a pattern fixed at construction.
    const SparseMatrix& tangentAt(const Eigen::VectorXd& unknowns, double shift, double pull = 0);
    // Whether a member (an index into Model::members) is a cable shorter than its slack length.
    bool slack(const Eigen::VectorXd& unknowns, int member) const;
    // Of slack cables (indices into Model::members) that a step is to draw taut: what their
    // taut law foresees, carried on to their slack length. The tangent adds their axial
    // stiffness to the last one made; the forces, compressive, are their pull at each node.
    const SparseMatrix& addDrawnTaut(const Eigen::VectorXd& unknowns,
                                     const std::vector<int>& cables);
    std::vector<Eigen::Vector3d> drawnTautForces(const Eigen::VectorXd& unknowns,
                                                 const std::vector<int>& cables) const;

    // Per node, the sum of EA / L0 of its members.
    const std::vector<double>& nodeStiffness() const { return nodeStiffness_; }
    // How far the nodes lie from the model's centre: half the longest side of their box.
    double size() const { return size_; }
    bool hasBars() const { return hasBars_; }

  private:
    // A member as the assembly uses it: a bar or a cable.
    struct AssembledMember {
        int first;
        int second;
        Eigen::Vector3d span; // from the first node to the second, as given
        double length;        // as given
        MemberLaw law;
        std::array<int, 36> slots; // value index of each (row, column) of its 6 x 6 block, or -1
    };
    struct Stretched {
        Eigen::Vector3d span;
        double length;
        double elongation; // from the given length
        AxialResponse response;
    };

    void numberUnknowns(const Model& model);
    void buildPattern();
    Eigen::Vector3d displacementOf(int node, const Eigen::VectorXd& unknowns) const;
    Stretched stretched(const AssembledMember& member, const Eigen::VectorXd& unknowns) const;
    void addBlock(const AssembledMember& member, const Eigen::Matrix3d& block);

    std::vector<std::array<int, 3>> unknownOf_; // per node and axis, -1 where restrained
    std::vector<Unknown> unknowns_;
    std::vector<AssembledMember> members_;
    std::vector<int> diagonalSlots_;
    SparseMatrix tangent_;
    std::vector<double> nodeStiffness_;
    double size_ = 0;
    bool hasBars_ = false;
};

} // namespace ombrix
