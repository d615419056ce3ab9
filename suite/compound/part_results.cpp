#include "part_results.h"

#include "numbers.h"

#include <algorithm>

namespace ombrix {
namespace {

// How many nodes and members each part has: the highest of its numbers in the map.
struct PartCounts {
    std::vector<int> nodes;
    std::vector<int> members;
};

PartCounts countsOf(const CompoundMap& map) {
    PartCounts counts{std::vector<int>(map.parts.size()), std::vector<int>(map.parts.size())};
    for (const std::vector<PartItem>& merged : map.nodes)
        for (const PartItem& item : merged)
            counts.nodes[item.part - 1] = std::max(counts.nodes[item.part - 1], item.number);
    for (const PartItem& item : map.members)
        counts.members[item.part - 1] = std::max(counts.members[item.part - 1], item.number);
    return counts;
}

// The case of a part of so many nodes and members, its values yet to be filled in.
PartCase emptyCase(const CaseResults& results, int nodes, int members) {
    const auto count = static_cast<std::size_t>(nodes);
    return {{results.loadCase, results.converged, std::nullopt, results.loadFactor,
             std::vector<Point>(count), std::vector<double>(static_cast<std::size_t>(members)),
             std::vector<Point>(count)},
            std::vector<bool>(count)};
}

void splitCase(const CompoundMap& map, const PartCounts& counts, const std::vector<bool>& held,
               const CaseResults& results, std::vector<PartResults>& parts) {
    for (std::size_t k = 0; k < parts.size(); ++k)
        parts[k].cases.push_back(emptyCase(results, counts.nodes[k], counts.members[k]));
    for (std::size_t n = 0; n < map.nodes.size(); ++n)
        for (const PartItem& item : map.nodes[n]) {
            const double back = -map.parts[item.part - 1].placement.rotation;
            PartCase& partCase = parts[item.part - 1].cases.back();
            const auto node = static_cast<std::size_t>(item.number - 1);
            partCase.results.displacements[node] = rotated(results.displacements[n], back);
            if (held[n]) {
                partCase.results.reactions[node] = rotated(results.reactions[n], back);
                partCase.held[node] = true;
            }
        }
    for (std::size_t m = 0; m < map.members.size(); ++m)
        parts[map.members[m].part - 1].cases.back().results.axialForces[map.members[m].number - 1] =
            results.axialForces[m];
}

std::string vectorText(const Point& vector, std::string (*show)(double)) {
    return show(vector[0]) + " " + show(vector[1]) + " " + show(vector[2]);
}

std::string numbered(std::size_t index) {
    return showInteger(static_cast<long long>(index) + 1);
}

void addCaseRows(const std::string& part, const PartCase& partCase, PeakTable& table) {
    const CaseResults& results = partCase.results;
    const std::string loadCase = showInteger(results.loadCase);
    for (std::size_t n = 0; n < results.displacements.size(); ++n) {
        const Point& u = results.displacements[n];
        TableRow row{part,
                     loadCase,
                     "node " + numbered(n),
                     showNumber(u[0]),
                     showNumber(u[1]),
                     showNumber(u[2]),
                     "",
                     "",
                     "",
                     ""};
        if (partCase.held[n])
            for (std::size_t axis = 0; axis < 3; ++axis)
                row[7 + axis] = showNumber(results.reactions[n][axis]);
        table.rows.push_back(std::move(row));
    }
    for (std::size_t m = 0; m < results.axialForces.size(); ++m)
        table.rows.push_back({part, loadCase, "member " + numbered(m), "", "", "",
                              showNumber(results.axialForces[m]), "", "", ""});
}

} // namespace

std::vector<PartResults> splitResults(const CompoundMap& map, const Model& compound,
                                      const std::vector<CaseResults>& cases) {
    std::vector<PartResults> parts;
    for (const CompoundMap::PartEntry& part : map.parts)
        parts.push_back({part, {}});
    const PartCounts counts = countsOf(map);
    const std::vector<bool> held = heldNodes(compound);
    for (const CaseResults& results : cases)
        splitCase(map, counts, held, results, parts);
    return parts;
}

std::string partResultsText(int partNumber, const PartResults& results) {
    const Placement& placement = results.part.placement;
    std::string text = "part " + showInteger(partNumber) + " " + results.part.file +
                       "\r\nplacement " + vectorText(placement.shift, exactNumber) + " " +
                       exactNumber(placement.rotation) + "\r\n";
    for (const PartCase& partCase : results.cases)
        text += resultsText(partCase.results, partCase.held);
    return text;
}

PeakTable partTable(const std::vector<PartResults>& parts) {
    PeakTable table{{"part", "case", "node or member", "ux", "uy", "uz", "N", "Rx", "Ry", "Rz"},
                    {}};
    for (std::size_t k = 0; k < parts.size(); ++k)
        for (const PartCase& partCase : parts[k].cases)
            addCaseRows(numbered(k), partCase, table);
    return table;
}

} // namespace ombrix
