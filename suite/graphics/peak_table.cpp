#include "peak_table.h"

#include "ticks.h"

namespace ombrix {
namespace {

constexpr int tableDigits = 6;

// The row's cells of a peak: its value, then where it is (with the case, in the envelope),
// then the components asked for; all empty when nothing has the peak.
void addPeak(TableRow& row, const Peak& peak, bool envelope, bool components = false) {
    const std::string where =
        std::to_string(peak.item) +
        (envelope ? " (case " + std::to_string(peak.loadCase) + ")" : std::string());
    row.push_back(peak.found ? significantText(peak.value, tableDigits) : "");
    row.push_back(peak.found ? where : "");
    if (components)
        for (const double component : peak.components)
            row.push_back(peak.found ? significantText(component, tableDigits) : "");
}

// Whether the case converged, and if not, at which load factor its state is, where known.
std::string convergedText(const CasePeaks& peaks) {
    if (peaks.converged)
        return "yes";
    return peaks.loadFactor
               ? "no (at load factor " + significantText(*peaks.loadFactor, tableDigits) + ")"
               : "no";
}

TableRow rowOf(const CasePeaks& peaks, bool envelope) {
    TableRow row{envelope ? "Envelope" : std::to_string(peaks.loadCase), convergedText(peaks)};
    addPeak(row, peaks.displacement, envelope, true);
    addPeak(row, peaks.tension, envelope);
    addPeak(row, peaks.compression, envelope);
    addPeak(row, peaks.reaction, envelope);
    row.push_back(significantText(peaks.slackCables.value, tableDigits) +
                  (envelope && peaks.slackCables.value > 0
                       ? " (case " + std::to_string(peaks.slackCables.loadCase) + ")"
                       : ""));
    return row;
}

// No cell holds a separator, a quote or a line break: none needs quoting.
std::string joined(const PeakTable& table, const std::vector<std::size_t>& chosen, char separator) {
    std::string text;
    const auto addRow = [&](const TableRow& row) {
        for (std::size_t k = 0; k < row.size(); ++k)
            text += (k ? std::string(1, separator) : std::string()) + row[k];
        text += "\r\n";
    };
    addRow(table.columns);
    if (chosen.empty())
        for (const TableRow& row : table.rows)
            addRow(row);
    for (const std::size_t k : chosen)
        addRow(table.rows.at(k));
    return text;
}

} // namespace

PeakTable peakTable(const std::vector<CasePeaks>& cases) {
    PeakTable table{{"Case", "Converged", "Largest displacement", "at node", "ux", "uy", "uz",
                     "Largest tension", "in member", "Largest compression", "in member",
                     "Largest reaction", "at node", "Slack cables"},
                    {}};
    for (const CasePeaks& peaks : cases)
        table.rows.push_back(rowOf(peaks, false));
    table.rows.push_back(rowOf(envelopeOf(cases), true));
    return table;
}

std::string csvText(const PeakTable& table) {
    return joined(table, {}, ',');
}

std::string tabText(const PeakTable& table, const std::vector<std::size_t>& chosen) {
    return joined(table, chosen, '\t');
}

} // namespace ombrix
