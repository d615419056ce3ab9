// Fuzzes the compound map's reader: any text is either refused with a line and a reason
// that can be worded, or read into a map that writes back and reads back the same.

#include "compound_map.h"
#include "input_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const std::string written = writeMap(readMap(text));
        if (writeMap(readMap(written)) != written)
            __builtin_trap();
    } catch (const InputError& error) {
        if (error.line() < 1 ||
            describe(Language::Romanian, "f", error.line(), error.problem()).empty())
            __builtin_trap();
    }
    return 0;
}
