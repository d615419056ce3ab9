// What Charts shows: the path Solve records for the von Mises truss pushed past its limit
// load, against the truss's closed form, with the snap-through marked at the limit load;
// and the members' forces merged per pixel column.

#include "charts.h"
#include "folder_storage.h"
#include "runs.h"
#include "von_mises.h"

#include <gtest/gtest.h>

namespace ombrix {
namespace {

constexpr double fullLoad = 3.5e8;
constexpr std::size_t apex = 1; // node 2

// The truss loaded down to 3.5e8 N in ten load steps by the real Prepare, Forces and Solve,
// from an Exe folder beside it.
class VonMisesPath : public InstallationTest {
  protected:
    void SetUp() override {
        InstallationTest::SetUp();
        storage_.replace("../Dat/truss.dat", vonMises());
        storage_.replace("../Dat/truss.inc", "Down\r\n1\r\n0\r\n1 1 10\r\n2 0 0 -3.5e8\r\n");
        ASSERT_EQ(
            prepareAnalysis(storage_, {"../Dat/truss.dat", "../Dat/truss.rez", "Short", "English"})
                .exitCode,
            0);
        ASSERT_EQ(prepareLoads(storage_, "../Dat/truss.inc").exitCode, 0);
        ASSERT_EQ(solveLoadCases(storage_, {"1"}).exitCode, 0);
    }
};

TEST_F(VonMisesPath, EveryStateLiesOnTheClosedFormAndTheSnapThroughStartsAtTheLimitLoad) {
    const CaseCharts charts = readCaseCharts(storage_, openSolvedAnalysis(storage_), 1);
    ASSERT_TRUE(charts.path.converged);
    EXPECT_EQ(nodeOfLargestDisplacement(charts.path), apex);
    EXPECT_EQ(componentOfLargestChange(charts.path, apex), Component::Z);
    const std::vector<PathPoint> points = nodePath(charts.path, apex, Component::Z);
    ASSERT_GE(points.size(), 11u) << "the unloaded state and ten load steps at least";
    for (const PathPoint& point : points)
        EXPECT_NEAR(point.loadFactor * fullLoad, vonMisesLoad(-point.displacement),
                    1e-5 * vonMisesLimit())
            << "at " << point.displacement;
    EXPECT_EQ(points.back().loadFactor, 1);

    const std::vector<CriticalMark> marks = criticalMarks(charts.path);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].kind, CriticalPoint::LimitPoint);
    EXPECT_FALSE(marks[0].stopped);
    EXPECT_NEAR(points[marks[0].point].loadFactor * fullLoad, vonMisesLimit(),
                1e-6 * vonMisesLimit());
    EXPECT_GT(-points[marks[0].landed].displacement, 2 * vonMisesZ)
        << "it snaps through to below the supports";
}

struct Merge {
    const char* what;
    std::vector<double> forces;
    std::size_t columns;
    std::vector<ForceColumn> merged;
};

TEST(ForceChart, MergesTheMembersOfEachPixelColumnIntoTheirLargestTensionAndCompression) {
    const Merge rows[] = {
        {"ten members in three columns",
         {1, -2, 3, -4, 5, -6, 7, -8, 9, -10},
         3,
         {{-4, 3}, {-6, 7}, {-10, 9}}},
        {"tension only", {2, 4, 1}, 1, {{0, 4}}},
        {"compression only", {-2, -4}, 1, {{-4, 0}}},
        {"a column for each member", {3, -1}, 2, {{0, 3}, {-1, 0}}},
        {"more columns than members", {3, -1}, 4, {{0, 3}, {0, 0}, {-1, 0}, {0, 0}}},
    };
    for (const Merge& row : rows)
        EXPECT_EQ(forceColumns(row.forces, row.columns), row.merged) << row.what;

    std::vector<double> net(180'600, 1);
    net[123'456] = 50;
    net.back() = -7;
    const std::vector<ForceColumn> columns = forceColumns(net, 900);
    EXPECT_EQ(columns[615], (ForceColumn{0, 50})) << "123,456 / 180,600 of the way";
    EXPECT_EQ(columns.back(), (ForceColumn{-7, 1}));
    EXPECT_EQ(columns.front(), (ForceColumn{0, 1}));
}

} // namespace
} // namespace ombrix
