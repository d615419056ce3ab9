// The window of tables of results (PeakFinder's peaks and envelopes, CompoundPost's parts)
// in a list view, a row per line of the table shown; the View menu chooses the table when
// there are several. Copy puts the rows chosen, or all, on the clipboard as tab-separated
// lines under the columns' names; Save writes every table, one after another, as a CSV file.
#pragma once

#include "peak_table.h"
#include "prepared_analysis.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

// The commands of its menus, by the ids that WM_COMMAND carries: shared by the window and
// its tests.
enum TableCommand : unsigned {
    CloseTable = 102,
    SaveTable = 301,
    CopyRows,
    SelectAllRows,
    ExportRow,
    FirstSheet = 320, // the tables, in their order, from here on
};

struct TableSheet {
    std::string name; // in the View menu
    PeakTable table;
    bool lastRowInBold = false; // PeakFinder's envelope over the cases
};

struct TableWindow {
    std::string title;
    std::vector<TableSheet> sheets;             // the first shown first
    std::string folder;                         // where Save offers to put the file
    std::string tableName;                      // the file name it offers
    const PreparedAnalysis* analysis = nullptr; // the tables' own: Save never replaces its files
    // PeakFinder: File, Export writes a case; given the row chosen in the first table (an
    // index into its rows), when that table is shown and a row is chosen.
    std::function<void(HWND owner, std::optional<std::size_t> chosenRow)> exportRow;
};

// The tables as Save writes them: CSV, one after another.
std::string csvTextOf(const std::vector<TableSheet>& sheets);

// Shows the window until it is closed.
void showTableWindow(const TableWindow& contents);

} // namespace ombrix
