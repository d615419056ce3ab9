// The free-form text of the suite's input files: lines ending in CR LF or LF, values
// separated by blanks, tabs or commas, '.' as the decimal point, and comment lines that
// begin with "//".
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace ombrix {

struct TextLine {
    int number = 0; // counted from 1
    std::string_view text;
};

// Walks a text line by line. A data line is one that is neither a comment nor blank.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text);

    std::optional<TextLine> nextLine();             // the next line, whatever it holds
    std::optional<TextLine> nextNonComment();       // the next line that is not a comment
    std::optional<TextLine> nextData();             // the next data line
    int lineAfterEnd() const { return lines_ + 1; } // where a missing line would have been

  private:
    std::string_view rest_;
    int lines_ = 0;
};

bool isComment(std::string_view line);

// The heading: the first line that is not a comment. Throws InputError when there is none.
TextLine headingOf(LineCursor& lines);

std::vector<std::string_view> fieldsOf(std::string_view line);

// The line's values, exactly `count` of them (or between `count` and `most`).
std::vector<std::string_view> fieldsOf(const TextLine& line, std::size_t count, std::size_t most);

// Both throw InputError naming the line when the field is not what they read.
double numberIn(std::string_view field, int line);     // a finite decimal number
long long integerIn(std::string_view field, int line); // a whole number

} // namespace ombrix
