// "recent.dat" as anyone may leave it: at most five names, none blank, each a path field.

#include "files/recent.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<PathText> names =
        namesInRecentFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (names.size() > recentFileCount)
        __builtin_trap();
    for (const PathText& name : names)
        if (name.isBlank())
            __builtin_trap();
    return 0;
}
