// Fuzzes the loading reader: any text is either refused with a line and a reason that can
// be worded, or read into cases that each write back and read back the same.

#include "input_error.h"
#include "loading.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const LoadCase& loadCase : readLoading(text).cases) {
            const std::string written = writeCase(loadCase);
            if (writeCase(readCase(written, loadCase.number)) != written)
                __builtin_trap();
        }
    } catch (const InputError& error) {
        if (error.line() < 1 ||
            describe(Language::English, "f", error.line(), error.problem()).empty())
            __builtin_trap();
    }
    return 0;
}
