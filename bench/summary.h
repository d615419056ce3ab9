#pragma once

// The figures of a benchmark run and the table they are reported in. Portable: the
// native unit tests check it.

#include <optional>
#include <string>
#include <vector>

namespace bench {

struct Spread {
    double min = 0, median = 0, max = 0;
};

// Min, median (the mean of the middle two of an even count) and max; zeros for no samples.
Spread spreadOf(std::vector<double> samples);

// One line of the table: the shell's samples against those of its baseline, whose
// medians' ratio must stay at or under `goal` when there is one.
struct Figure {
    std::string name;
    std::string unit;
    std::vector<double> shell;
    std::string baselineName = {}; // empty: the figure stands alone
    std::vector<double> baseline = {};
    std::optional<double> goal = {};
};

// The table as Markdown: figure, shell and baseline min/median/max, ratio of medians, goal,
// and whether it was met.
std::string formatTable(const std::vector<Figure>& figures);

} // namespace bench
