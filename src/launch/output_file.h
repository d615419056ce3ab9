#pragma once

#include "text/fixed_text.h"

#include <optional>
#include <string>

// The analysis writes its output file, replacing whatever is there. Why it must not
// write to this name: the name is the geometry or the loading file however it is
// spelled (".\", "..\", a trailing dot, forward slashes, another link to the same file),
// or it lies among the installation's programs and documents. Nothing when it may.
std::optional<std::string> outputFileConflict(const PathText& output, const PathText& geometry,
                                              const PathText& loading);
