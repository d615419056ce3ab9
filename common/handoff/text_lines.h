// The free-form text of the files the suite reads: lines ending in CR LF, LF or CR alone,
// an optional UTF-8 byte-order mark at the start, values separated by blanks, tabs or
// commas, and comment lines that begin with "//".
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace handoff {

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

    // Whether the text was saved as UTF-16 ("Unicode"), which none of the readers take (see
    // utf16Of).
    bool isUtf16() const { return utf16_; }

  private:
    std::string_view rest_;
    int lines_ = 0;
    bool utf16_ = false;
};

// Whether a text is UTF-16 and in which byte order: by its byte-order mark, or without one
// by the NULs of its first characters, every other byte being NUL in a text of Latin
// letters. A NUL here and there in a text of single bytes does not make it UTF-16.
enum class Utf16 { none, littleEndian, bigEndian };
Utf16 utf16Of(std::string_view text);

bool isComment(std::string_view line);

std::vector<std::string_view> fieldsOf(std::string_view line);
// The same into `fields`, whose memory serves line after line of a long file.
void fieldsOf(std::string_view line, std::vector<std::string_view>& fields);

} // namespace handoff
