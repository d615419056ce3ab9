#include "net_cells.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <utility>

namespace ombrix {
namespace {

using Neighbours = std::vector<std::vector<int>>;

Eigen::Vector3d positionOf(const Model& model, int node) {
    const Point& p = model.nodes[node].position;
    return {p[0], p[1], p[2]};
}

// Per node, the nodes a cable joins it to, in order.
Neighbours cableNeighbours(const Model& model) {
    Neighbours neighbours(model.nodes.size());
    for (const Member& member : model.members)
        if (member.kind == MemberKind::Cable && member.first != member.second) {
            neighbours[member.first].push_back(member.second);
            neighbours[member.second].push_back(member.first);
        }
    for (std::vector<int>& each : neighbours) {
        std::sort(each.begin(), each.end());
        each.erase(std::unique(each.begin(), each.end()), each.end());
    }
    return neighbours;
}

std::pair<int, int> ordered(int a, int b) {
    return {std::min(a, b), std::max(a, b)};
}

// Every pair of nodes a member of any kind joins, lower first, in order.
std::vector<std::pair<int, int>> joinedPairs(const Model& model) {
    std::vector<std::pair<int, int>> pairs;
    for (const Member& member : model.members)
        pairs.push_back(ordered(member.first, member.second));
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

bool joined(const std::vector<std::pair<int, int>>& pairs, int a, int b) {
    return std::binary_search(pairs.begin(), pairs.end(), ordered(a, b));
}

bool cableJoins(const Neighbours& neighbours, int a, int b) {
    return std::binary_search(neighbours[a].begin(), neighbours[a].end(), b);
}

NetCell triangle(const Model& model, int a, int b, int c) {
    const Eigen::Vector3d at = positionOf(model, a);
    return {{a, b, c}, (positionOf(model, b) - at).cross(positionOf(model, c) - at) / 2};
}

NetCell quadrilateral(const Model& model, int a, int b, int c, int d) {
    return {{a, b, c, d},
            (positionOf(model, c) - positionOf(model, a))
                    .cross(positionOf(model, d) - positionOf(model, b)) /
                2};
}

// The loops a-b-c and a-b-c-d whose lowest corner is a, a's neighbours on them b < d.
void addCellsFrom(const Model& model, const Neighbours& neighbours,
                  const std::vector<std::pair<int, int>>& pairs, int a,
                  std::vector<NetCell>& cells) {
    const std::vector<int>& around = neighbours[a];
    for (auto b = std::upper_bound(around.begin(), around.end(), a); b != around.end(); ++b)
        for (auto d = b + 1; d != around.end(); ++d) {
            if (cableJoins(neighbours, *b, *d)) {
                cells.push_back(triangle(model, a, *b, *d));
                continue;
            }
            if (joined(pairs, *b, *d))
                continue;
            std::vector<int> opposite;
            std::set_intersection(neighbours[*b].begin(), neighbours[*b].end(),
                                  neighbours[*d].begin(), neighbours[*d].end(),
                                  std::back_inserter(opposite));
            for (int c : opposite)
                if (c > a && !joined(pairs, a, c))
                    cells.push_back(quadrilateral(model, a, *b, c, *d));
        }
}

} // namespace

std::vector<NetCell> cellsOf(const Model& model) {
    const Neighbours neighbours = cableNeighbours(model);
    const std::vector<std::pair<int, int>> pairs = joinedPairs(model);
    std::vector<NetCell> cells;
    for (int a = 0; a < static_cast<int>(model.nodes.size()); ++a)
        addCellsFrom(model, neighbours, pairs, a, cells);
    return cells;
}

} // namespace ombrix
