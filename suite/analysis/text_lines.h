// The free-form text of the suite's input files (see handoff/text_lines.h), with '.' as
// the decimal point, read into values or refused with InputError.
#pragma once

#include "handoff/text_lines.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

using handoff::fieldsOf;
using handoff::isComment;
using handoff::LineCursor;
using handoff::TextLine;

// The heading: the first line that is not a comment. Throws InputError when there is none,
// or when the text is UTF-16.
TextLine headingOf(LineCursor& lines);

// The heading as the line a reader takes for it, CR LF ended: line ends within it become
// blanks, and one that begins with "//" gets a blank before it, so that it is not taken
// for a comment (the reader's heading then begins with that blank).
std::string headingLine(std::string_view heading);

// The line's values, exactly `count` of them (or between `count` and `most`).
std::vector<std::string_view> fieldsOf(const TextLine& line, std::size_t count, std::size_t most);

// Both throw InputError naming the line when the field is not what they read.
double numberIn(std::string_view field, int line);     // a finite decimal number
long long integerIn(std::string_view field, int line); // a whole number

} // namespace ombrix
