// A compound structure: several geometry files joined into one, each part placed by a
// rotation about the z axis (through the origin) followed by a translation. Nodes of
// different parts that meet within a tolerance become one node, held in each direction that
// any of them holds; within a part, nodes stay as the part has them, so that its topology
// is kept (two crossing cables on coincident nodes stay apart). Members keep their
// properties and are numbered part after part. The map says where each
// node and member of the compound came from, so that its results can be split back.
#pragma once

#include "model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

struct Placement {
    Point shift{};       // dx, dy, dz, applied after the rotation
    double rotation = 0; // degrees about z, anticlockwise seen from above
};

// A file as Compound read or saved it: its size, its FNV-1a digest and, for the reader,
// when it was last written (empty when not known), so that a change since shows.
struct FileMark {
    std::uint64_t size = 0;
    std::uint64_t digest = 0;
    std::string time;
};

struct Part {
    std::string file; // as the map names it
    Placement placement;
    Model model;
    std::optional<FileMark> source{}; // the file as it was read
};

// A node or member of a part, in the part's own numbering (both counted from 1).
struct PartItem {
    int part = 0;
    int number = 0;
};

struct CompoundMap {
    struct PartEntry {
        std::string file;
        Placement placement;
        std::optional<FileMark> source;
    };
    // The compound geometry file saved with the map; none in a map older than these marks.
    std::optional<FileMark> compound;
    std::vector<PartEntry> parts;
    std::vector<std::vector<PartItem>> nodes; // per compound node, the part nodes merged in it
    std::vector<PartItem> members;            // per compound member
};

struct Compound {
    Model model;
    CompoundMap map;
};

// A vector of the part's axes in the compound's, and back.
Point rotated(const Point& vector, double degrees);
Point placed(const Point& position, const Placement& placement);

// The joined structure, or Refused naming the parts and members when a member would
// repeat another ("parts that overlap badly"), or when the parts' member laws differ. A
// member's ends, two nodes of one part, never become one node.
Compound joinParts(const std::vector<Part>& parts, double tolerance);

// "8 nodes, 8 members; 2 nodes merged where parts meet".
std::string joinedSummary(const Compound& compound);

} // namespace ombrix
