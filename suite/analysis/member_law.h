// The axial force of a member as a function of its current length, with its derivative
// (the material part of the tangent) and the strain energy it stores.
//   Engineering strain: N = EA (l - L0) / L0, with L0 = L EA / (EA + N0) unless given.
//   Green strain:       N = lambda (N0 + EA (lambda^2 - 1) / 2), lambda = l / L, with L the
//                       given length (or L0 when given, N0 then 0): a St. Venant-Kirchhoff
//                       truss with an initial stress in the given geometry.
// A cable carries max(N, 0) and has neither stiffness nor energy while slack.
// Besides the length, the law takes the elongation from the given length, computed from the
// displacements: the force of a stiff member is then not lost in the rounding of its length.
#pragma once

#include "model.h"

namespace ombrix {

struct AxialResponse {
    double force = 0;     // N
    double stiffness = 0; // dN/dl
    double energy = 0;    // the work done on the member from its unstressed length
};

class MemberLaw {
  public:
    // excess: how much longer the given length is than the reference length.
    MemberLaw(StrainLaw law, MemberKind kind, double axialStiffness, double referenceLength,
              double initialForce, double excess = 0);

    // The law of a member of the model, its given length taken from the model's geometry;
    // strain: what a temperature adds to its unstressed length, alpha dT, the whole law
    // stretched along the length with it.
    static MemberLaw of(const Model& model, const Member& member, double strain = 0);
    // The same law, the member's given length longer by `change`: its ends moved apart.
    MemberLaw withGivenLengthChanged(double change) const;

    AxialResponse at(double length, double elongation) const;
    // The law of a taut member carried on below the slack length of a cable: how a slack
    // cable would respond once drawn taut, as a step that draws it taut foresees.
    AxialResponse drawnTaut(double length, double elongation) const;
    double axialStiffness() const { return axialStiffness_; }
    double referenceLength() const { return referenceLength_; } // L0 (E) or L (G)
    double unstressedLength() const;                            // where N is 0

  private:
    AxialResponse engineering(double stretch) const;
    AxialResponse green(double length, double stretch) const;
    double greenEnergy(double squaredStretch) const;

    StrainLaw law_;
    bool cable_;
    double axialStiffness_;
    double referenceLength_;
    double initialForce_; // Green only: N0 at the reference length
    double excess_;       // the given length less the reference length
    double slackStretch_; // Green cables: the stretch below which N would be negative
};

} // namespace ombrix
