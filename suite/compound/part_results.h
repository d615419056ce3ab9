// A solved compound's results split back into its parts: each part's displacements,
// axial forces and reactions in its own numbering and its own axes (the part was turned
// about z to its place, so its vectors are turned back). A node where parts met appears in
// each of them with the compound node's displacement and reaction.
#pragma once

#include "compound.h"
#include "peak_table.h"
#include "results_file.h"

#include <string>
#include <vector>

namespace ombrix {

struct PartCase {
    CaseResults results;    // per node and member of the part, without the inputs
    std::vector<bool> held; // per node of the part: where the compound holds it
};

struct PartResults {
    CompoundMap::PartEntry part;
    std::vector<PartCase> cases;
};

// Per part, its cases; `compound` is the prepared model the results are of.
std::vector<PartResults> splitResults(const CompoundMap& map, const Model& compound,
                                      const std::vector<CaseResults>& cases);

// The part's results as a text in the results file's lines, after two lines naming the
// part and its placement.
std::string partResultsText(int partNumber, const PartResults& results);

// Every part's results as one table: a row per node and per member, case by case.
PeakTable partTable(const std::vector<PartResults>& parts);

} // namespace ombrix
