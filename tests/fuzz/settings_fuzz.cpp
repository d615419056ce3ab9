// "Sound.dat" as anyone may leave it: whatever it holds, the sound setting is read as on,
// off or unreadable, never by a crash.

#include "text/text_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    const std::optional<bool> sound = firstLogical(contents);
    // A value is read only from a line that holds one.
    if (sound && splitLines(contents).empty())
        __builtin_trap();
    return 0;
}
