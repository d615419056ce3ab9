// Structures of cables held in tension: nets, a hung cable and the guys of a mast, laid
// out where their supports allow in the shape their prestress holds in balance.
#include "family_builders.h"
#include "form_finding.h"
#include "model_building.h"
#include "numbers.h"

#include <array>
#include <cmath>
#include <numbers>

namespace ombrix {

namespace {

// A cable whose horizontal component of tension is `horizontal` over a plan length.
void addPrestressedCable(Model& model, int first, int second, double axialStiffness,
                         double horizontal, double planLength) {
    addMember(model, first, second, MemberKind::Cable, axialStiffness);
    Member& cable = model.members.back();
    cable.initialForce = horizontal * lengthOf(model, cable) / planLength;
}

// A cable pulling with the force density given: its force over its length as drawn.
void addCableOfDensity(Model& model, int first, int second, double axialStiffness, double density) {
    addMember(model, first, second, MemberKind::Cable, axialStiffness);
    Member& cable = model.members.back();
    cable.initialForce = density * lengthOf(model, cable);
}

bool formFound(const Values& values) {
    return values.count("form") == 1;
}

// The model with its free nodes where its cables' force densities balance the loads given
// per node (none: the prestress alone); a form that cannot exist refused, naming the node
// or member.
Model foundForm(const Model& model, const std::vector<Point>& nodeLoads = {}) {
    try {
        return findForm(model, FormTarget::ForceDensities, nodeLoads);
    } catch (const FormRefused& refused) {
        throw Refused(refused.what());
    }
}

} // namespace

// A hyperbolic paraboloid z = k (x^2 - y^2) about the net's centre (flat when the rise is
// 0): with the same horizontal tension in every cable its two curvatures balance at each
// node. Held at two edges only, the cross ties carry no prestress: such a net is flat, for
// the tension of curved cables alone would not be balanced in the shape drawn. Form-found,
// the held edges stay where drawn and the warp (along x) and weft (along y) cables pull
// with their force densities, the free edges of a net held at two curving in.
Model cableNet(const Values& values) {
    const int cellsX = values.count("cells in x"), cellsY = values.count("cells in y");
    const double spacing = values.number("spacing"), prestress = values.number("prestress");
    const double axialStiffness = values.number("EA");
    const bool allEdgesHeld = values.count("held edges") == 0, found = formFound(values);
    if (!allEdgesHeld && !found && values.number("rise") != 0)
        refuse("rise", "0 for a net held at x = 0 and x = end only, as given",
               values.number("rise"));
    const double halfX = cellsX * spacing / 2, halfY = cellsY * spacing / 2;
    const double curvature = values.number("rise") / (halfX * halfX);

    Model model;
    const auto held = [&](int i, int j) {
        return i == 0 || i == cellsX || (allEdgesHeld && (j == 0 || j == cellsY));
    };
    for (int j = 0; j <= cellsY; ++j)
        for (int i = 0; i <= cellsX; ++i) {
            const double x = i * spacing - halfX, y = j * spacing - halfY;
            addNode(model, {i * spacing, j * spacing, curvature * (x * x - y * y)},
                    held(i, j) ? heldNode : freeNode);
        }
    const auto node = [&](int i, int j) { return j * (cellsX + 1) + i; };
    const auto cable = [&](int first, int second, bool warp) {
        if (found)
            addCableOfDensity(model, first, second, axialStiffness,
                              values.number(warp ? "warp force density" : "weft force density"));
        else
            addPrestressedCable(model, first, second, axialStiffness,
                                warp || allEdgesHeld ? prestress : 0, spacing);
    };
    for (int j = 0; j <= cellsY; ++j)
        for (int i = 0; i < cellsX; ++i)
            if (!held(i, j) || !held(i + 1, j))
                cable(node(i, j), node(i + 1, j), true);
    for (int i = 0; i <= cellsX; ++i)
        for (int j = 0; j < cellsY; ++j)
            if (!held(i, j) || !held(i, j + 1))
                cable(node(i, j), node(i, j + 1), false);
    return found ? foundForm(model) : model;
}

// A square net held at its four corners only, at the heights given, in the form in which
// its cables balance at the force densities given (force over length): the net's own, and
// the edge cables' along its border where it has them. Drawn flat between the corners, it
// is then form-found.
Model fourPointSail(const Values& values) {
    const int cells = values.count("cells");
    const double side = values.number("side"), spacing = side / cells;
    const double density = values.number("force density");
    const double edgeDensity =
        values.count("edge cables") == 0 ? values.number("edge force density") : density;
    const std::array<double, 4> heights = {
        values.number("height at x 0, y 0"), values.number("height at x side, y 0"),
        values.number("height at x side, y side"), values.number("height at x 0, y side")};
    Model model;
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const double u = double(i) / cells, v = double(j) / cells;
            const double z = (1 - u) * (1 - v) * heights[0] + u * (1 - v) * heights[1] +
                             u * v * heights[2] + (1 - u) * v * heights[3];
            const bool corner = (i == 0 || i == cells) && (j == 0 || j == cells);
            addNode(model, {i * spacing, j * spacing, z}, corner ? heldNode : freeNode);
        }
    const auto node = [&](int i, int j) { return j * (cells + 1) + i; };
    const auto cable = [&](int first, int second, bool edge) {
        addCableOfDensity(model, first, second, values.number("EA"), edge ? edgeDensity : density);
    };
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i < cells; ++i) {
            cable(node(i, j), node(i + 1, j), j == 0 || j == cells);
            cable(node(j, i), node(j, i + 1), j == 0 || j == cells);
        }
    return foundForm(model);
}

