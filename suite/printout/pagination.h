// A text laid out on the pages of a printer in a fixed-pitch font, as Printout shows and
// prints it: the text area from the sheet and its margins, the characters of a line and
// the lines of a page from the font's cell, and the text cut into pages. Lines longer than
// the page are wrapped, never cut: an output table's last columns still reach the paper,
// on a continuation line that begins with a mark. Tabs stand at every 8 columns, a form
// feed starts a new page, and each page begins with a header line and a blank one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

// A sheet as the printer reports it, in its own device units: the whole sheet, the
// printable part of it and where that begins, and the resolution.
struct Paper {
    int width = 0;
    int height = 0;
    int printableLeft = 0;
    int printableTop = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int dotsPerInchX = 0;
    int dotsPerInchY = 0;
};

// A rectangle in the coordinates of the printable part, where the printer draws.
struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The text's area: `marginInches` in from every edge of the sheet, and never beyond the
// printable part.
Area textAreaOf(const Paper& paper, double marginInches);

// Characters of a line and lines of a page, the header's lines included.
struct PageLayout {
    int columns = 0;
    int lines = 0;
};

inline constexpr int headerLines = 2; // the header, then a blank line
inline constexpr std::string_view continuationMark = "> ";

// How many cells of the font fit in the area; never fewer than a page needs to hold a
// header, one line of text and a continuation line.
PageLayout layoutOf(const Area& area, int cellWidth, int lineHeight);

// The lines of text of each page, tabs expanded and long lines wrapped, without the
// header. Lines end in CR LF, LF or CR; the text may begin with a UTF-8 byte-order mark,
// and UTF-8 characters count as one column each. An empty text is one empty page.
// A line too long is wrapped after its last blank that fits, so that no number or word is
// split, or at the page's edge where it has none.
using Page = std::vector<std::string>;
std::vector<Page> paginate(std::string_view text, PageLayout layout);

// The columns of the text's widest line, tabs expanded: what a page must hold to wrap none.
int widestLine(std::string_view text);

// "<file name>   <date>   Page <n> of <m>" in `columns` characters: the name on the left,
// cut at its front when there is no room, the rest on the right.
std::string pageHeader(std::string_view fileName, std::string_view date, int page, int pages,
                       int columns);

// The pages asked for (counted from 1) that the text has; `from` > `to` when none.
struct PageRange {
    int from = 1;
    int to = 0;
};
PageRange pagesToPrint(int pages, int from, int to);

} // namespace ombrix
