// Fuzzes the compound map's reader: any text is either refused with a line and a reason
// that can be worded, or read into a map that writes back and reads back the same.

#include "compound_map.h"
#include "reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    return readOrRefuse(data, size, [](std::string_view text) {
        return writesBackTheSame(
            text, [](std::string_view t) { return readMap(t); }, writeMap);
    });
}
