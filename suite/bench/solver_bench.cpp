// Times the solver on a flat square cable net: n x n cells of 1 m, the boundary pinned,
// EA = 1e5 N, the initial force given (1000 N in the table; 0 for a net that starts
// singular), 10 N down on every inner node, in the load steps given (10 in the table).
//   ombrix_solver_bench <cells> <E|G> <runs> <initial force> <steps> [deflections file]
// Or on Make_FrameFile's cable net of n x n cells, rise 1.5 m, prestress 2 N, EA 1e5 N,
// all edges held, under Make_ForceFile's 1 N down on every free node, or on the nodes in
// the box 0 0 -100 to n/2 n 100 (snow on half the plan), in the load steps given:
//   ombrix_solver_bench snow <cells> <all|half> <runs> <steps> [deflections file]
// Or form-finding by force densities on Make_FrameFile's cable net of n x n cells, beside
// its floor, one ordering and factorisation of the net's force-density matrix (the matrix
// of one axis):
//   ombrix_solver_bench form <cells> <runs>
// printing cells, free nodes, then min, median and max seconds of each.
// Or the tangent of the flat net, 1000 N in every cable, undisplaced, ordered, factorised
// and solved with (under the load of the table) by the supernodal factorisation the solver
// uses, then by Eigen's SimplicialLDLT in the same order, which the solver used before:
//   ombrix_solver_bench factor <cells> <runs>
// printing cells, unknowns, then for each the median seconds of the three, the factor's
// entries and the peak memory in MiB so far; last the two solutions' relative difference
// and what the supernodal factor estimates a factorisation costs in solves.
// Either may end with solver options, "name=value" each (mostDrawingRounds=3), to try them.
// Prints one line: cells, unknowns, min, median and max seconds, peak memory in MiB, the
// mid-node deflection, the status, the load steps, Newton iterations and factorisations
// taken; writes "node uz" for every node to the deflections file.

#include "form_finding.h"
#include "solver.h"
#include "sparse_factorization.h"
#include "structure.h"
#include "supernodal_ldlt.h"
#include "tangent_factor.h"

#include <Eigen/SparseCholesky>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <variant>
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

// Make_FrameFile's hyperbolic paraboloid z = k (x^2 - y^2) about the net's centre, its
// corner at the origin, every cable's horizontal tension the prestress; as that program
// lays it out, node for node and member for member.
Model hypar(int cells) {
    const double half = cells / 2.0, curvature = 1.5 / (half * half);
    Model model;
    model.heading = "Hyperbolic paraboloid cable net";
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const bool edge = i == 0 || j == 0 || i == cells || j == cells;
            const double x = i - half, y = j - half;
            model.nodes.push_back(
                {{double(i), double(j), curvature * (x * x - y * y)}, {edge, edge, edge}});
        }
    const auto held = [&](int node) { return model.nodes[node].restrained[0]; };
    const auto cable = [&](int first, int second) {
        if (held(first) && held(second))
            return;
        model.members.push_back({first, second, MemberKind::Cable, 1e5, 0, {}});
        model.members.back().initialForce = 2 * lengthOf(model, model.members.back());
    };
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i < cells; ++i)
            cable(nodeAt(cells, i, j), nodeAt(cells, i + 1, j));
    for (int i = 0; i <= cells; ++i)
        for (int j = 0; j < cells; ++j)
            cable(nodeAt(cells, i, j), nodeAt(cells, i, j + 1));
    return model;
}

// Make_ForceFile's 1 N down on every free node, or on those in the box 0 0 -100 to
// n/2 n 100: the half of the plan where x <= n/2.
LoadCase snowOn(const Model& model, int cells, bool half, int steps) {
    LoadCase loadCase{1, steps, {}};
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        if (!model.nodes[n].restrained[0] && (!half || model.nodes[n].position[0] <= cells / 2.0))
            loadCase.loads.push_back({static_cast<long long>(n) + 1, {0, 0, -1}, 0});
    return loadCase;
}

using Option = std::variant<int SolverOptions::*, double SolverOptions::*>;

