// The files of Compound and CompoundPost. Compound saves the joined structure as a
// geometry file with its map beside it ("<name>.map"); CompoundPost reads the map and the
// results Solve left for the compound, and writes each part's results beside the output
// file, "<output base>.<k>.<part base>.txt", never into the analysis's own files.
#pragma once

#include "compound.h"
#include "parameters.h"
#include "part_results.h"
#include "runs.h"
#include "storage.h"
#include "view_files.h"

#include <string>
#include <vector>

namespace ombrix {

std::string mapFileOf(const std::string& geometryFile);
std::string partFileOf(const std::string& outputFile, int partNumber, const std::string& partFile);

// A part read from its geometry file, with the mark of its bytes, or FileRefused naming
// the file and the line.
Part readPart(const Storage& storage, const std::string& file, const Placement& placement);

// The compound's geometry file and map, each read back by its reader first: Refused when
// the suite would not take them. The map carries the geometry file's mark.
struct CompoundTexts {
    std::string geometry;
    std::string map;
};
CompoundTexts compoundTexts(const Compound& compound);

// Saves the geometry file and its map beside it so that both are new or, when either
// cannot be written, both as they were: Refused saying which could not be written and
// what was left.
void saveCompound(Storage& storage, const std::string& geometryFile, const CompoundTexts& texts);

// The solved analysis's results split into the parts of the map, or FileRefused naming the
// map's line at fault, or the results file, when the map is not of this analysis's model;
// also when the map's marks show that it was saved with another geometry file, or that a
// part's file has changed since it was joined. The progress is told after each case read.
std::vector<PartResults> splitSolvedAnalysis(const Storage& storage, const SolvedAnalysis& solved,
                                             const std::string& mapFile,
                                             const RunProgressReport& progress = {});

// Writes each part's file beside the output file; the paths written, in part order.
std::vector<std::string> writePartFiles(Storage& storage, const PreparedAnalysis& analysis,
                                        const std::vector<PartResults>& parts);

} // namespace ombrix
