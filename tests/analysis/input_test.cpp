// The readers against files they must refuse: each row names the line at fault and why;
// and the prepared model and the case files written and read back.

#include "geometry.h"
#include "loading.h"

#include "test_names.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace ombrix {
namespace {

const std::string frame = "// a comment before the heading\r\n"
                          "Frame\r\n"
                          "3 2\r\n"
                          "1 0 0 0 1 1 1\r\n"
                          "// a comment among the nodes\r\n"
                          "3, 2.0, 0, 0, 1, 1, 1\r\n"
                          "2 1 0 1.5e0 0 1 0\r\n"
                          "\r\n"
                          "2 2 3 C 2e5 +10\r\n"
                          "1 1 2 b 2e5 -10 2.5\r\n";

const std::string loads = "// loads\r\n"
                          "Loads\r\n"
                          "2  cases\r\n"
                          "1  with case 0\r\n"
                          "0 1 0\r\n"
                          "2 0 0 -1\r\n"
                          "1 0 5\r\n"
                          "2 2 0\r\n"
                          "2 1 0 0\r\n"
                          "1 0 0 1e3\r\n";

// The text with line `line` (counted from 1) replaced.
std::string withLine(const std::string& text, int line, const std::string& replacement) {
    std::size_t begin = 0;
    for (int k = 1; k < line; ++k)
        begin = text.find('\n', begin) + 1;
    return text.substr(0, begin) + replacement + text.substr(text.find('\n', begin));
}

std::string upToLine(const std::string& text, int line) {
    std::size_t end = 0;
    for (int k = 0; k < line; ++k)
        end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

enum class Reader { Geometry, Loading };

struct BadFile {
    const char* name;
    Reader reader;
    std::string text;
    int line;
    Message reason;
};

const BadFile badFiles[] = {
    {"empty geometry", Reader::Geometry, "// only a comment\r\n", 2, Message::HeadingMissing},
    {"no counts", Reader::Geometry, upToLine(frame, 2), 3, Message::CountsMissing},
    {"one count", Reader::Geometry, withLine(frame, 3, "3"), 3, Message::CountsLine},
    {"words after the counts", Reader::Geometry, withLine(frame, 3, "3 2 nodes, members"), 3,
     Message::CountsLine},
    {"unknown law", Reader::Geometry, withLine(frame, 3, "3 2 X"), 3, Message::LawNotKnown},
    {"one node", Reader::Geometry, withLine(frame, 3, "1 2"), 3, Message::NodeCountOutOfRange},
    {"no member", Reader::Geometry, withLine(frame, 3, "3 0"), 3, Message::MemberCountOutOfRange},
    {"count not a number", Reader::Geometry, withLine(frame, 3, "3 two"), 3, Message::NotAnInteger},
    {"node lines missing", Reader::Geometry, upToLine(frame, 6), 7, Message::NodeLineMissing},
    {"short node line", Reader::Geometry, withLine(frame, 4, "1 0 0 0 1 1"), 4,
     Message::FieldCount},
    {"decimal comma", Reader::Geometry, withLine(frame, 7, "2 1 0 1,5 0 1 0"), 7,
     Message::FieldCount},
    {"coordinate not a number", Reader::Geometry, withLine(frame, 7, "2 1 0 1.5x 0 1 0"), 7,
     Message::NotANumber},
    {"infinite coordinate", Reader::Geometry, withLine(frame, 7, "2 1 0 inf 0 1 0"), 7,
     Message::NotANumber},
    {"restraint of 2", Reader::Geometry, withLine(frame, 7, "2 1 0 1 0 2 0"), 7,
     Message::RestraintNotZeroOrOne},
    {"node number beyond the count", Reader::Geometry, withLine(frame, 7, "4 1 0 1 0 1 0"), 7,
     Message::NodeNumberOutOfRange},
    {"node given twice", Reader::Geometry, withLine(frame, 7, "3 1 0 1 0 1 0"), 7,
     Message::NodeGivenTwice},
    {"member lines missing", Reader::Geometry, upToLine(frame, 9), 10, Message::MemberLineMissing},
    {"member to a missing node", Reader::Geometry, withLine(frame, 9, "2 2 4 C 2e5 10"), 9,
     Message::MemberNodeMissing},
    {"member of zero length", Reader::Geometry, withLine(frame, 9, "2 2 2 C 2e5 10"), 9,
     Message::MemberTooShort},
    {"members between coincident nodes", Reader::Geometry, withLine(frame, 7, "2 2 0 0 0 1 0"), 9,
     Message::MemberTooShort},
    {"coordinate beyond 1e9", Reader::Geometry, withLine(frame, 7, "2 1 0 2e9 0 1 0"), 7,
     Message::CoordinateOutOfRange},
    {"member shorter than 1e-9", Reader::Geometry, withLine(frame, 7, "2 2 0 1e-300 0 1 0"), 9,
     Message::MemberTooShort},
    {"EA of 1e-308", Reader::Geometry, withLine(frame, 9, "2 2 3 C 1e-308 10"), 9,
     Message::StiffnessOutOfRange},
    {"EA of 1e308", Reader::Geometry, withLine(frame, 9, "2 2 3 C 1e308 10"), 9,
     Message::StiffnessOutOfRange},
    {"initial force of 1e308", Reader::Geometry, withLine(frame, 9, "2 2 3 C 2e5 1e308"), 9,
     Message::InitialForceOutOfRange},
    {"unstressed length of 1e300", Reader::Geometry, withLine(frame, 9, "2 2 3 C 2e5 10 1e300"), 9,
     Message::UnstressedLengthOutOfRange},
    {"initial force that leaves no unstressed length", Reader::Geometry,
     withLine(frame, 9, "2 2 3 C 1e-20 1e20"), 9, Message::UnstressedLengthOutOfRange},
    {"unknown member kind", Reader::Geometry, withLine(frame, 9, "2 2 3 R 2e5 10"), 9,
     Message::KindNotKnown},
    {"EA of zero", Reader::Geometry, withLine(frame, 9, "2 2 3 C 0 10"), 9,
     Message::StiffnessNotPositive},
    {"negative unstressed length", Reader::Geometry, withLine(frame, 9, "2 2 3 C 2e5 10 -1"), 9,
     Message::UnstressedLengthNotPositive},
    {"initial force of -EA", Reader::Geometry, withLine(frame, 9, "2 2 3 C 2e5 -2e5"), 9,
     Message::InitialForceTooLow},
    {"member number beyond the count", Reader::Geometry, withLine(frame, 9, "3 2 3 C 2e5 10"), 9,
     Message::MemberNumberOutOfRange},
    {"member given twice", Reader::Geometry, withLine(frame, 10, "2 1 2 B 2e5 -10"), 10,
     Message::MemberGivenTwice},
    {"line after the members", Reader::Geometry, frame + "3 1 3 B 1 1\r\n", 11,
     Message::LineAfterEnd},
    {"empty loading", Reader::Loading, "", 1, Message::HeadingMissing},
    {"no case count", Reader::Loading, upToLine(loads, 2), 3, Message::CaseCountMissing},
    {"comment instead of the case count", Reader::Loading, withLine(loads, 3, "// 2"), 3,
     Message::NotAnInteger},
    {"blank line instead of the case-0 flag", Reader::Loading, withLine(loads, 4, ""), 4,
     Message::CaseZeroFlagBlank},
    {"blank line instead of the case count", Reader::Loading, withLine(loads, 3, " "), 3,
     Message::CaseCountBlank},
    {"geometry saved as UTF-16", Reader::Geometry,
     std::string("\xFF\xFE"
                 "F\0r\0",
                 6),
     1, Message::Utf16File},
    {"100 cases", Reader::Loading, withLine(loads, 3, "100"), 3, Message::CaseCountOutOfRange},
    {"case 1 where case 0 belongs", Reader::Loading, withLine(loads, 5, "1 1 0"), 5,
     Message::CaseNumberExpected},
    {"negative load count", Reader::Loading, withLine(loads, 5, "0 -1 0"), 5,
     Message::LoadCountNegative},
    {"negative steps", Reader::Loading, withLine(loads, 7, "1 0 -5"), 7, Message::StepsOutOfRange},
    {"case line with a title", Reader::Loading, withLine(loads, 7, "1 0 5 wind"), 7,
     Message::FieldCount},
    {"load not a number", Reader::Loading, withLine(loads, 6, "2 0 0 -1kN"), 6,
     Message::NotANumber},
    {"load of 1e21", Reader::Loading, withLine(loads, 6, "2 0 0 -1e21"), 6,
     Message::LoadOutOfRange},
    {"load lines missing", Reader::Loading, upToLine(loads, 9), 10, Message::LoadLineMissing},
    {"case missing", Reader::Loading, upToLine(loads, 6), 7, Message::CaseLineMissing},
    {"line after the cases", Reader::Loading, loads + "3 0 0\r\n", 11, Message::LineAfterEnd},
};

class Refused : public testing::TestWithParam<BadFile> {};

TEST_P(Refused, NamesTheLineAndTheReason) {
    const BadFile& file = GetParam();
    try {
        file.reader == Reader::Geometry ? (void)readGeometry(file.text)
                                        : (void)readLoading(file.text);
        ADD_FAILURE() << "accepted";
    } catch (const InputError& error) {
        EXPECT_EQ(error.line(), file.line);
        EXPECT_EQ(say(Language::English, error.problem().reason),
                  say(Language::English, file.reason));
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, Refused, testing::ValuesIn(badFiles), rowName<BadFile>);

TEST(Readers, TakeWhatTheFormatAllowsAndWriteItBackExactly) {
    const Model model = readGeometry(frame);
    EXPECT_EQ(model.heading, "Frame");
    EXPECT_EQ(model.nodes[1].position, (Point{1, 0, 1.5}));
    EXPECT_EQ(model.members[0].unstressedLength, 2.5);
    EXPECT_EQ(model.members[0].initialForce, 0); // L0 replaces N0
    EXPECT_EQ(model.members[1].kind, MemberKind::Cable);
    EXPECT_EQ(writeGeometry(readGeometry(writeGeometry(model))), writeGeometry(model));
    std::string macintosh = "\xEF\xBB\xBF" + frame;
    std::erase(macintosh, '\n');
    EXPECT_EQ(writeGeometry(readGeometry(macintosh)), writeGeometry(model));

    const Loading loading = readLoading(loads);
    ASSERT_EQ(loading.cases.size(), 3u);
    EXPECT_TRUE(loading.hasCaseZero);
    EXPECT_EQ(loading.cases[2].loads[1].force[2], 1e3);
    for (const LoadCase& loadCase : loading.cases)
        EXPECT_EQ(writeCase(readCase(writeCase(loadCase), loadCase.number)), writeCase(loadCase));
}

constexpr double least = std::numeric_limits<double>::denorm_min();

// Written and read back, each value as it was: the ends of each range, slack cables (a
// negative initial force), both laws, unstressed lengths given and not.
TEST(ModelFile, ReadsBackEveryValueAsWritten) {
    const Model models[] = {
        {"Ends of the ranges",
         StrainLaw::Engineering,
         {{{-1e9, -1e9, -1e9}, {true, true, true}},
          {{1e9, 1e9, 1e9}, {}},
          {{least, -0.0, 0.1}, {true, false, true}},
          {{1, 0, 0}, {false, true, false}}},
         {{0, 1, MemberKind::Bar, 1e20, 1e20, std::nullopt},
          {2, 3, MemberKind::Bar, 1e-20, -5e-21, std::nullopt},
          {2, 3, MemberKind::Cable, 1e5, -250, std::nullopt},
          {0, 2, MemberKind::Cable, 1, 0, 1e-9},
          {1, 3, MemberKind::Bar, 1, 0, 1e10}}},
        {"Green, the largest compression",
         StrainLaw::Green,
         {{{0, 0, 0}, {true, true, true}}, {{0, 0, 1}, {}}},
         {{0, 1, MemberKind::Cable, 1e20, -1e20, std::nullopt},
          {1, 0, MemberKind::Bar, 2.5, 1e20, std::nullopt}}},
    };
    for (const Model& model : models)
        EXPECT_EQ(readGeometry(writeGeometry(model)), model) << model.heading;
}

TEST(CaseFile, ReadsBackEveryLoadAsWritten) {
    const LoadCase cases[] = {
        {0, 0, {{1, {1e20, -1e20, least}, 0}, {1'000'000, {-0.0, 0, 0.1}, 0}}},
        {7, 3, {}},
        {99, mostSteps, {{2, {-least, 1.0 / 3, -1e20}, 0}}},
    };
    for (const LoadCase& loadCase : cases) {
        const LoadCase read = readCase(writeCase(loadCase), loadCase.number);
        EXPECT_EQ(read.number, loadCase.number);
        EXPECT_EQ(read.steps, loadCase.steps) << loadCase.number;
        ASSERT_EQ(read.loads.size(), loadCase.loads.size()) << loadCase.number;
        for (std::size_t k = 0; k < read.loads.size(); ++k) {
            EXPECT_EQ(read.loads[k].node, loadCase.loads[k].node) << loadCase.number;
            EXPECT_EQ(read.loads[k].force, loadCase.loads[k].force) << loadCase.number;
        }
    }
}

TEST(Readers, TellTheLoadsThatTheModelCannotTake) {
    const Model model = readGeometry(frame);
    const Loading loading = readLoading(withLine(withLine(loads, 9, "4 1 0 0"), 10, "4 0 0 1"));
    EXPECT_FALSE(problemOf(loading.cases[0], model));
    EXPECT_EQ(problemOf(loading.cases[2], model)->line, 9);
    EXPECT_EQ(problemOf(loading.cases[2], model)->problem.reason, Message::LoadedNodeMissing);
    const Loading twice = readLoading(withLine(loads, 10, "2 0 0 1"));
    EXPECT_EQ(problemOf(twice.cases[2], model)->problem.reason, Message::NodeLoadedTwice);
}

} // namespace
} // namespace ombrix
