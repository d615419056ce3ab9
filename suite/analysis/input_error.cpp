#include "input_error.h"

#include "numbers.h"

namespace ombrix {

std::string describe(Language language, const std::string& file, int line, const Problem& problem) {
    const std::string reason = say(language, problem.reason, problem.values);
    return line > 0 ? say(language, Message::AtLine, {file, showInteger(line), reason})
                    : say(language, Message::InFile, {file, reason});
}

} // namespace ombrix
