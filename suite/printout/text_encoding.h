// The bytes of a text file as UTF-8, the code page the suite's programs work in: a file
// saved as UTF-16 ("Unicode", little- or big-endian, with its byte-order mark or, little-
// endian, without) is converted; any other is taken as it is.
#pragma once

#include <string>
#include <string_view>

namespace ombrix {

std::string textAsUtf8(std::string_view bytes);

} // namespace ombrix
