#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The shell's small files are formatted text files: one value per line, lines ended
// by CR LF, a logical value written as " T" or " F".

// Splits file contents into lines ended by CR LF, LF or CR alone, past a UTF-8
// byte-order mark at the start; a last line without an ending still counts, an empty
// file has no lines.
std::vector<std::string> splitLines(std::string_view contents);

// Joins lines into file contents, each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// The free-format reading of a logical value: leading blanks, an optional period,
// then T or F (either case) decides; the rest is ignored. Nothing else is readable.
std::optional<bool> parseLogical(std::string_view line);

// The first logical value of a file's contents: blank lines are passed over, as a
// free-format read does, and the first other line must hold the value.
std::optional<bool> firstLogical(std::string_view contents);

// The free-format writing of a logical value: " T" or " F".
std::string formatLogical(bool value);
