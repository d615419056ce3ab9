#include "member_law.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

MemberLaw::MemberLaw(StrainLaw law, MemberKind kind, double axialStiffness, double referenceLength,
                     double initialForce, double excess)
    : law_(law), cable_(kind == MemberKind::Cable), axialStiffness_(axialStiffness),
      referenceLength_(referenceLength), initialForce_(initialForce), excess_(excess),
      slackStretch_(std::sqrt(std::max(0.0, 1 - 2 * initialForce / axialStiffness))) {}

namespace {

MemberLaw givenLaw(const Model& model, const Member& member) {
    const double given = lengthOf(model, member);
    const double ea = member.axialStiffness;
    if (member.unstressedLength)
        return {model.law, member.kind,
                ea,        *member.unstressedLength,
                0,         given - *member.unstressedLength};
    if (model.law == StrainLaw::Green)
        return {StrainLaw::Green, member.kind, ea, given, member.initialForce};
    const double n0 = member.initialForce;
    return {StrainLaw::Engineering, member.kind, ea,
            given * ea / (ea + n0), 0,           given * n0 / (ea + n0)};
}

} // namespace

// The reference length grows by the strain, and the given length's excess over it falls by
// as much, kept apart from the lengths so that a small strain keeps its digits.
MemberLaw MemberLaw::of(const Model& model, const Member& member, double strain) {
    MemberLaw law = givenLaw(model, member);
    const double growth = strain * law.referenceLength_;
    law.referenceLength_ += growth;
    law.excess_ -= growth;
    return law;
}

MemberLaw MemberLaw::withGivenLengthChanged(double change) const {
    MemberLaw law = *this;
    law.excess_ += change;
    return law;
}

double MemberLaw::unstressedLength() const {
    return law_ == StrainLaw::Green ? referenceLength_ * slackStretch_ : referenceLength_;
}

AxialResponse MemberLaw::at(double length, double elongation) const {
    const AxialResponse response = drawnTaut(length, elongation);
    return cable_ && response.force < 0 ? AxialResponse{} : response;
}

AxialResponse MemberLaw::drawnTaut(double length, double elongation) const {
    const double stretch = elongation + excess_; // the length less the reference length
    return law_ == StrainLaw::Green ? green(length, stretch) : engineering(stretch);
}

AxialResponse MemberLaw::engineering(double stretch) const {
    const double stiffness = axialStiffness_ / referenceLength_;
    return {stiffness * stretch, stiffness, stiffness * stretch * stretch / 2};
}

// The energy of a Green member at lambda^2 - 1, zero at its slack stretch for a cable and
// at the reference length for a bar.
double MemberLaw::greenEnergy(double squaredStretch) const {
    return referenceLength_ * (initialForce_ * squaredStretch / 2 +
                               axialStiffness_ * squaredStretch * squaredStretch / 8);
}

AxialResponse MemberLaw::green(double length, double stretch) const {
    const double lambda = length / referenceLength_;
    const double squared = stretch * (length + referenceLength_) /
                           (referenceLength_ * referenceLength_); // lambda^2 - 1
    const double force = lambda * (initialForce_ + axialStiffness_ * squared / 2);
    const double stiffness =
        (initialForce_ + axialStiffness_ * (3 * squared + 2) / 2) / referenceLength_;
    const double zero = cable_ ? greenEnergy(slackStretch_ * slackStretch_ - 1) : 0;
    return {force, stiffness, greenEnergy(squared) - zero};
}

} // namespace ombrix
