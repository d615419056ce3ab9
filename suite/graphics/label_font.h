// The typeface of the graph programs' texts, chosen among the installed font families.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ombrix {

// The first installed of the families the pictures are laid out for, else the first
// installed family that holds letters (not a symbol font, not a vertical "@" family);
// nothing when none is, as in a fresh Wine prefix without Wine's own fonts. Names compare
// without regard to case, as Windows compares them.
std::optional<std::string> labelFont(const std::vector<std::string>& installed);

} // namespace ombrix
