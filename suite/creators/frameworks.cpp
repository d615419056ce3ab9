// Frameworks of bars: a lattice dome and plane trusses.
#include "family_builders.h"
#include "model_building.h"
#include "numbers.h"

#include <cmath>
#include <numbers>

namespace ombrix {

// A spherical cap of rings and meridians, each quadrilateral braced by a diagonal, held
// all round its base ring.
Model latticeDome(const Values& values) {
    const double span = values.number("span"), rise = values.number("rise");
    const int rings = values.count("rings"), segments = values.count("segments");
    const double axialStiffness = values.number("EA");
    if (rise > span / 2)
        refuse("rise", "at most half the span, " + showNumber(span / 2), rise);
    // The half angle of the base from the sphere's centre, tan(angle / 2) = rise / (span / 2),
    // and each ring's height above the base as 2 R sin((base + polar) / 2) sin((base - polar)
    // / 2): the difference of the cosines without cancelling, which would flatten a shallow
    // dome of a wide span to its base.
    const double sphere = (span * span / 4 + rise * rise) / (2 * rise);
    const double baseAngle = 2 * std::atan2(rise, span / 2);

    Model model;
    addNode(model, {0, 0, rise}, freeNode);
    for (int ring = 1; ring <= rings; ++ring) {
        const double polar = baseAngle * ring / rings;
        for (int s = 0; s < segments; ++s) {
            const double azimuth = 2 * std::numbers::pi * s / segments;
            const double radius = sphere * std::sin(polar);
            addNode(model,
                    {radius * std::cos(azimuth), radius * std::sin(azimuth),
                     2 * sphere * std::sin((baseAngle + polar) / 2) *
                         std::sin((baseAngle - polar) / 2)},
                    ring == rings ? heldNode : freeNode);
        }
    }
    const auto node = [&](int ring, int s) { return 1 + (ring - 1) * segments + s % segments; };
    for (int s = 0; s < segments; ++s)
        addMember(model, 0, node(1, s), MemberKind::Bar, axialStiffness);
    for (int ring = 1; ring < rings; ++ring)
        for (int s = 0; s < segments; ++s) {
            addMember(model, node(ring, s), node(ring + 1, s), MemberKind::Bar, axialStiffness);
            addMember(model, node(ring, s), node(ring, s + 1), MemberKind::Bar, axialStiffness);
            addMember(model, node(ring, s), node(ring + 1, s + 1), MemberKind::Bar, axialStiffness);
        }
    return model;
}

namespace {

enum class Diagonals { Pratt, Howe }; // Pratt's fall towards the middle, Howe's rise

struct Truss {
    Model model;
    double axialStiffness = 0;
    void bar(int first, int second) {
        addMember(model, first, second, MemberKind::Bar, axialStiffness);
    }
};

// The bottom chord's nodes 0..panels, pinned at the left end and on a roller at the
// right; every node of a plane truss is held across its plane.
Truss bottomChord(const Values& values) {
    const int panels = values.count("panels");
    const double span = values.number("span");
    Truss truss{{}, values.number("EA")};
    for (int i = 0; i <= panels; ++i)
        addNode(truss.model, {span * i / panels, 0, 0},
                i == 0        ? heldNode
                : i == panels ? std::array{false, true, true}
                              : inPlaneXZ);
    for (int i = 0; i < panels; ++i)
        truss.bar(i, i + 1);
    return truss;
}

// Top nodes over the inner bottom nodes, joined by posts, and a diagonal in each panel.
Model postedTruss(const Values& values, Diagonals diagonals) {
    const int panels = values.count("panels");
    if (panels % 2 != 0)
        refuse("panels", "an even number", panels);
    Truss truss = bottomChord(values);
    const double span = values.number("span"), height = values.number("height");
    const auto top = [&](int i) { return panels + i; }; // i = 1 .. panels - 1
    for (int i = 1; i < panels; ++i)
        addNode(truss.model, {span * i / panels, 0, height}, inPlaneXZ);
    for (int i = 1; i + 1 < panels; ++i)
        truss.bar(top(i), top(i + 1));
    for (int i = 1; i < panels; ++i)
        truss.bar(i, top(i));
    truss.bar(0, top(1));
    truss.bar(panels, top(panels - 1));
    for (int i = 1; i + 1 < panels; ++i) {
        const bool towardsMiddle = (i < panels / 2) == (diagonals == Diagonals::Pratt);
        towardsMiddle ? truss.bar(top(i), i + 1) : truss.bar(i, top(i + 1));
    }
    return std::move(truss.model);
}

} // namespace

Model prattTruss(const Values& values) {
    return postedTruss(values, Diagonals::Pratt);
}

Model howeTruss(const Values& values) {
    return postedTruss(values, Diagonals::Howe);
}

// Top nodes over the middles of the panels, each joined to the panel's two bottom nodes.
Model warrenTruss(const Values& values) {
    const int panels = values.count("panels");
    Truss truss = bottomChord(values);
    const double span = values.number("span"), height = values.number("height");
    for (int i = 0; i < panels; ++i)
        addNode(truss.model, {span * (i + 0.5) / panels, 0, height}, inPlaneXZ);
    const auto top = [&](int i) { return panels + 1 + i; };
    for (int i = 0; i + 1 < panels; ++i)
        truss.bar(top(i), top(i + 1));
    for (int i = 0; i < panels; ++i) {
        truss.bar(i, top(i));
        truss.bar(top(i), i + 1);
    }
    return std::move(truss.model);
}

} // namespace ombrix