// Spokes from a held outer ring to a free hub ring, whose cables balance the spokes' pull.
// Form-found, the hub ring lies where the spokes' and the ring's force densities balance,
// whatever its radius as drawn.
Model radialCableNet(const Values& values) {
    const int spokes = values.count("spokes");
    const double outer = values.number("outer radius"), hub = values.number("hub radius");
    const double prestress = values.number("prestress"), axialStiffness = values.number("EA");
    if (hub >= outer)
        refuse("hub radius", "less than the outer radius, " + showNumber(outer), hub);

    Model model;
    const auto onCircle = [&](double radius, int k) {
        const double angle = 2 * std::numbers::pi * k / spokes;
        return Point{radius * std::cos(angle), radius * std::sin(angle), 0};
    };
    for (int k = 0; k < spokes; ++k)
        addNode(model, onCircle(outer, k), heldNode);
    for (int k = 0; k < spokes; ++k)
        addNode(model, onCircle(hub, k), freeNode);
    const bool found = formFound(values);
    const auto cable = [&](int first, int second, const char* density, double force) {
        if (found)
            addCableOfDensity(model, first, second, axialStiffness, values.number(density));
        else
            addMember(model, first, second, MemberKind::Cable, axialStiffness, force);
    };
    for (int k = 0; k < spokes; ++k)
        cable(k, spokes + k, "spoke force density", prestress);
    const double ringTension = prestress / (2 * std::sin(std::numbers::pi / spokes));
    for (int k = 0; k < spokes; ++k)
        cable(spokes + k, spokes + (k + 1) % spokes, "ring force density", ringTension);
    return found ? foundForm(model) : model;
}

namespace {

// The span covered by equal links of the given length under equal loads at the joints,
// hung with a horizontal force `horizontal` per unit load: link k carries the vertical
// force (links - 1) / 2 - k.
double spanOfLinks(int links, double link, double horizontal) {
    double span = 0;
    for (int k = 0; k < links; ++k)
        span += link * horizontal / std::hypot(horizontal, (links - 1) / 2.0 - k);
    return span;
}

// The horizontal force per unit load at which the links cover the span.
double horizontalForSpan(int links, double link, double span) {
    double low = 1e-12, high = 1e12;
    for (int k = 0; k < 200; ++k) {
        const double middle = std::sqrt(low * high);
        (spanOfLinks(links, link, middle) < span ? low : high) = middle;
    }
    return std::sqrt(low * high);
}

} // namespace

// Members of equal unstressed length, together longer than the span by the slack, drawn
// in the shape they hang in under equal loads at the inner nodes, unstretched. Form-found,
// the members pull with the force density given and the inner nodes hang under the load
// per node, on a parabola whatever the slack: each member's force is its force under that
// load.
Model hungCable(const Values& values) {
    const double span = values.number("span"), slack = values.number("slack");
    const int members = values.count("members");
    const double axialStiffness = values.number("EA");
    const double link = (span + slack) / members;
    const double horizontal = horizontalForSpan(members, link, span);

    Model model;
    Point position{0, 0, 0};
    addNode(model, position, heldNode);
    for (int k = 0; k < members; ++k) {
        const double across = (members - 1) / 2.0 - k;
        const double tension = std::hypot(horizontal, across);
        position[0] += link * horizontal / tension;
        position[2] -= link * across / tension;
        addNode(model, k + 1 == members ? Point{span, 0, 0} : position,
                k + 1 == members ? heldNode : inPlaneXZ);
        if (formFound(values))
            addCableOfDensity(model, k, k + 1, axialStiffness, values.number("force density"));
        else
            model.members.push_back({k, k + 1, MemberKind::Cable, axialStiffness, 0, link});
    }
    if (!formFound(values))
        return model;
    return foundForm(model, std::vector<Point>(model.nodes.size(),
                                               Point{0, 0, -values.number("load per node")}));
}

// A mast pinned at its foot, held at each level by guys to anchors around it; the mast
// carries the guys' prestress down to its foot. A guy is straight, its form its line:
// form-found, each pulls with its force density times its length, the longer guys of the
// upper levels the harder. The mast's nodes stay where drawn: by force densities alone the
// compression of a mast pinned at its foot undoes what its guys hold across, and leaves no
// form.
Model guyedMast(const Values& values) {
    const double height = values.number("height"), radius = values.number("guy radius");
    const int levels = values.count("levels"), guys = values.count("guys per level");
    const auto guyForce = [&](double z) {
        return formFound(values) ? values.number("guy force density") * std::hypot(radius, z)
                                 : values.number("guy prestress");
    };

    Model model;
    addNode(model, {0, 0, 0}, heldNode);
    for (int level = 1; level <= levels; ++level)
        addNode(model, {0, 0, height * level / levels}, freeNode);
    for (int g = 0; g < guys; ++g) {
        const double angle = 2 * std::numbers::pi * g / guys;
        addNode(model, {radius * std::cos(angle), radius * std::sin(angle), 0}, heldNode);
    }
    double guysDownward = 0; // from the levels above the segment being laid
    std::vector<double> mastForces(levels);
    for (int level = levels; level >= 1; --level) {
        const double z = height * level / levels;
        guysDownward += guys * guyForce(z) * z / std::hypot(radius, z);
        mastForces[level - 1] = -guysDownward;
    }
    for (int level = 1; level <= levels; ++level)
        addMember(model, level - 1, level, MemberKind::Bar, values.number("mast EA"),
                  mastForces[level - 1]);
    for (int level = 1; level <= levels; ++level)
        for (int g = 0; g < guys; ++g)
            addMember(model, level, levels + 1 + g, MemberKind::Cable, values.number("guy EA"),
                      guyForce(height * level / levels));
    return model;
}

} // namespace ombrix
