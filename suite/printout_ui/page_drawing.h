// A text's pages on a device: laid out with the device's own paper and font metrics, drawn
// page by page on a printer, or on the screen scaled to a sheet of the same paper, so that
// the preview shows what the printer prints.
#pragma once

#include "pagination.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

// The type's sizes, in points: the largest at which a text's widest line fits the page is
// chosen unless the user chose one.
inline constexpr int largestPoints = 10;
inline constexpr int smallestPoints = 5;

struct LaidOutText {
    Paper paper;
    Area area;
    int points = largestPoints;
    int fontHeight = 0; // of the font at that size, in the paper's device units
    int lineHeight = 0;
    PageLayout layout;
    std::vector<Page> pages;
    std::string printer; // empty: no printer, a nominal A4 sheet
};

// The text on the paper of a printer's DC, or of a nominal A4 sheet when it is null, in the
// type size given, or else the largest at which its widest line fits (or the smallest).
LaidOutText laidOut(HDC printer, const std::string& printerName, std::string_view text,
                    std::optional<int> points = {});

// The text on the default printer's paper, or on a nominal A4 sheet when there is none.
LaidOutText laidOutForDefaultPrinter(std::string_view text, std::optional<int> points = {});

// What the header names.
struct PageTitle {
    std::string fileName;
    std::string date;
};
std::string today(); // "2026-12-09 14:05", local time

// The page (from 0) with its header, in a DC whose logical units are the paper's device
// units with the origin at the printable part's corner.
void drawPage(HDC dc, const LaidOutText& text, std::size_t page, const PageTitle& title);

// The pages of the range on the printer, into `outputFile` when it is not empty. Empty when
// printed; otherwise what went wrong.
std::string printPages(HDC printer, const LaidOutText& text, PageRange range,
                       const PageTitle& title, const std::string& outputFile);

} // namespace ombrix
