// The layout of a text on printed pages: the text area of a sheet, the cells that fit in
// it, the pages of edge-case texts, the header and the range of pages to print.

#include "pagination.h"
#include "test_names.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace ombrix {
namespace {

// The pages as one string: lines joined by '\n', pages by '\f'.
std::string shown(const std::vector<Page>& pages) {
    std::string all;
    for (const Page& page : pages) {
        if (&page != &pages.front())
            all += '\f';
        for (const std::string& line : page)
            all += (&line != &page.front() ? "\n" : "") + line;
    }
    return all;
}

const std::string twenty(20, 'a');
const std::string eighteen(18, 'b');

struct PaginationCase {
    const char* name;
    std::string text;
    std::string pages;
};

// 20 columns, 5 lines: 3 lines of text under the header on each page.
const PaginationCase paginationCases[] = {
    {"empty text", "", ""},
    {"exact fit", "1\n2\n3\n", "1\n2\n3"},
    {"one line too many", "1\n2\n3\n4\n", "1\n2\n3\f4"},
    {"last line without line end", "1\n2\n3\n4", "1\n2\n3\f4"},
    {"CR LF line ends", "1\r\n2\r\n3\r\n4\r\n", "1\n2\n3\f4"},
    {"CR line ends", "1\r2\r3\r4\r", "1\n2\n3\f4"},
    {"blank lines kept", "1\n\n\n4", "1\n\n\f4"},
    {"byte-order mark dropped",
     "\xEF\xBB\xBF"
     "1",
     "1"},
    {"line of exactly the width", twenty, twenty},
    {"long line wrapped with marks", twenty + eighteen + "ccc",
     twenty + "\n> " + eighteen + "\n> ccc"},
    {"wrapped line across pages", "1\n2\n" + twenty + "b", "1\n2\n" + twenty + "\f> b"},
    {"tab to column 8", "a\tb", "a       b"},
    {"tab at a stop moves a full stop", "12345678\tx", "12345678        x"},
    {"tabs expanded before wrapping", "\t\t\tx", std::string(20, ' ') + "\n>     x"},
    {"form feed between lines", "1\f2", "1\f2"},
    {"form feed on its own line", "1\n\f\n2", "1\f2"},
    {"form feed at the start", "\f1", "1"},
    {"form feeds together", "1\f\f2", "1\f2"},
    {"form feed at the end", "1\f\n", "1"},
    {"form feed on a full page", "1\n2\n3\f4", "1\n2\n3\f4"},
    {"numbers never split", "EA 1   12.5  100000000", "EA 1   12.5  \n> 100000000"},
    {"a blank at the edge", "1234567890123456789 12345", "1234567890123456789 \n> 12345"},
    {"UTF-8 letters one column each", std::string(21, 'x').replace(0, 1, "\xC3\xA9"),
     "\xC3\xA9" + std::string(19, 'x') + "\n> x"},
};

class Pagination : public testing::TestWithParam<PaginationCase> {};

TEST_P(Pagination, Pages) {
    EXPECT_EQ(shown(paginate(GetParam().text, {20, 5})), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(Texts, Pagination, testing::ValuesIn(paginationCases),
                         rowName<PaginationCase>);

TEST(WidestLine, CountsColumnsAfterTabsAndFormFeeds) {
    EXPECT_EQ(widestLine(""), 0);
    EXPECT_EQ(widestLine("ab\r\n\tx\nabc"), 9);
    EXPECT_EQ(widestLine("12\f1234\n\xC3\xA9"), 4);
}

TEST(LongText, FillsEveryPageButTheLast) {
    std::string text;
    for (int line = 1; line <= 100; ++line)
        text += std::to_string(line) + "\n";
    const std::vector<Page> pages = paginate(text, {80, 62});
    ASSERT_EQ(pages.size(), 2u); // 60 lines of text on a page
    EXPECT_EQ(pages[0].back(), "60");
    EXPECT_EQ(pages[1].size(), 40u);
}

TEST(PaperArea, MarginsFromTheSheetsEdgesWithinThePrintablePart) {
    // A4 at 600 dpi, 100 dots unprintable at each edge.
    const Paper a4{4960, 7016, 100, 100, 4760, 6816, 600, 600};
    struct {
        double margin;
        Area area;
    } cases[] = {
        {0.75, {450 - 100, 450 - 100, 4960 - 2 * 450, 7016 - 2 * 450}},
        {0.1, {0, 0, 4760, 6816}},
        {0.0, {0, 0, 4760, 6816}},
    };
    for (const auto& [margin, area] : cases) {
        const Area found = textAreaOf(a4, margin);
        EXPECT_EQ(std::tie(found.left, found.top, found.width, found.height),
                  std::tie(area.left, area.top, area.width, area.height))
            << margin;
    }
}

TEST(PaperArea, CellsThatFitAndTheLeastAPageHolds) {
    struct {
        Area area;
        int cellWidth, lineHeight;
        int columns, lines;
    } cases[] = {
        {{0, 0, 4060, 6116}, 60, 100, 67, 61},
        {{0, 0, 600, 600}, 60, 100, 20, 6},
        {{0, 0, 10, 10}, 60, 100, 20, headerLines + 2},
        {{0, 0, 4060, 6116}, 0, 0, 20, headerLines + 2},
    };
    for (const auto& c : cases) {
        const PageLayout layout = layoutOf(c.area, c.cellWidth, c.lineHeight);
        EXPECT_EQ(layout.columns, c.columns) << c.area.width;
        EXPECT_EQ(layout.lines, c.lines) << c.area.height;
    }
}

TEST(PageHeader, NameOnTheLeftPageOnTheRight) {
    struct {
        const char* name;
        int columns;
        std::string header;
    } cases[] = {
        {"Out.rez", 40, "Out.rez" + std::string(9, ' ') + "2026-12-09   Page 2 of 5"},
        {"A long output name.rez", 40, "...t name.rez   2026-12-09   Page 2 of 5"},
        {"Out.rez", 26, "  2026-12-09   Page 2 of 5"},
        {"Out.rez", 10, "2026-12-09"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageHeader(c.name, "2026-12-09", 2, 5, c.columns), c.header) << c.name;
}

TEST(PageRange, ClippedToThePagesThereAre) {
    struct {
        int from, to;
        int first, last;
    } cases[] = {{2, 3, 2, 3}, {0, 9, 1, 5}, {6, 9, 6, 5}};
    for (const auto& c : cases) {
        const PageRange range = pagesToPrint(5, c.from, c.to);
        EXPECT_EQ(std::pair(range.from, range.to), std::pair(c.first, c.last)) << c.from;
    }
}

} // namespace
} // namespace ombrix
