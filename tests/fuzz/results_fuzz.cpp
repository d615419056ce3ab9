// Fuzzes the results reader against the tripod of docs/file-formats.md: any text is either
// refused with a line and a reason that can be worded, or read into results whose peaks
// can be found.

#include "geometry.h"
#include "input_error.h"
#include "peaks.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    static const Model tripod = readGeometry("Tripod\n5 4\n1 0 0 0 1 1 1\n2 2 0 0 1 1 1\n"
                                             "3 0 2 0 1 1 1\n4 0.7 0.6 1.5 0 0 0\n"
                                             "5 0.7 0.6 4.0 1 1 1\n1 1 4 B 1e6 0\n"
                                             "2 2 4 B 1e6 0\n3 3 4 B 1e6 0\n4 4 5 C 1e5 250\n");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const CaseResults results = readResults(text, tripod);
        if (envelopeOf({peaksOf(tripod, results)}).displacement.value < 0)
            __builtin_trap();
    } catch (const InputError& error) {
        if (error.line() < 1 ||
            describe(Language::Romanian, "f", error.line(), error.problem()).empty())
            __builtin_trap();
    }
    return 0;
}
