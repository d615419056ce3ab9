// The window of a table of results (PeakFinder's peaks, CompoundPost's parts) in a list
// view, a row per line of the table. Copy puts the rows chosen, or all, on the clipboard as
// tab-separated lines under the columns' names; Save writes the whole table as a CSV file.
#pragma once

#include "peak_table.h"

#include <string>

namespace ombrix {

struct TableWindow {
    std::string title;
    PeakTable table;
    std::string folder;        // where Save offers to put the file
    std::string tableName;     // the file name it offers
    bool lastRowInBold = true; // PeakFinder's envelope
};

// Shows the window until it is closed.
void showTableWindow(const TableWindow& contents);

} // namespace ombrix
