// Fuzzes the results reader against the tripod of docs/file-formats.md: any text is either
// refused with a line and a reason that can be worded, or read into results whose peaks
// can be found.

#include "geometry.h"
#include "peaks.h"
#include "reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ombrix;
    static const Model tripod = readGeometry("Tripod\n5 4\n1 0 0 0 1 1 1\n2 2 0 0 1 1 1\n"
                                             "3 0 2 0 1 1 1\n4 0.7 0.6 1.5 0 0 0\n"
                                             "5 0.7 0.6 4.0 1 1 1\n1 1 4 B 1e6 0\n"
                                             "2 2 4 B 1e6 0\n3 3 4 B 1e6 0\n4 4 5 C 1e5 250\n");
    return readOrRefuse(data, size, [](std::string_view text) {
        const CaseResults results = readResults(text, tripod);
        return envelopeOf({peaksOf(tripod, results)}).displacement.value >= 0;
    });
}