const std::map<std::string, Option, std::less<>> optionNames = {
    {"mostIterations", &SolverOptions::mostIterations},
    {"mostEscapeIterations", &SolverOptions::mostEscapeIterations},
    {"spareIterations", &SolverOptions::spareIterations},
    {"relativeTolerance", &SolverOptions::relativeTolerance},
    {"roundingFloorFactor", &SolverOptions::roundingFloorFactor},
    {"beyondTheFactor", &SolverOptions::beyondTheFactor},
    {"firstShift", &SolverOptions::firstShift},
    {"largestShift", &SolverOptions::largestShift},
    {"runawaySize", &SolverOptions::runawaySize},
    {"sufficientFall", &SolverOptions::sufficientFall},
    {"energyRounding", &SolverOptions::energyRounding},
    {"mostHalvings", &SolverOptions::mostHalvings},
    {"mostDrawingRounds", &SolverOptions::mostDrawingRounds},
    {"escapeDistance", &SolverOptions::escapeDistance},
    {"inverseIterations", &SolverOptions::inverseIterations},
    {"fewestKrylovIterations", &SolverOptions::fewestKrylovIterations},
    {"krylovShareOfFactorization", &SolverOptions::krylovShareOfFactorization},
    {"krylovTolerance", &SolverOptions::krylovTolerance},
    {"krylovContraction", &SolverOptions::krylovContraction},
    {"stringPull", &SolverOptions::stringPull},
    {"farthestStretch", &SolverOptions::farthestStretch},
    {"stretchPrecision", &SolverOptions::stretchPrecision},
};

// Takes "name=value" into the options; false for anything else.
bool takeOption(const std::string& argument, SolverOptions& options) {
    const std::size_t equals = argument.find('=');
    const auto found = optionNames.find(argument.substr(0, equals));
    if (equals == std::string::npos || found == optionNames.end())
        return false;
    const double value = std::stod(argument.substr(equals + 1));
    if (const auto* whole = std::get_if<int SolverOptions::*>(&found->second))
        options.*(*whole) = static_cast<int>(value);
    if (const auto* real = std::get_if<double SolverOptions::*>(&found->second))
        options.*(*real) = value;
    return true;
}

} // namespace

// Min, median and max seconds of `runs` runs of `work`.
template <typename Work> std::vector<double> timed(int runs, Work work) {
    std::vector<double> seconds;
    for (int run = 0; run < std::max(1, runs); ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds.front(), seconds[seconds.size() / 2], seconds.back()};
}

// The force-density matrix of the net's free nodes along one axis, every density 1.
SparseMatrix forceDensityMatrix(const Model& model, int& freeNodes) {
    std::vector<int> unknown(model.nodes.size(), -1);
    freeNodes = 0;
    for (std::size_t n = 0; n < model.nodes.size(); ++n)
        if (!model.nodes[n].restrained[2])
            unknown[n] = freeNodes++;
    std::vector<Eigen::Triplet<double>> entries;
    for (const Member& member : model.members) {
        const int a = unknown[member.first], b = unknown[member.second];
        for (const int end : {a, b})
            if (end >= 0)
                entries.emplace_back(end, end, 1.0);
        if (a >= 0 && b >= 0)
            entries.emplace_back(std::max(a, b), std::min(a, b), -1.0);
    }
    SparseMatrix matrix(freeNodes, freeNodes);
    matrix.setFromTriplets(entries.begin(), entries.end());
    return matrix;
}

int benchFormFinding(int cells, int runs) {
    const Model model = hypar(cells);
    int freeNodes = 0;
    const SparseMatrix matrix = forceDensityMatrix(model, freeNodes);
    const std::vector<double> forms =
        timed(runs, [&] { findForm(model, FormTarget::ForceDensities); });
    const std::vector<double> floors = timed(runs, [&] {
        TangentFactor factor(matrix);
        factor.factorize(matrix, false);
    });
    std::printf("%d %d %.4f %.4f %.4f %.4f %.4f %.4f %.1f\n", cells, freeNodes, forms[0], forms[1],
                forms[2], floors[0], floors[1], floors[2], peakMebibytes());
    return 0;
}

// Median seconds of the ordering, factorisation and solve by `Factor`, with its solution.
template <typename Factor, typename Factorize>
std::vector<double> timedFactor(int runs, const SparseMatrix& tangent, const Eigen::VectorXd& load,
                                Factorize factorize, Eigen::VectorXd& solution) {
    std::unique_ptr<Factor> factor;
    const double ordering = timed(runs, [&] { factor = std::make_unique<Factor>(tangent); })[1];
    const double factorization = timed(runs, [&] { factorize(*factor); })[1];
    const double solving = timed(runs, [&] { solution = factor->solve(load); })[1];
    return {ordering, factorization, solving};
}

