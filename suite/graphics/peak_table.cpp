#include "peak_table.h"

#include "ticks.h"

namespace ombrix {
namespace {

constexpr int tableDigits = 6;

void addComponents(TableRow& row, const Peak& peak) {
    for (const double component : peak.components)
        row.push_back(peak.found ? significantText(component, tableDigits) : "");
}

// The row's cells of a peak: its value, then where it is (with the case, in the envelope),
// then the components asked for; all empty when nothing has the peak.
void addPeak(TableRow& row, const Peak& peak, bool envelope, bool components = false) {
    const std::string where =
        std::to_string(peak.item) +
        (envelope ? " (case " + std::to_string(peak.loadCase) + ")" : std::string());
    row.push_back(peak.found ? significantText(peak.value, tableDigits) : "");
    row.push_back(peak.found ? where : "");
    if (components)
        addComponents(row, peak);
}

// The cells of a peak of one item: its value and its case; both empty when it has none.
void addPeakWithCase(TableRow& row, const Peak& peak) {
    row.push_back(peak.found ? significantText(peak.value, tableDigits) : "");
    row.push_back(peak.found ? std::to_string(peak.loadCase) : "");
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

PeakTable memberEnvelopeTable(const ItemEnvelopes& envelopes) {
    PeakTable table{{"Member", "Largest tension", "in case", "Largest compression", "in case",
                     "Slack in cases"},
                    {}};
    for (std::size_t m = 0; m < envelopes.members.size(); ++m) {
        const MemberEnvelope& envelope = envelopes.members[m];
        TableRow row{std::to_string(m + 1)};
        addPeakWithCase(row, envelope.tension);
        addPeakWithCase(row, envelope.compression);
        std::string slack;
        for (const int loadCase : envelope.slackCases)
            slack += (slack.empty() ? "" : " ") + std::to_string(loadCase);
        row.push_back(slack);
        table.rows.push_back(std::move(row));
    }
    return table;
}

PeakTable nodeEnvelopeTable(const ItemEnvelopes& envelopes) {
    PeakTable table{{"Node", "Largest displacement", "in case", "ux", "uy", "uz"}, {}};
    for (std::size_t n = 0; n < envelopes.displacements.size(); ++n) {
        const Peak& peak = envelopes.displacements[n];
        TableRow row{std::to_string(n + 1)};
        addPeakWithCase(row, peak);
        addComponents(row, peak);
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string csvText(const PeakTable& table) {
    return joined(table, {}, ',');
}

std::string csvText(const std::vector<PeakTable>& tables) {
    std::string text;
    for (const PeakTable& table : tables)
        text += (text.empty() ? "" : "\r\n") + csvText(table);
    return text;
}

std::string tabText(const PeakTable& table, const std::vector<std::size_t>& chosen) {
    return joined(table, chosen, '\t');
}

} // namespace ombrix
