#pragma once

#include <string>
#include <string_view>

// The text between two double-quote characters, as file names stand in messages and on
// command lines.
inline std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}
