// Parts joined into one structure: which nodes merge, what the merged nodes hold, how the
// members are numbered, what is refused; and the map written and read back.

#include "compound_map.h"
#include "geometry.h"
#include "input_error.h"
#include "parameters.h"
#include "test_names.h"

#include <gtest/gtest.h>

namespace ombrix {
namespace {

// A bar from (0, 0, 0), held in x, to (1, 0, 0), held in z.
Part bar(const std::string& file, Placement placement = {}) {
    return {file, placement,
            readGeometry("Bar\n2 1\n1 0 0 0 1 0 0\n2 1 0 0 0 0 1\n1 1 2 B 100 0 2\n")};
}

struct JoinRow {
    std::string name;
    std::vector<Part> parts;
    double tolerance;
    std::vector<Node> nodes;
    std::vector<std::vector<PartItem>> merged;
    std::vector<std::pair<int, int>> memberEnds; // compound nodes, from 1
    std::string summary;
};

class Joining : public testing::TestWithParam<JoinRow> {};

TEST_P(Joining, MergesNodesAndRenumbersMembers) {
    const JoinRow& row = GetParam();
    const Compound compound = joinParts(row.parts, row.tolerance);
    ASSERT_EQ(compound.model.nodes.size(), row.nodes.size());
    for (std::size_t n = 0; n < row.nodes.size(); ++n) {
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(compound.model.nodes[n].position[axis], row.nodes[n].position[axis], 1e-12);
        EXPECT_EQ(compound.model.nodes[n].restrained, row.nodes[n].restrained) << "node " << n + 1;
        ASSERT_EQ(compound.map.nodes[n].size(), row.merged[n].size());
        for (std::size_t k = 0; k < row.merged[n].size(); ++k) {
            EXPECT_EQ(compound.map.nodes[n][k].part, row.merged[n][k].part);
            EXPECT_EQ(compound.map.nodes[n][k].number, row.merged[n][k].number);
        }
    }
    ASSERT_EQ(compound.model.members.size(), row.memberEnds.size());
    for (std::size_t m = 0; m < row.memberEnds.size(); ++m) {
        EXPECT_EQ(compound.model.members[m].first + 1, row.memberEnds[m].first);
        EXPECT_EQ(compound.model.members[m].second + 1, row.memberEnds[m].second);
        EXPECT_EQ(*compound.model.members[m].unstressedLength, 2);
    }
    EXPECT_EQ(joinedSummary(compound), row.summary);
}

const Placement beyond{{1, 0, 0}, 0};
INSTANTIATE_TEST_SUITE_P(
    Compound, Joining,
    testing::Values(
        JoinRow{"end to end, restraints combined",
                {bar("a"), bar("b", beyond)},
                1e-6,
                {{{0, 0, 0}, {1, 0, 0}}, {{1, 0, 0}, {1, 0, 1}}, {{2, 0, 0}, {0, 0, 1}}},
                {{{1, 1}}, {{1, 2}, {2, 1}}, {{2, 2}}},
                {{1, 2}, {2, 3}},
                "3 nodes, 2 members; 1 node merged where parts meet"},
        JoinRow{"within the tolerance, the first node kept",
                {bar("a"), bar("b", {{1.0005, 0, 0}, 0})},
                1e-3,
                {{{0, 0, 0}, {1, 0, 0}}, {{1, 0, 0}, {1, 0, 1}}, {{2.0005, 0, 0}, {0, 0, 1}}},
                {{{1, 1}}, {{1, 2}, {2, 1}}, {{2, 2}}},
                {{1, 2}, {2, 3}},
                "3 nodes, 2 members; 1 node merged where parts meet"},
        JoinRow{"outside the tolerance",
                {bar("a"), bar("b", {{1.002, 0, 0}, 0})},
                1e-3,
                {{{0, 0, 0}, {1, 0, 0}},
                 {{1, 0, 0}, {0, 0, 1}},
                 {{1.002, 0, 0}, {1, 0, 0}},
                 {{2.002, 0, 0}, {0, 0, 1}}},
                {{{1, 1}}, {{1, 2}}, {{2, 1}}, {{2, 2}}},
                {{1, 2}, {3, 4}},
                "4 nodes, 2 members; 0 nodes merged where parts meet"},
        JoinRow{"turned a quarter about z, then shifted",
                {bar("a"), bar("b", {{0, 1, 5}, 90})},
                1e-6,
                {{{0, 0, 0}, {1, 0, 0}},
                 {{1, 0, 0}, {0, 0, 1}},
                 {{0, 1, 5}, {1, 0, 0}},
                 {{0, 2, 5}, {0, 0, 1}}},
                {{{1, 1}}, {{1, 2}}, {{2, 1}}, {{2, 2}}},
                {{1, 2}, {3, 4}},
                "4 nodes, 2 members; 0 nodes merged where parts meet"},
        JoinRow{"nodes of one part kept apart within the tolerance",
                {{"c",
                  {},
                  readGeometry("Split\n4 2\n1 0 0 0 1 1 1\n2 1 0 0 0 0 0\n"
                               "3 1 1e-4 0 0 1 0\n4 2 0 0 1 1 1\n"
                               "1 1 2 B 100 0 2\n2 3 4 B 100 0 2\n")}},
                1e-3,
                {{{0, 0, 0}, {1, 1, 1}},
                 {{1, 0, 0}, {0, 0, 0}},
                 {{1, 1e-4, 0}, {0, 1, 0}},
                 {{2, 0, 0}, {1, 1, 1}}},
                {{{1, 1}}, {{1, 2}}, {{1, 3}}, {{1, 4}}},
                {{1, 2}, {3, 4}},
                "4 nodes, 2 members; 0 nodes merged where parts meet"},
        JoinRow{"crossing cables on coincident nodes, one merged with another part",
                {bar("a"),
                 {"x",
                  {},
                  readGeometry("Cross\n4 2\n1 1 0 0 0 0 0\n2 2 0 0 1 1 1\n"
                               "3 1 0 0 0 0 0\n4 1 1 0 1 1 1\n"
                               "1 1 2 C 100 0 2\n2 3 4 C 100 0 2\n")}},
                1e-6,
                {{{0, 0, 0}, {1, 0, 0}},
                 {{1, 0, 0}, {0, 0, 1}},
                 {{2, 0, 0}, {1, 1, 1}},
                 {{1, 0, 0}, {0, 0, 0}},
                 {{1, 1, 0}, {1, 1, 1}}},
                {{{1, 1}}, {{1, 2}, {2, 1}}, {{2, 2}}, {{2, 3}}, {{2, 4}}},
                {{1, 2}, {2, 3}, {4, 5}},
                "5 nodes, 3 members; 1 node merged where parts meet"}),
    rowName<JoinRow>);

struct RefusalRow {
    std::string name;
    std::vector<Part> parts;
    double tolerance;
    std::string message;
};

class JoinRefusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(JoinRefusals, NameThePartsAndMembers) {
    try {
        joinParts(GetParam().parts, GetParam().tolerance);
        FAIL() << "joined";
    } catch (const Refused& refused) {
        EXPECT_EQ(refused.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Compound, JoinRefusals,
    testing::Values(
        RefusalRow{"member laid over another, ends swapped",
                   {bar("a"), bar("b", {{1, 0, 0}, 180})},
                   1e-6,
                   "parts that overlap badly: member 1 of part 2 (b) joins the same nodes as "
                   "member 1 of part 1 (a)"},
        RefusalRow{"no parts", {}, 0, "no parts to join: add a geometry file"}),
    rowName<RefusalRow>);

TEST(CompoundMap, ReadsBackWhatItWrites) {
    Part marked = bar("C:\\Two words\\b, 2.dat", {{0.5, 2, 0}, 30});
    marked.source = FileMark{124, 0x8ff7b8ac6e81e111, "2026-12-09 14:26:20 UTC"};
    Compound compound = joinParts({bar("a"), marked}, 1e-6);
    compound.map.compound = FileMark{170, 0x26a6b7bf897e128d, {}};
    const CompoundMap map = readMap(writeMap(compound.map), &compound.model);
    EXPECT_EQ(writeMap(map), writeMap(compound.map));
    EXPECT_NE(
        writeMap(map).find("\r\ncompound 26a6b7bf897e128d 170\r\npart 1 0 0 0 0 a\r\npart 2 0.5 "
                           "2 0 30 C:\\Two words\\b, 2.dat\r\nsource 2 8ff7b8ac6e81e111 124 "
                           "2026-12-09 14:26:20 UTC\r\n"),
        std::string::npos);
    EXPECT_EQ(map.parts[1].file, "C:\\Two words\\b, 2.dat");
}

struct MapRow {
    std::string name;
    std::string lines; // after the heading
    int line;
    std::string reason;
};

class MapRefusals : public testing::TestWithParam<MapRow> {};

TEST_P(MapRefusals, NameTheLineAndTheReason) {
    const Model model = bar("a").model;
    try {
        readMap("OMBRIX compound map\n" + GetParam().lines, &model);
        FAIL() << "read";
    } catch (const InputError& error) {
        EXPECT_EQ(error.line(), GetParam().line);
        EXPECT_EQ(say(Language::English, error.problem().reason, error.problem().values),
                  GetParam().reason);
    }
}

const std::string head = "counts 1 2 1\npart 1 0 0 0 0 a.dat\n";
INSTANTIATE_TEST_SUITE_P(
    Compound, MapRefusals,
    testing::Values(
        MapRow{"counts missing", "", 2, "a line \"counts parts nodes members\" expected"},
        MapRow{"another structure", "counts 1 3 1\n", 2,
               "the map is of another structure: 3 nodes and 1 members, the prepared model has "
               "2 and 1"},
        MapRow{"part without a file", "counts 1 2 1\npart 1 0 0 0 0\n", 3,
               "a line \"part 1 dx dy dz rotation file\" expected"},
        MapRow{"part out of order", "counts 1 2 1\npart 2 0 0 0 0 a.dat\n", 3,
               "a line \"part 1 dx dy dz rotation file\" expected"},
        MapRow{"node of a missing part", head + "node 1 2 1\n", 4, "part 2 is not between 1 and 1"},
        MapRow{"node without its part's number", head + "node 1 1 1 1\n", 4,
               "a line \"node 1 part node [part node ...]\" expected"},
        MapRow{"node given twice", head + "node 1 1 1\nnode 2 1 1\n", 5,
               "node 1 of part 1 is given twice"},
        MapRow{"member number not a number", head + "node 1 1 1\nnode 2 1 2\nmember 1 1 x\n", 6,
               "\"x\" is not a whole number"},
        MapRow{"line after the end", head + "node 1 1 1\nnode 2 1 2\nmember 1 1 1\nmember 2 1 2\n",
               7, "a line after the end of the data"}),
    rowName<MapRow>);

} // namespace
} // namespace ombrix
