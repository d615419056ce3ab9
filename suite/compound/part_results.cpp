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

bool isHeld(const Node& node) {
    return node.restrained[0] || node.restrained[1] || node.restrained[2];
}

void splitCase(const CompoundMap& map, const PartCounts& counts, const Model& compound,
               const CaseResults& results, std::vector<PartResults>& parts) {
    for (PartResults& part : parts)
        part.cases.push_back({results.loadCase, results.converged, {}, {}, {}});
    for (std::size_t k = 0; k < parts.size(); ++k) {
        PartCase& partCase = parts[k].cases.back();
        partCase.displacements.resize(static_cast<std::size_t>(counts.nodes[k]));
        partCase.reactions.resize(static_cast<std::size_t>(counts.nodes[k]));
        partCase.axialForces.resize(static_cast<std::size_t>(counts.members[k]));
    }
    for (std::size_t n = 0; n < map.nodes.size(); ++n)
        for (const PartItem& item : map.nodes[n]) {
            const double back = -map.parts[item.part - 1].placement.rotation;
            PartCase& partCase = parts[item.part - 1].cases.back();
            partCase.displacements[item.number - 1] = rotated(results.displacements[n], back);
            if (isHeld(compound.nodes[n]))
                partCase.reactions[item.number - 1] = rotated(results.reactions[n], back);
        }
    for (std::size_t m = 0; m < map.members.size(); ++m)
        parts[map.members[m].part - 1].cases.back().axialForces[map.members[m].number - 1] =
            results.axialForces[m];
}

std::string vectorText(const Point& vector, std::string (*show)(double)) {
    return show(vector[0]) + " " + show(vector[1]) + " " + show(vector[2]);
}

std::string numbered(std::size_t index) {
    return showInteger(static_cast<long long>(index) + 1);
}

std::string caseText(const PartCase& partCase) {
    std::string text = "case " + showInteger(partCase.loadCase) + "\r\nconverged " +
                       (partCase.converged ? "yes" : "no") + "\r\n";
    for (std::size_t n = 0; n < partCase.displacements.size(); ++n)
        text += "node " + numbered(n) + " " + vectorText(partCase.displacements[n], exactNumber) +
                "\r\n";
    for (std::size_t m = 0; m < partCase.axialForces.size(); ++m)
        text += "member " + numbered(m) + " " + exactNumber(partCase.axialForces[m]) + "\r\n";
    for (std::size_t n = 0; n < partCase.reactions.size(); ++n)
        if (partCase.reactions[n])
            text += "reaction " + numbered(n) + " " +
                    vectorText(*partCase.reactions[n], exactNumber) + "\r\n";
    return text;
}

void addCaseRows(const std::string& part, const PartCase& partCase, PeakTable& table) {
    const std::string loadCase = showInteger(partCase.loadCase);
    for (std::size_t n = 0; n < partCase.displacements.size(); ++n) {
        const Point& u = partCase.displacements[n];
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
        if (const std::optional<Point>& r = partCase.reactions[n])
            for (int axis = 0; axis < 3; ++axis)
                row[7 + axis] = showNumber((*r)[axis]);
        table.rows.push_back(std::move(row));
    }
    for (std::size_t m = 0; m < partCase.axialForces.size(); ++m)
        table.rows.push_back({part, loadCase, "member " + numbered(m), "", "", "",
                              showNumber(partCase.axialForces[m]), "", "", ""});
}

} // namespace

std::vector<PartResults> splitResults(const CompoundMap& map, const Model& compound,
                                      const std::vector<CaseResults>& cases) {
    std::vector<PartResults> parts;
    for (const CompoundMap::PartEntry& part : map.parts)
        parts.push_back({part, {}});
    const PartCounts counts = countsOf(map);
    for (const CaseResults& results : cases)
        splitCase(map, counts, compound, results, parts);
    return parts;
}

std::string partResultsText(int partNumber, const PartResults& results) {
    const Placement& placement = results.part.placement;
    std::string text = "part " + showInteger(partNumber) + " " + results.part.file +
                       "\r\nplacement " + vectorText(placement.shift, exactNumber) + " " +
                       exactNumber(placement.rotation) + "\r\n";
    for (const PartCase& partCase : results.cases)
        text += caseText(partCase);
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
