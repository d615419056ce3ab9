// Cases that come after another: Solve starts each from the end state of the case it names,
// solving that case first where its results are not current, and its answers agree with the
// closed forms and with the same loads applied from rest where the structure has one
// equilibrium only.

#include "closed_forms.h"
#include "folder_storage.h"
#include "geometry.h"
#include "handoff/handoff.h"
#include "results_file.h"
#include "runs.h"
#include "test_names.h"
#include "von_mises.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace ombrix {
namespace {

// An analysis of a geometry and a loading, prepared, loaded and solved on a folder.
class History : public InstallationTest {
  protected:
    RunOutcome load(const std::string& geometry, const std::string& loading) {
        EXPECT_TRUE(storage_.replace("../Dat/h.dat", geometry));
        EXPECT_TRUE(storage_.replace("../Dat/h.inc", loading));
        EXPECT_EQ(prepareAnalysis(storage_, {"../Dat/h.dat", "../Dat/h.rez", "Short", "English"})
                      .exitCode,
                  0);
        return prepareLoads(storage_, "../Dat/h.inc");
    }
    RunOutcome solveAfterLoading(const std::string& geometry, const std::string& loading,
                                 const std::vector<std::string>& cases) {
        EXPECT_EQ(load(geometry, loading).exitCode, 0);
        return solveLoadCases(storage_, cases);
    }
    CaseResults results(const std::string& geometry, int loadCase) {
        const std::string file = "../Dat/h.dat.work/" + std::to_string(loadCase) + ".res";
        return readResults(storage_.read(file).value_or(""), readGeometry(geometry));
    }
    std::string output() { return storage_.read("../Dat/h.rez").value_or(""); }
};

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

// Case 1 pushes the truss past its limit load, so that it snaps through; case 2 takes part of
// that load off again, and case 3 applies what is left from rest.
const std::string snapThenUnload = "Truss\n3\n0\n"
                                   "1 1 1\n2 0 0 -3.5e8\n"
                                   "2 1 0\n2 0 0 1.5e8\nafter 1\n"
                                   "3 1 0\n2 0 0 -2e8\n";

// The apex's deflection under the load left, 2e8 down: on the far branch, where the bars
// pull (below twice the rise), and on the near one, before the limit point.
double farBranch() {
    return root([](double w) { return vonMisesLoad(w) - 2e8; }, 2 * vonMisesZ, 4 * vonMisesZ);
}
double nearBranch() {
    const double l = std::cbrt(2 * vonMisesX * vonMisesX);
    const double limit = vonMisesZ - std::sqrt(l * l - vonMisesX * vonMisesX);
    return root([](double w) { return vonMisesLoad(w) - 2e8; }, 0, limit);
}

struct Branch {
    const char* name;
    int loadCase;
    double (*deflection)();
};

const Branch branches[] = {
    {"after the snap stays on the far branch", 2, farBranch},
    {"from rest stays on the near branch", 3, nearBranch},
};

class SnapThenUnload : public History, public testing::WithParamInterface<Branch> {};

TEST_P(SnapThenUnload, EndsOnTheBranchItsHistoryReached) {
    ASSERT_EQ(solveAfterLoading(vonMises(), snapThenUnload, {"2", "3"}).exitCode, 0);
    const CaseResults solved = results(vonMises(), GetParam().loadCase);
    ASSERT_TRUE(solved.converged);
    EXPECT_LT(relative(-solved.displacements[1][2], GetParam().deflection()), 1e-7);
}

INSTANTIATE_TEST_SUITE_P(History, SnapThenUnload, testing::ValuesIn(branches), rowName<Branch>);

TEST_F(History, SolvesTheCaseBeforeOnlyWhereItsResultsAreNotCurrent) {
    ASSERT_EQ(solveAfterLoading(vonMises(), snapThenUnload, {"2"}).exitCode, 0);
    EXPECT_TRUE(results(vonMises(), 1).converged);
    const std::string solvedFirst = "Case 2 starts from the end state of case 1, whose results "
                                    "are missing or out of date: case 1 is solved first.";
    EXPECT_EQ(count(output(), solvedFirst), 1);
    EXPECT_EQ(count(output(), "After case 1: from its end state"), 2) << "loading and case 2";
    EXPECT_EQ(count(output(), "Load cases reported: 1, 2"), 1);
    EXPECT_NE(storage_.read("../Dat/h.dat.work/2.pth").value_or("").find("nodes 3\r\nstate 0\r\n"),
              std::string::npos)
        << "its path starts where case 1 ended";
    ASSERT_EQ(solveLoadCases(storage_, {"2"}).exitCode, 0);
    EXPECT_EQ(count(output(), solvedFirst), 1) << "case 1's results are current";
    ASSERT_EQ(solveLoadCases(storage_, {"2", "1"}).exitCode, 0);
    EXPECT_EQ(count(output(), solvedFirst), 2) << "asked for, case 1 is solved anew first";
    EXPECT_EQ(count(output(), "Load cases reported: 1, 2"), 2) << "and only once";
}

TEST_F(History, ACaseCannotStartFromOneThatDidNotConverge) {
    const std::string loose = "Loose node\n3 1\n1 0 0 0 1 1 1\n2 1 0 0 0 1 1\n3 2 0 0 0 0 0\n"
                              "1 1 2 B 1e6 0\n";
    const RunOutcome outcome = solveAfterLoading(
        loose, "Push\n2\n0\n1 2 0\n2 1 0 0\n3 0 1 0\n2 1 0\n2 1 0 0\nafter 1\n", {"2"});
    EXPECT_EQ(outcome.exitCode, handoff::stepNotConverged);
    const std::string refusal =
        "2.unf, line 3: case 2 cannot start from case 1, which did not converge";
    EXPECT_NE(outcome.failure.find(refusal), std::string::npos) << outcome.failure;
    EXPECT_NE(output().find("Load case 2\r\n"), std::string::npos);
    EXPECT_FALSE(storage_.read("../Dat/h.dat.work/2.res"));
}

TEST_F(History, ForcesDoesNotPrepareACaseAfterOneItCannot) {
    const RunOutcome forces = load(vonMises(), "Truss\n2\n0\n1 1 0\n9 0 0 -1\n2 0 0\nafter 1\n");
    EXPECT_NE(forces.failure.find("line 7: case 2 starts after case 1, which cannot be solved"),
              std::string::npos)
        << forces.failure;
    EXPECT_FALSE(storage_.read("../Dat/h.dat.work/2.unf"));
}

// A prestressed net of 2 x 2 cells, 1 wide, held all round: its cables have one
// equilibrium under any loads, however they came on.
std::string net() {
    std::string text = "Net\n9 12\n";
    for (int node = 0; node < 9; ++node)
        text += std::to_string(node + 1) + " " + std::to_string(node % 3) + " " +
                std::to_string(node / 3) + (node == 4 ? " 0 0 0 0\n" : " 0 1 1 1\n");
    int member = 0;
    for (int row = 0; row < 3; ++row)
        for (int step = 0; step < 2; ++step)
            for (const int across : {0, 1}) {
                const int from = across ? 3 * step + row : 3 * row + step;
                const int to = from + (across ? 3 : 1);
                text += std::to_string(++member) + " " + std::to_string(from + 1) + " " +
                        std::to_string(to + 1) + " C 1e4 10\n";
            }
    return text;
}

// Case 3 comes after 2, which comes after 1; case 4 applies all their loads at once.
const std::string chain = "Chain\n4\n0\n"
                          "1 0 0\nweight 0.3\ntemperature 10 1e-5 cables\n"
                          "2 0 0\nsnow 2\nsettle 1 0 0 -0.01\nafter 1\n"
                          "3 1 0\n5 0.5 0 -1\nafter 2\n"
                          "4 1 0\n5 0.5 0 -1\nweight 0.3\ntemperature 10 1e-5 cables\n"
                          "snow 2\nsettle 1 0 0 -0.01\n";

TEST_F(History, AChainOfCasesEndsWhereTheirSummedLoadsDo) {
    ASSERT_EQ(solveAfterLoading(net(), chain, {"3", "4"}).exitCode, 0);
    const CaseResults last = results(net(), 3), summed = results(net(), 4);
    ASSERT_TRUE(last.converged && summed.converged);
    for (std::size_t node = 0; node < 9; ++node)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(last.displacements[node][axis], summed.displacements[node][axis], 1e-9)
                << node + 1 << " " << axis;
    for (std::size_t member = 0; member < 12; ++member)
        EXPECT_NEAR(last.axialForces[member], summed.axialForces[member], 1e-9 * 10) << member + 1;
    EXPECT_NE(summed.displacements[4][2], 0);
    EXPECT_EQ(last.displacements[0][2], -0.01) << "the settlement held";
    EXPECT_NE(output().find("Load cases reported: 1, 2, 3, 4"), std::string::npos);
}

} // namespace
} // namespace ombrix
