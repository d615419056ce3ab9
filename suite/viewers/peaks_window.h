// PeakFinder's window: the table of peaks in a list view, a row per solved case and the
// envelope's last. Copy puts the rows chosen, or all, on the clipboard as tab-separated
// lines under the columns' names; Save writes the whole table as a CSV file.
#pragma once

#include "peak_table.h"

#include <string>

namespace ombrix {

struct PeakWindow {
    std::string title;
    PeakTable table;
    std::string folder;    // where Save offers to put the file
    std::string tableName; // the file name it offers
    bool lastRowInBold = true; // the envelope's row
};

// Shows the window until it is closed.
void showPeakWindow(const PeakWindow& contents);

} // namespace ombrix
