// What a reader reports about a file it cannot accept: the line (counted from 1) and the
// reason, kept apart from the language so that each program words it in the user's.
#pragma once

#include "messages.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ombrix {

struct Problem {
    Message reason;
    std::vector<std::string> values;
};

class InputError : public std::runtime_error {
  public:
    InputError(int line, Message reason, std::vector<std::string> values = {})
        : std::runtime_error("input error"), line_(line), problem_{reason, std::move(values)} {}

    int line() const { return line_; }
    const Problem& problem() const { return problem_; }

  private:
    int line_;
    Problem problem_;
};

// "<file>, line <n>: <reason>" in the language.
std::string describe(Language language, const std::string& file, int line, const Problem& problem);

} // namespace ombrix
