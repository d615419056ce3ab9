// Fuzzes the geometry reader: any text is either refused with a line and a reason that
// can be worded, or read into a model that writes back and reads back the same.

#include "geometry.h"
#include "input_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const std::string written = writeGeometry(readGeometry(text));
        if (writeGeometry(readGeometry(written)) != written)
            __builtin_trap();
    } catch (const InputError& error) {
        if (error.line() < 1 ||
            describe(Language::Romanian, "f", error.line(), error.problem()).empty())
            __builtin_trap();
    }
    return 0;
}
