#include "pagination.h"

#include "handoff/text_lines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ombrix {
namespace {

constexpr int tabStop = 8;
constexpr int fewestColumns = 20;

// The bytes that follow the first of a UTF-8 character.
bool continuesCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int columnsOf(std::string_view text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return !continuesCharacter(c); }));
}

// The bytes of the text's first `columns` characters.
std::size_t bytesOfColumns(std::string_view text, int columns) {
    std::size_t at = 0;
    for (int counted = 0; at < text.size() && counted < columns; ++counted)
        do
            ++at;
        while (at < text.size() && continuesCharacter(text[at]));
    return at;
}

std::string withTabsExpanded(std::string_view line) {
    std::string expanded;
    int column = 0;
    for (const char c : line) {
        if (c == '\t') {
            const int blanks = tabStop - column % tabStop;
            expanded.append(static_cast<std::size_t>(blanks), ' ');
            column += blanks;
            continue;
        }
        expanded += c;
        if (!continuesCharacter(c))
            ++column;
    }
    return expanded;
}

// Where a line longer than `columns` is broken: after the last blank that leaves a word or
// number whole, or at the edge where the line has none.
std::size_t breakOf(std::string_view line, int columns) {
    const std::size_t edge = bytesOfColumns(line, columns);
    if (edge == line.size() || line[edge] == ' ')
        return edge;
    const std::size_t blank = line.substr(0, edge).find_last_of(' ');
    return blank == std::string_view::npos || blank == 0 ? edge : blank + 1;
}

int fitting(int length, int cell) {
    return cell > 0 ? length / cell : 0;
}

class Pages {
  public:
    explicit Pages(PageLayout layout)
        : columns_(std::max(layout.columns, fewestColumns)),
          linesOfText_(std::max(layout.lines - headerLines, 1)) {}

    // The line, on as many lines of the page as it needs.
    void addWrapped(std::string_view line) {
        std::size_t first = breakOf(line, columns_);
        add(std::string(line.substr(0, first)));
        const int room = columns_ - static_cast<int>(continuationMark.size());
        for (line.remove_prefix(first); !line.empty(); line.remove_prefix(first)) {
            first = breakOf(line, room);
            add(std::string(continuationMark) + std::string(line.substr(0, first)));
        }
    }

    // A new page, unless the one being filled is still empty.
    void breakPage() {
        if (!page_.empty())
            pages_.push_back(std::exchange(page_, {}));
    }

    std::vector<Page> finished() && {
        if (!page_.empty() || pages_.empty())
            pages_.push_back(std::move(page_));
        return std::move(pages_);
    }

  private:
    void add(std::string line) {
        if (static_cast<int>(page_.size()) == linesOfText_)
            breakPage();
        page_.push_back(std::move(line));
    }

    int columns_;
    int linesOfText_;
    Page page_;
    std::vector<Page> pages_;
};

// A line with form feeds: each part that holds text on a line of its own, the page broken
// at each form feed.
void addWithFormFeeds(Pages& pages, std::string_view line) {
    for (std::size_t feed = line.find('\f'); feed != std::string_view::npos;
         feed = line.find('\f')) {
        if (feed > 0)
            pages.addWrapped(withTabsExpanded(line.substr(0, feed)));
        pages.breakPage();
        line.remove_prefix(feed + 1);
    }
    if (!line.empty())
        pages.addWrapped(withTabsExpanded(line));
}

} // namespace

Area textAreaOf(const Paper& paper, double marginInches) {
    const int marginX = static_cast<int>(std::lround(marginInches * paper.dotsPerInchX));
    const int marginY = static_cast<int>(std::lround(marginInches * paper.dotsPerInchY));
    const int left = std::max(marginX - paper.printableLeft, 0);
    const int top = std::max(marginY - paper.printableTop, 0);
    const int right = std::min(paper.width - marginX - paper.printableLeft, paper.printableWidth);
    const int bottom = std::min(paper.height - marginY - paper.printableTop, paper.printableHeight);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

PageLayout layoutOf(const Area& area, int cellWidth, int lineHeight) {
    return {std::max(fitting(area.width, cellWidth), fewestColumns),
            std::max(fitting(area.height, lineHeight), headerLines + 2)};
}

int widestLine(std::string_view text) {
    int widest = 0;
    handoff::LineCursor lines(text);
    while (const std::optional<handoff::TextLine> line = lines.nextLine())
        for (std::string_view rest = line->text; !rest.empty();) {
            const std::size_t feed = std::min(rest.find('\f'), rest.size());
            widest = std::max(widest, columnsOf(withTabsExpanded(rest.substr(0, feed))));
            rest.remove_prefix(std::min(feed + 1, rest.size()));
        }
    return widest;
}

std::vector<Page> paginate(std::string_view text, PageLayout layout) {
    Pages pages(layout);
    handoff::LineCursor lines(text);
    while (const std::optional<handoff::TextLine> line = lines.nextLine()) {
        if (line->text.find('\f') == std::string_view::npos)
            pages.addWrapped(withTabsExpanded(line->text));
        else
            addWithFormFeeds(pages, line->text);
    }
    return std::move(pages).finished();
}

namespace {

// The file name in at most `room` columns: whole, or its end after "...".
std::string nameIn(std::string_view fileName, int room) {
    constexpr std::string_view cut = "...";
    const int columns = columnsOf(fileName);
    if (columns <= room)
        return std::string(fileName);
    if (room <= static_cast<int>(cut.size()))
        return {};
    const int dropped = columns - room + static_cast<int>(cut.size());
    return std::string(cut) + std::string(fileName.substr(bytesOfColumns(fileName, dropped)));
}

} // namespace

std::string pageHeader(std::string_view fileName, std::string_view date, int page, int pages,
                       int columns) {
    const std::string right =
        std::string(date) + "   Page " + std::to_string(page) + " of " + std::to_string(pages);
    const int rightColumns = columnsOf(right);
    if (rightColumns >= columns)
        return right.substr(0, bytesOfColumns(right, columns));
    const std::string name = nameIn(fileName, columns - rightColumns - 3);
    const int gap = columns - columnsOf(name) - rightColumns;
    return name + std::string(static_cast<std::size_t>(gap), ' ') + right;
}

PageRange pagesToPrint(int pages, int from, int to) {
    return {std::max(from, 1), std::min(to, pages)};
}

} // namespace ombrix