// Eigen's SimplicialLDLT, ordered once for the pattern as the solver's factor was before it
// factorised by supernodes.
struct Simplicial : Eigen::SimplicialLDLT<SparseMatrix, Eigen::Lower, FillReducingOrdering> {
    explicit Simplicial(const SparseMatrix& pattern) { analyzePattern(pattern); }
};

int benchFactorizations(int cells, int runs) {
    const Model model = net(cells, StrainLaw::Engineering, 1000);
    Structure structure(model);
    const SparseMatrix tangent =
        structure.tangentAt(Eigen::VectorXd::Zero(structure.unknownCount()), 0);
    // Any right-hand side: a solve costs the same whatever it solves for.
    const Eigen::VectorXd load = Eigen::VectorXd::LinSpaced(structure.unknownCount(), 1, 2);
    Eigen::VectorXd supernodal, simplicial;
    std::size_t entries = 0;
    double solvesPerFactorization = 0;
    const std::vector<double> ours = timedFactor<SupernodalLdlt>(
        runs, tangent, load,
        [&](SupernodalLdlt& factor) {
            factor.factorize(tangent);
            entries = factor.factorEntries();
            solvesPerFactorization = factor.solvesPerFactorization();
        },
        supernodal);
    std::printf("%d %d %.6f %.6f %.6f %zu %.1f", cells, structure.unknownCount(), ours[0], ours[1],
                ours[2], entries, peakMebibytes());
    const std::vector<double> eigens = timedFactor<Simplicial>(
        runs, tangent, load, [&](Simplicial& factor) { factor.factorize(tangent); }, simplicial);
    std::printf(" %.6f %.6f %.6f %.1f %.2e %.2f\n", eigens[0], eigens[1], eigens[2],
                peakMebibytes(), (supernodal - simplicial).norm() / simplicial.norm(),
                solvesPerFactorization);
    return 0;
}

int main(int argc, char** argv) {
    // <cells> <E|G> <runs> <initial force> <steps> [file], or snow <cells> <all|half> <runs>
    // <steps> [file]: the steps and the file in the same places.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 3 && arguments[0] == "form")
        return benchFormFinding(std::stoi(arguments[1]), std::stoi(arguments[2]));
    if (arguments.size() == 3 && arguments[0] == "factor")
        return benchFactorizations(std::stoi(arguments[1]), std::stoi(arguments[2]));
    SolverOptions options;
    while (!arguments.empty() && takeOption(arguments.back(), options))
        arguments.pop_back();
    const bool hyparNet = !arguments.empty() && arguments[0] == "snow";
    if (arguments.size() < 5 || (hyparNet && arguments[2] != "all" && arguments[2] != "half")) {
        std::fprintf(stderr, "ombrix_solver_bench <cells> <E|G> <runs> <initial force> <steps>"
                             " [deflections file]\n"
                             "ombrix_solver_bench snow <cells> <all|half> <runs> <steps>"
                             " [deflections file]\n");
        return 2;
    }
    const int cells = std::stoi(arguments[hyparNet ? 1 : 0]);
    const int runs = std::stoi(arguments[hyparNet ? 3 : 2]);
    const int steps = std::stoi(arguments[4]);
    const Model model =
        hyparNet ? hypar(cells)
                 : net(cells, arguments[1][0] == 'G' ? StrainLaw::Green : StrainLaw::Engineering,
                       std::stod(arguments[3]));
    const LoadCase loadCase =
        hyparNet ? snowOn(model, cells, arguments[2] == "half", steps) : snow(cells, steps);
    std::vector<double> seconds;
    Solution solution;
    for (int run = 0; run < std::max(1, runs); ++run) {
        const auto start = std::chrono::steady_clock::now();
        solution = solve(model, loadCase, {}, {}, options);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const int middle = nodeAt(cells, cells / 2, cells / 2);
    std::printf("%d %d %.4f %.4f %.4f %.1f %.9f %s %d %d %d\n", cells,
                3 * (cells - 1) * (cells - 1), seconds.front(), seconds[seconds.size() / 2],
                seconds.back(), peakMebibytes(), solution.displacements[middle][2],
                solution.status == SolutionStatus::Converged ? "converged" : "failed",
                solution.steps, solution.iterations, solution.factorizations);
    if (arguments.size() > 5) {
        FILE* file = std::fopen(arguments[5].c_str(), "w");
        for (std::size_t n = 0; file && n < solution.displacements.size(); ++n)
            std::fprintf(file, "%zu %.17g\n", n + 1, solution.displacements[n][2]);
        if (file)
            std::fclose(file);
    }
    return solution.status == SolutionStatus::Converged ? 0 : 1;
}
