#include "summary.h"

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f", value);
    return text;
}

std::string spreadText(const std::vector<double>& samples) {
    if (samples.empty())
        return "—";
    const Spread spread = spreadOf(samples);
    return number(spread.min) + " / " + number(spread.median) + " / " + number(spread.max);
}

std::string ratioText(const Figure& figure, std::optional<double> ratio) {
    if (!ratio)
        return "| — | — | — |";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", *ratio);
    if (!figure.goal)
        return std::string("| ") + text + " | — | — |";
    char goal[32];
    std::snprintf(goal, sizeof(goal), "≤ %.2f", *figure.goal);
    return std::string("| ") + text + " | " + goal + " | " +
           (*ratio <= *figure.goal ? "met" : "**missed**") + " |";
}

std::optional<double> ratioOf(const Figure& figure) {
    if (figure.shell.empty() || figure.baseline.empty())
        return std::nullopt;
    const double baseline = spreadOf(figure.baseline).median;
    if (baseline <= 0)
        return std::nullopt;
    return spreadOf(figure.shell).median / baseline;
}

} // namespace

Spread spreadOf(std::vector<double> samples) {
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    const double median =
        samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    return {samples.front(), median, samples.back()};
}

std::string formatTable(const std::vector<Figure>& figures) {
    std::string table = "| Figure | Shell min / median / max | Baseline | Baseline min / median / "
                        "max | Ratio of medians | Goal | |\n"
                        "|---|---|---|---|---|---|---|\n";
    for (const Figure& figure : figures)
        table += "| " + figure.name + " (" + figure.unit + ") | " + spreadText(figure.shell) +
                 " | " + (figure.baselineName.empty() ? "—" : figure.baselineName) + " | " +
                 spreadText(figure.baseline) + " " + ratioText(figure, ratioOf(figure)) + "\n";
    return table;
}

} // namespace bench
