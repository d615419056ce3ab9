// Texts worded once in a table, with "{}" marking where a value goes: the shell's and the
// suite's programs' messages alike.
#pragma once

#include <iterator>
#include <string>
#include <string_view>

namespace handoff {

// The pattern with its "{}" marks replaced by the values (anything a string takes) in
// order; marks beyond the values stay as they are.
template <typename Values> std::string filledIn(std::string_view pattern, const Values& values) {
    std::string text;
    auto next = std::begin(values);
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern.substr(at, 2) == "{}" && next != std::end(values)) {
            text += *next++;
            ++at;
        } else {
            text += pattern[at];
        }
    }
    return text;
}

// A value from a file quoted in a message: a line of junk cannot fill the box.
inline std::string valueForMessage(std::string_view value) {
    return std::string(value.substr(0, 40));
}

} // namespace handoff
