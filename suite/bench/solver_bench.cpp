// Times the solver on a flat square cable net: n x n cells of 1 m, the boundary pinned,
// EA = 1e5 N, the initial force given (1000 N in the table; 0 for a net that starts
// singular), 10 N down on every inner node, in the load steps given (10 in the table).
//   ombrix_solver_bench <cells> <E|G> <runs> <initial force> <steps> [deflections file]
// Prints one line: cells, unknowns, min, median and max seconds, peak memory in MiB, the
// mid-node deflection, the status, the load steps and Newton iterations taken; writes
// "node uz" for every node to the deflections file.

#include "solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

using namespace ombrix;

double peakMebibytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024 * 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
#endif
}

int nodeAt(int cells, int i, int j) {
    return j * (cells + 1) + i;
}

Model net(int cells, StrainLaw law, double initialForce) {
    Model model;
    model.heading = "Flat cable net";
    model.law = law;
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const bool edge = i == 0 || j == 0 || i == cells || j == cells;
            model.nodes.push_back({{double(i), double(j), 0}, {edge, edge, edge}});
        }
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i < cells; ++i) {
            model.members.push_back({nodeAt(cells, i, j),
                                     nodeAt(cells, i + 1, j),
                                     MemberKind::Cable,
                                     1e5,
                                     initialForce,
                                     {}});
            model.members.push_back({nodeAt(cells, j, i),
                                     nodeAt(cells, j, i + 1),
                                     MemberKind::Cable,
                                     1e5,
                                     initialForce,
                                     {}});
        }
    return model;
}

LoadCase snow(int cells, int steps) {
    LoadCase loadCase{1, steps, {}};
    for (int j = 1; j < cells; ++j)
        for (int i = 1; i < cells; ++i)
            loadCase.loads.push_back({nodeAt(cells, i, j) + 1, {0, 0, -10}, 0});
    return loadCase;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "ombrix_solver_bench <cells> <E|G> <runs> <initial force> <steps>"
                             " [deflections file]\n");
        return 2;
    }
    const int cells = std::atoi(argv[1]);
    const Model model = net(cells, argv[2][0] == 'G' ? StrainLaw::Green : StrainLaw::Engineering,
                            std::atof(argv[4]));
    const LoadCase loadCase = snow(cells, std::atoi(argv[5]));
    std::vector<double> seconds;
    Solution solution;
    for (int run = 0; run < std::max(1, std::atoi(argv[3])); ++run) {
        const auto start = std::chrono::steady_clock::now();
        solution = solve(model, loadCase);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const int middle = nodeAt(cells, cells / 2, cells / 2);
    std::printf("%d %d %.4f %.4f %.4f %.1f %.9f %s %d %d\n", cells, 3 * (cells - 1) * (cells - 1),
                seconds.front(), seconds[seconds.size() / 2], seconds.back(), peakMebibytes(),
                solution.displacements[middle][2],
                solution.status == SolutionStatus::Converged ? "converged" : "failed",
                solution.steps, solution.iterations);
    if (argc > 6) {
        FILE* file = std::fopen(argv[6], "w");
        for (std::size_t n = 0; file && n < solution.displacements.size(); ++n)
            std::fprintf(file, "%zu %.17g\n", n + 1, solution.displacements[n][2]);
        if (file)
            std::fclose(file);
    }
    return solution.status == SolutionStatus::Converged ? 0 : 1;
}
