#include "compound.h"

#include "numbers.h"
#include "parameters.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <unordered_map>
#include <utility>

namespace ombrix {
namespace {

// The cosine and sine of the angle, exact for the quarter turns, so that a part turned by
// 90 degrees keeps its coordinates exact.
std::pair<double, double> cosineAndSine(double degrees) {
    const double turn = std::fmod(degrees, 360.0);
    if (turn == std::trunc(turn) && static_cast<long long>(turn) % 90 == 0) {
        constexpr std::pair<double, double> quarters[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        return quarters[(static_cast<long long>(turn) / 90 + 4) % 4];
    }
    const double radians = turn * std::numbers::pi / 180;
    return {std::cos(radians), std::sin(radians)};
}

std::string partName(const std::vector<Part>& parts, int part) {
    return "part " + showInteger(part) + " (" + parts[part - 1].file + ")";
}

std::string memberName(const std::vector<Part>& parts, const PartItem& item) {
    return "member " + showInteger(item.number) + " of part " + showInteger(item.part) + " (" +
           parts[item.part - 1].file + ")";
}

// The nodes placed so far in cells of a grid as wide as the tolerance, so that a position
// is compared with the nodes of the 27 cells around it only.
class NodeFinder {
  public:
    explicit NodeFinder(double tolerance)
        : tolerance_(tolerance), width_(std::max(tolerance, shortestLength)) {}

    // The first node within the tolerance of the position that may take it, if any.
    template <typename MayTake>
    std::optional<int> near(const Point& position, const std::vector<Node>& nodes,
                            MayTake mayTake) const {
        std::optional<int> found;
        const Cell centre = cellOf(position);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy)
                for (long long dz = -1; dz <= 1; ++dz) {
                    const auto cell = cells_.find({centre[0] + dx, centre[1] + dy, centre[2] + dz});
                    if (cell == cells_.end())
                        continue;
                    for (int node : cell->second)
                        if (distance(nodes[node].position, position) <= tolerance_ &&
                            (!found || node < *found) && mayTake(node))
                            found = node;
                }
        return found;
    }

    void add(const Point& position, int node) { cells_[cellOf(position)].push_back(node); }

  private:
    using Cell = std::array<long long, 3>;
    struct CellHash {
        std::size_t operator()(const Cell& cell) const {
            return std::hash<long long>()(cell[0] * 73856093 ^ cell[1] * 19349663 ^
                                          cell[2] * 83492791);
        }
    };

    static double distance(const Point& a, const Point& b) {
        return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
    }
    Cell cellOf(const Point& position) const {
        Cell cell{};
        for (int axis = 0; axis < 3; ++axis)
            cell[axis] = static_cast<long long>(std::floor(position[axis] / width_));
        return cell;
    }

    double tolerance_;
    double width_;
    std::unordered_map<Cell, std::vector<int>, CellHash> cells_;
};

void checkPlacement(const std::vector<Part>& parts, int number) {
    const Placement& placement = parts[number - 1].placement;
    const bool shiftInRange =
        std::all_of(placement.shift.begin(), placement.shift.end(),
                    [](double d) { return std::abs(d) <= largestCoordinate; });
    if (!shiftInRange)
        throw Refused(partName(parts, number) + ": each shift must not exceed " +
                      showNumber(largestCoordinate) + " in magnitude");
}

void checkLaws(const std::vector<Part>& parts) {
    for (std::size_t k = 1; k < parts.size(); ++k)
        if (parts[k].model.law != parts[0].model.law)
            throw Refused(partName(parts, static_cast<int>(k) + 1) + " and " + partName(parts, 1) +
                          " have different member laws (E and G): a structure has one");
}

// Places the part's nodes, merging each into a node of the earlier parts within the
// tolerance, one that holds no other node of this part; the compound node of each of the
// part's nodes.
std::vector<int> placeNodes(const Part& part, int number, NodeFinder& finder, Compound& compound) {
    // Parts are placed in order, so a node's last part is the latest that met there.
    const auto ofOtherParts = [&](int node) {
        return compound.map.nodes[node].back().part != number;
    };
    std::vector<int> compoundNode;
    for (std::size_t n = 0; n < part.model.nodes.size(); ++n) {
        const Node& node = part.model.nodes[n];
        const Point position = placed(node.position, part.placement);
        const PartItem item{number, static_cast<int>(n) + 1};
        if (const std::optional<int> met =
                finder.near(position, compound.model.nodes, ofOtherParts)) {
            for (int axis = 0; axis < 3; ++axis)
                compound.model.nodes[*met].restrained[axis] |= node.restrained[axis];
            compound.map.nodes[*met].push_back(item);
            compoundNode.push_back(*met);
            continue;
        }
        const int index = static_cast<int>(compound.model.nodes.size());
        compound.model.nodes.push_back({position, node.restrained});
        compound.map.nodes.push_back({item});
        finder.add(position, index);
        compoundNode.push_back(index);
    }
    return compoundNode;
}

// The members between distinct pairs of compound nodes, by their pair.
using MemberEnds = std::map<std::pair<int, int>, PartItem>;

void placeMember(const std::vector<Part>& parts, const PartItem& item, Member member,
                 MemberEnds& ends, Compound& compound) {
    const auto pair = std::minmax(member.first, member.second);
    const auto [repeated, added] = ends.emplace(pair, item);
    if (!added)
        throw Refused("parts that overlap badly: " + memberName(parts, item) +
                      " joins the same nodes as " + memberName(parts, repeated->second));
    compound.model.members.push_back(member);
    compound.map.members.push_back(item);
}

std::string headingOf(const std::vector<Part>& parts) {
    std::string heading = "Compound of";
    for (std::size_t k = 0; k < parts.size(); ++k)
        heading += (k ? ", " : " ") + parts[k].model.heading;
    return heading;
}

} // namespace

Point rotated(const Point& vector, double degrees) {
    const auto [cosine, sine] = cosineAndSine(degrees);
    return {cosine * vector[0] - sine * vector[1], sine * vector[0] + cosine * vector[1],
            vector[2]};
}

Point placed(const Point& position, const Placement& placement) {
    const Point turned = rotated(position, placement.rotation);
    return {turned[0] + placement.shift[0], turned[1] + placement.shift[1],
            turned[2] + placement.shift[2]};
}

Compound joinParts(const std::vector<Part>& parts, double tolerance) {
    if (parts.empty())
        throw Refused("no parts to join: add a geometry file");
    if (!(tolerance >= 0 && tolerance <= largestCoordinate))
        throw Refused("the tolerance must lie between 0 and " + showNumber(largestCoordinate));
    checkLaws(parts);
    Compound compound;
    compound.model.heading = headingOf(parts);
    compound.model.law = parts[0].model.law;
    NodeFinder finder(tolerance);
    MemberEnds ends;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        checkPlacement(parts, number);
        compound.map.parts.push_back({parts[k].file, parts[k].placement, parts[k].source});
        const std::vector<int> nodeOf = placeNodes(parts[k], number, finder, compound);
        for (std::size_t m = 0; m < parts[k].model.members.size(); ++m) {
            Member member = parts[k].model.members[m];
            member.first = nodeOf[member.first];
            member.second = nodeOf[member.second];
            placeMember(parts, {number, static_cast<int>(m) + 1}, member, ends, compound);
        }
    }
    return compound;
}

std::string joinedSummary(const Compound& compound) {
    std::size_t partNodes = 0;
    for (const std::vector<PartItem>& merged : compound.map.nodes)
        partNodes += merged.size();
    const auto counted = [](std::size_t count, const std::string& noun) {
        return showInteger(static_cast<long long>(count)) + " " + noun + (count == 1 ? "" : "s");
    };
    return counted(compound.model.nodes.size(), "node") + ", " +
           counted(compound.model.members.size(), "member") + "; " +
           counted(partNodes - compound.model.nodes.size(), "node") + " merged where parts meet";
}

} // namespace ombrix
