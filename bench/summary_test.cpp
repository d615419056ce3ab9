#include "summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BenchSummary, SpreadIsTheLeastTheMiddleAndTheMost) {
    const struct {
        std::vector<double> samples;
        bench::Spread spread;
    } cases[] = {
        {{5}, {5, 5, 5}},
        {{9, 1, 5}, {1, 5, 9}},
        {{4, 1, 3, 2}, {1, 2.5, 4}}, // an even count: the mean of the middle two
        {{}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        const bench::Spread spread = bench::spreadOf(c.samples);
        EXPECT_EQ(spread.min, c.spread.min);
        EXPECT_EQ(spread.median, c.spread.median);
        EXPECT_EQ(spread.max, c.spread.max);
    }
}

// The row of each figure after the table's two header lines; a ratio equal to the goal
// meets it.
TEST(BenchSummary, ARowComparesTheMediansWithTheGoal) {
    const struct {
        bench::Figure figure;
        std::string row;
    } cases[] = {
        {{"Start", "ms", {12, 10, 14}, "floor", {10}, 1.2},
         "| Start (ms) | 10.0 / 12.0 / 14.0 | floor | 10.0 / 10.0 / 10.0 | 1.20 | ≤ 1.20 | met |"},
        {{"Start", "ms", {13}, "floor", {10}, 1.2},
         "| Start (ms) | 13.0 / 13.0 / 13.0 | floor | 10.0 / 10.0 / 10.0 | 1.30 | ≤ 1.20 | "
         "**missed** |"},
        {{"Exit", "ms", {7}, "floor", {5}, {}},
         "| Exit (ms) | 7.0 / 7.0 / 7.0 | floor | 5.0 / 5.0 / 5.0 | 1.40 | — | — |"},
        {{.name = "Exit", .unit = "ms", .shell = {7}},
         "| Exit (ms) | 7.0 / 7.0 / 7.0 | — | — | — | — | — |"},
    };
    for (const auto& c : cases) {
        const std::string table = bench::formatTable({c.figure});
        const std::size_t rows = table.find('\n', table.find('\n') + 1) + 1;
        EXPECT_EQ(table.substr(rows), c.row + "\n");
    }
}

} // namespace
