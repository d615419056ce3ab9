// PeakFinder's table: a row per solved case and the envelope's row over all of them,
// each peak with its node or member (and, in the envelope, its case), as texts; and the
// table as CSV and as tab-separated lines for the clipboard, with the columns' names
// first.
#pragma once

#include "peaks.h"

#include <string>
#include <vector>

namespace ombrix {

using TableRow = std::vector<std::string>;

struct PeakTable {
    TableRow columns;
    std::vector<TableRow> rows; // the cases in their order, then the envelope
};

PeakTable peakTable(const std::vector<CasePeaks>& cases);

// The envelope of each member (its largest tension and compression with their cases, and
// the cases in which it is slack) and of each node (its largest displacement and its case).
PeakTable memberEnvelopeTable(const ItemEnvelopes& envelopes);
PeakTable nodeEnvelopeTable(const ItemEnvelopes& envelopes);

// Lines ending in CR LF: the whole table, or the tables one after another with a blank line
// between them; and the rows chosen (indices into table.rows) or, when none is, all of them.
std::string csvText(const PeakTable& table);
std::string csvText(const std::vector<PeakTable>& tables);
std::string tabText(const PeakTable& table, const std::vector<std::size_t>& chosen);

} // namespace ombrix
