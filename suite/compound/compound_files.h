// The files of Compound and CompoundPost. Compound saves the joined structure as a
// geometry file with its map beside it ("<name>.map"); CompoundPost reads the map and the
// results Solve left for the compound, and writes each part's results beside the output
// file, "<output base>.<k>.<part base>.txt", never into the analysis's own files.
#pragma once

#include "compound.h"
#include "part_results.h"
#include "storage.h"
#include "view_files.h"

#include <string>
#include <vector>

namespace ombrix {

std::string mapFileOf(const std::string& geometryFile);
std::string partFileOf(const std::string& outputFile, int partNumber, const std::string& partFile);

// A part read from its geometry file, or FileRefused naming the file and the line.
Part readPart(const Storage& storage, const std::string& file, const Placement& placement);

// The compound's geometry file and map, each read back by its reader first: Refused when
// the suite would not take them.
struct CompoundTexts {
    std::string geometry;
    std::string map;
};
CompoundTexts compoundTexts(const Compound& compound);

// The solved analysis's results split into the parts of the map, or FileRefused naming the
// map's line at fault, or the results file, when the map is not of this analysis's model.
std::vector<PartResults> splitSolvedAnalysis(const Storage& storage, const SolvedAnalysis& solved,
                                             const std::string& mapFile);

// Writes each part's file beside the output file; the paths written, in part order.
std::vector<std::string> writePartFiles(Storage& storage, const std::string& outputFile,
                                        const std::vector<PartResults>& parts);

} // namespace ombrix
