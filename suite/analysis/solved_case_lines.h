// What the two files Solve leaves for each case ("<k>.res" and "<k>.pth") share: lines that
// each start with a keyword, the case line and the inputs line at their head, and the origin
// a reader checks them against.
#pragma once

#include "text_lines.h"

#include <optional>
#include <string>
#include <string_view>

namespace ombrix {

// Where results must come from to be taken: the case of the file's name, solved from the
// load cases as "Forces.rec" now records them (its digest, the "inputs" expected).
struct ResultsOrigin {
    int loadCase = 0;
    std::string inputs;
};

// The file's data lines, each a keyword and values.
class ResultLines {
  public:
    explicit ResultLines(std::string_view text);

    // The next line when it starts with the keyword, or nothing.
    std::optional<TextLine> take(std::string_view keyword);

    // The next line, whatever it holds, or nothing at the end.
    std::optional<TextLine> takeAny();

    // The next line, which must start with the keyword; `shape` shows the line expected.
    TextLine expect(std::string_view keyword, const std::string& shape);

    void expectEnd() const;

    // The number of the next line, or of the line after the end.
    int nextNumber() const;

  private:
    void advance();

    LineCursor lines_;
    std::optional<TextLine> next_;
};

// "case k": the case, which must be the origin's when there is one.
int readCaseLine(ResultLines& lines, const std::optional<ResultsOrigin>& origin);

// "inputs <16 hexadecimal digits>", optional; with an origin it must be there and match.
std::optional<std::string> readInputsLine(ResultLines& lines,
                                          const std::optional<ResultsOrigin>& origin);

} // namespace ombrix
