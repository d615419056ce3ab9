// Writes a small solved structure for read_exports.py: its geometry file, its results file
// as Solve writes it, and the case exported as CSV, DXF and VTK, into the folder given.

#include "exports.h"
#include "geometry.h"

#include <fstream>
#include <iostream>

namespace {

using namespace ombrix;

// A mast of bars held by three guys, one of them slack.
const char* const geometry = "Guyed mast\n6 6\n"
                             "1 0 0 0 1 1 1\n2 0 0 3.3 0 0 0\n3 0 0 6.7 0 0 0\n"
                             "4 5 0 0 1 1 1\n5 -2.5 4.33 0 1 1 1\n6 -2.5 -4.33 0 1 1 1\n"
                             "1 1 2 B 2e7 0\n2 2 3 B 2e7 0\n3 3 4 C 1e5 120\n"
                             "4 3 5 C 1e5 120\n5 3 6 C 1e5 120\n6 2 4 C 1e5 60\n";

CaseResults resultsOn(const Model& model) {
    CaseResults results{3, true, {}, {}, {}, {-512.25, -431.0 / 3, 171.5, 0, 86.125, 1e-7}, {}};
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const double k = static_cast<double>(n);
        results.displacements.push_back(
            model.nodes[n].restrained[0] ? Point{} : Point{k / 300, -k / 7000, -1 / (k + 3)});
    }
    results.reactions.assign(model.nodes.size(), Point{1.0 / 3, -2, 512.25});
    return results;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_exports <folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    const Model model = readGeometry(geometry);
    const CaseResults results = resultsOn(model);
    std::ofstream(folder + "/mast.dat", std::ios::binary) << geometry;
    std::ofstream(folder + "/mast.res", std::ios::binary) << resultsText(results, heldNodes(model));
    for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::Dxf, ExportFormat::Vtk})
        std::ofstream(folder + "/mast." + extensionOf(format), std::ios::binary)
            << exportText(format, model, results);
    return 0;
}
