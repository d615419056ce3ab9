#include "member_law.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

MemberLaw::MemberLaw(StrainLaw law, MemberKind kind, double axialStiffness, double referenceLength,
                     double initialForce)
    : law_(law), cable_(kind == MemberKind::Cable), axialStiffness_(axialStiffness),
      referenceLength_(referenceLength), initialForce_(initialForce),
      slackStretch_(std::sqrt(std::max(0.0, 1 - 2 * initialForce / axialStiffness))) {}

MemberLaw MemberLaw::of(const Model& model, const Member& member) {
    const double given = lengthOf(model, member);
    const double ea = member.axialStiffness;
    if (model.law == StrainLaw::Green)
        return member.unstressedLength
                   ? MemberLaw(StrainLaw::Green, member.kind, ea, *member.unstressedLength, 0)
                   : MemberLaw(StrainLaw::Green, member.kind, ea, given, member.initialForce);
    const double unstressed =
        member.unstressedLength.value_or(given * ea / (ea + member.initialForce));
    return MemberLaw(StrainLaw::Engineering, member.kind, ea, unstressed, 0);
}

double MemberLaw::unstressedLength() const {
    return law_ == StrainLaw::Green ? referenceLength_ * slackStretch_ : referenceLength_;
}

AxialResponse MemberLaw::at(double length) const {
    const AxialResponse response = law_ == StrainLaw::Green ? green(length) : engineering(length);
    return cable_ && response.force < 0 ? AxialResponse{} : response;
}

AxialResponse MemberLaw::engineering(double length) const {
    const double extension = length - referenceLength_;
    const double stiffness = axialStiffness_ / referenceLength_;
    return {stiffness * extension, stiffness, stiffness * extension * extension / 2};
}

// The energy of a Green member, zero at its slack stretch for a cable and at the
// reference length for a bar.
double MemberLaw::greenEnergy(double stretch) const {
    const double squared = stretch * stretch - 1;
    return referenceLength_ *
           (initialForce_ * squared / 2 + axialStiffness_ * squared * squared / 8);
}

AxialResponse MemberLaw::green(double length) const {
    const double stretch = length / referenceLength_;
    const double squared = stretch * stretch;
    const double force = stretch * (initialForce_ + axialStiffness_ * (squared - 1) / 2);
    const double stiffness =
        (initialForce_ + axialStiffness_ * (3 * squared - 1) / 2) / referenceLength_;
    const double zero = cable_ ? greenEnergy(slackStretch_) : 0;
    return {force, stiffness, greenEnergy(stretch) - zero};
}

} // namespace ombrix
