// The map file that Compound leaves beside the compound geometry file (".map"), from
// which CompoundPost splits the results back into the parts:
//   OMBRIX compound map
//   counts P NN NE                     parts, compound nodes, compound members
//   compound digest size               the compound geometry file saved with the map
//   part k dx dy dz rotation file      P lines, k = 1..P; the file name ends the line
//   source k digest size time          after each part line: its file as it was joined
//   node n k1 i1 [k2 i2 ...]           NN lines, n = 1..NN: the parts' nodes merged in it
//   member m k j                       NE lines, m = 1..NE: member j of part k
// Comment lines begin with "//"; every number exact, lines ending in CR LF. The digests
// are FNV-1a in 16 hexadecimal digits; the time ends its line. A map written before the
// compound and source lines were added has none and is read all the same.
#pragma once

#include "compound.h"

#include <string>
#include <string_view>

namespace ombrix {

std::string writeMap(const CompoundMap& map);

// The map, or InputError naming the first line that cannot be accepted; with a model,
// also the counts line of a map whose counts are not the model's.
CompoundMap readMap(std::string_view text, const Model* compound = nullptr);

} // namespace ombrix
