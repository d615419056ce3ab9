#include "checked_answer.h"

#include "node_balance.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace ombrix {
namespace {

// The members whose force the rounding of their elongation blurs by more than the
// out-of-balance force aimed at, the most blurred first, with that blur.
std::vector<std::pair<int, double>> unresolvedMembers(const LoadedStructure& loaded,
                                                      const State& last) {
    const std::vector<double> roundings = loaded.structure().forceRoundings(last.unknowns);
    const double target = loaded.targetAt(last.loadFactor);
    std::vector<std::pair<int, double>> members;
    for (std::size_t m = 0; m < roundings.size(); ++m)
        if (loaded.options().roundingFloorFactor * roundings[m] > target)
            members.emplace_back(static_cast<int>(m),
                                 loaded.options().roundingFloorFactor * roundings[m]);
    std::stable_sort(members.begin(), members.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return members;
}

// Where a case failed, the member too stiff to be resolved that may be why: the first of the
// unresolved, or else the stiffest where it is too stiff for the factorisation to see the
// members beside it. A mechanism seen beside such a member may be the factorisation's
// rounding alone.
void nameStiffMember(const LoadedStructure& loaded, Solution& solution,
                     const std::vector<std::pair<int, double>>& unresolved) {
    std::vector<double> stiffness;
    for (const Member& each : loaded.model().members)
        stiffness.push_back(each.axialStiffness / lengthOf(loaded.model(), each));
    const int member = unresolved.empty()
                           ? static_cast<int>(std::max_element(stiffness.begin(), stiffness.end()) -
                                              stiffness.begin())
                           : unresolved.front().first;
    const double own = stiffness[member];
    const auto median = stiffness.begin() + static_cast<std::ptrdiff_t>(stiffness.size() - 1) / 2;
    std::nth_element(stiffness.begin(), median, stiffness.end());
    const double ratio = own / *median;
    if (unresolved.empty() && !(ratio * vanishingPivot > loaded.options().beyondTheFactor))
        return;
    solution.stiffMember = member;
    solution.stiffnessRatio = ratio;
    if (solution.status == SolutionStatus::Mechanism)
        solution.status = SolutionStatus::NotConverged;
}

// A converged state whose unresolved members' forces its balance leaves open is no answer.
void takeForcesFromBalance(const LoadedStructure& loaded, Solution& solution,
                           const std::vector<std::pair<int, double>>& unresolved) {
    std::vector<Eigen::Vector3d> loads;
    for (const Eigen::Vector3d& load : loaded.nodeLoads())
        loads.emplace_back(solution.loadFactor * load);
    std::vector<int> members;
    std::vector<double> roundings;
    for (const auto& [member, rounding] : unresolved) {
        members.push_back(member);
        roundings.push_back(rounding);
    }
    const ForcesFromBalance found =
        balanceForces(loaded.model(), solution.displacements, loads, members, solution.tolerance,
                      solution.axialForces, roundings);
    solution.forcesFromBalance = found.members;
    if (found.undetermined >= 0) {
        solution.status = SolutionStatus::NotConverged;
        nameStiffMember(loaded, solution, {{found.undetermined, 0}});
    }
}

// The balance of an answer recomputed from what is written of it, apart from the iteration
// that found it: at every node the load, the reaction and the member forces in the
// displaced geometry sum to zero within the tolerance and the rounding of the forces that
// meet there.
bool balanced(const LoadedStructure& loaded, const Solution& solution) {
    const std::vector<Eigen::Vector3d> pulls =
        memberPulls(loaded.model(), solution.displacements, solution.axialForces);
    std::vector<double> meeting(loaded.model().nodes.size(), 0);
    for (std::size_t m = 0; m < loaded.model().members.size(); ++m)
        for (int end : {loaded.model().members[m].first, loaded.model().members[m].second})
            meeting[end] += std::abs(solution.axialForces[m]);
    for (std::size_t node = 0; node < pulls.size(); ++node) {
        const Eigen::Vector3d load = solution.loadFactor * loaded.nodeLoads()[node];
        const Eigen::Vector3d sum =
            load + pulls[node] + Eigen::Map<const Eigen::Vector3d>(solution.reactions[node].data());
        const double rounding = loaded.options().roundingFloorFactor *
                                std::numeric_limits<double>::epsilon() *
                                (meeting[node] + load.cwiseAbs().sum());
        if (!(sum.cwiseAbs().maxCoeff() <= 2 * solution.tolerance + rounding))
            return false;
    }
    return true;
}

} // namespace

Solution checkedAnswer(const LoadedStructure& loaded, const State& last, Solution solution) {
    solution.tolerance = loaded.targetAt(last.loadFactor);
    solution.displacements = loaded.displacementsAt(last);
    solution.axialForces = last.sums.axialForces;
    const std::vector<std::pair<int, double>> unresolved = unresolvedMembers(loaded, last);
    if (solution.status == SolutionStatus::Converged && !unresolved.empty())
        takeForcesFromBalance(loaded, solution, unresolved);
    else if (solution.status != SolutionStatus::Converged)
        nameStiffMember(loaded, solution, unresolved);
    const std::vector<Eigen::Vector3d> pulls =
        memberPulls(loaded.model(), solution.displacements, solution.axialForces);
    const Structure& structure = loaded.structure();
    for (std::size_t node = 0; node < loaded.nodeLoads().size(); ++node)
        solution.reactions.push_back(
            pointOf(-(pulls[node] + last.loadFactor * loaded.nodeLoads()[node])));
    for (int k = 0; k < structure.unknownCount(); ++k)
        solution.reactions[structure.unknown(k).node][structure.unknown(k).axis] = 0;
    if (solution.status == SolutionStatus::Converged && !balanced(loaded, solution))
        solution.status = SolutionStatus::Unbalanced;
    return solution;
}

} // namespace ombrix
