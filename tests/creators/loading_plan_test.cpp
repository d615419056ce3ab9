// The nodes each row of a loading plan loads, the lines its word rows write, a loading
// file's rows written back the same, and the rows it refuses.

#include "checked_files.h"
#include "loading.h"
#include "loading_plan.h"
#include "parameters.h"
#include "typed_values.h"

#include "test_names.h"

#include <gtest/gtest.h>

namespace ombrix {
namespace {

// Nodes 1..4 along x at 0, 1, 2, 3; node 1 held in full, node 4 held in z only.
Model line() {
    Model model{"Line", StrainLaw::Engineering, {}, {}};
    for (int k = 0; k < 4; ++k)
        model.nodes.push_back({{double(k), 0, 0}, {k == 0, k == 0, k <= 0 || k == 3}});
    for (int k = 0; k < 3; ++k)
        model.members.push_back({k, k + 1, MemberKind::Bar, 1e6, 0, std::nullopt});
    return model;
}

ForceRow box(Point low, Point high) {
    return {LoadedNodes::insideBox, {0, 0, -5}, low, high, {}};
}

ForceRow listed(std::vector<long long> nodes) {
    return {LoadedNodes::listed, {1, 2, 3}, {}, {}, std::move(nodes)};
}

const ForceRow everyFreeNode{LoadedNodes::everyFreeNode, {0, 0, -1}, {}, {}, {}};

PlanRow planRow(int caseNumber, ForceRow row, std::optional<int> steps = std::nullopt) {
    return {"row of case " + std::to_string(caseNumber), caseNumber, std::move(row), steps};
}

struct Selection {
    const char* name;
    ForceRow row;
    std::vector<long long> loaded;
};

const Selection selections[] = {
    {"every free node, a node held in one direction too", everyFreeNode, {2, 3, 4}},
    {"box around the middle", box({0.5, -1, -1}, {2.5, 1, 1}), {2, 3}},
    {"box given by its other corners", box({2.5, 1, 1}, {0.5, -1, -1}), {2, 3}},
    {"box edge on a node", box({3, 0, 0}, {5, 0, 0}), {4}},
    {"box around a held node only loads free ones", box({-1, -1, -1}, {1, 1, 1}), {2}},
    {"listed nodes in the order given", listed({3, 1}), {3, 1}},
};

constexpr const char* afterBlocks = "Loads\r\n2 load cases\r\n0 no case 0\r\n1 1 0\r\n2 1 2 3\r\n"
                                    "2 1 4\r\n3 1 2 3\r\nsnow 0.5\r\nafter 1\r\n";

class Selections : public testing::TestWithParam<Selection> {};

TEST_P(Selections, LoadTheNodesChosen) {
    const Selection& selection = GetParam();
    const Loading loading =
        readLoading(loadingFileText(line(), {"Loads", {planRow(1, selection.row, 2)}}));
    ASSERT_EQ(loading.cases.size(), 1U);
    std::vector<long long> loaded;
    for (const NodalLoad& load : loading.cases[0].loads) {
        loaded.push_back(load.node);
        EXPECT_EQ(load.force, selection.row.force);
    }
    EXPECT_EQ(loaded, selection.loaded);
    EXPECT_EQ(loading.cases[0].steps, 2);
}

INSTANTIATE_TEST_SUITE_P(, Selections, testing::ValuesIn(selections), rowName<Selection>);

TEST(LoadingPlan, CaseZeroComesFirstAndCasesAreInTheOrderOfTheirNumbers) {
    const LoadingPlan plan{"Loads",
                           {planRow(2, box({3, 0, 0}, {3, 0, 0}), 2), planRow(1, everyFreeNode),
                            planRow(0, listed({2}))}};
    const std::string text = loadingFileText(line(), plan);
    EXPECT_EQ(text, "Loads\r\n2 load cases\r\n1 case 0 first\r\n0 1 0\r\n2 1 2 3\r\n"
                    "1 3 0\r\n2 0 0 -1\r\n3 0 0 -1\r\n4 0 0 -1\r\n2 1 2\r\n4 0 0 -5\r\n");
}

// Free text as the heading, as Forces reads it back: one that reads like a comment
// behind a blank.
TEST(LoadingPlan, AnyHeadingIsReadBackAsTheHeading) {
    const std::pair<std::string, std::string> headings[] = {
        {"// wind from the north", " // wind from the north"}, {"", ""}, {"a\r\nb", "a  b"}};
    for (const auto& [typed, read] : headings) {
        const Loading loading =
            readLoading(loadingFileText(line(), {typed, {planRow(1, everyFreeNode)}}));
        EXPECT_EQ(loading.heading, read) << typed;
        EXPECT_EQ(loading.cases.size(), 1U) << typed;
    }
}

struct Refusal {
    const char* name;
    std::vector<PlanRow> rows;
    const char* message;
};

const Refusal refusals[] = {
    {"empty box",
     {planRow(1, box({5, 5, 5}, {6, 6, 6}))},
     "row of case 1: no free node lies inside the box"},
    {"node not in the structure",
     {planRow(1, listed({2, 5}))},
     "row of case 1: node 5 is not in the structure (1 to 4)"},
    {"node zero",
     {planRow(1, listed({0}))},
     "row of case 1: node 0 is not in the structure (1 to 4)"},
    {"node listed twice", {planRow(1, listed({2, 3, 2}))}, "row of case 1: node 2 is listed twice"},
    {"force too large",
     {planRow(1, {LoadedNodes::everyFreeNode, {0, 2e20, 0}, {}, {}, {}})},
     "row of case 1: force y: at most 1e+20 in magnitude, not 2e+20"},
    {"negative steps",
     {planRow(1, everyFreeNode, -1)},
     "row of case 1: load steps: a whole number from 0 to 10000, not -1"},
    {"steps that disagree",
     {planRow(1, listed({2}), 3), planRow(1, listed({3}), 5)},
     "case 1: load steps given as 3 and as 5"},
    {"a case between without rows", {planRow(2, everyFreeNode)}, "case 1: no row gives its loads"},
    {"a node loaded by two rows of a case",
     {planRow(1, listed({3})), {"row 2", 1, listed({2, 3}), std::nullopt}},
     "row 2: case 1 loads node 3 twice"},
    {"a member the model does not have",
     {{"row 4", 1, WordLine{"weight 2 2-9"}, std::nullopt}},
     "row 4: case 1 names member 4, which the model does not have"},
    {"a settlement where no support holds",
     {{"row 5", 1, WordLine{"settle 4 0.1 0 0"}, std::nullopt}},
     "row 5: case 1 moves node 4 in x, a direction that no support holds"},
    {"a combination of a case not in the file",
     {planRow(1, everyFreeNode), {"row 6", 2, WordLine{"combine 1.5 3"}, std::nullopt}},
     "row 6: case 3 is not in the file"},
};

class PlanRefusals : public testing::TestWithParam<Refusal> {};

TEST_P(PlanRefusals, NameTheRowOrCaseAndWhatIsWrong) {
    try {
        loadingFileText(line(), {"Loads", GetParam().rows});
        ADD_FAILURE() << "accepted";
    } catch (const Refused& refused) {
        EXPECT_STREQ(refused.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(, PlanRefusals, testing::ValuesIn(refusals), rowName<Refusal>);

TEST(LoadingPlan, RefusesMoreCasesThanTheSuiteNumbers) {
    EXPECT_THROW(loadingFileText(line(), {"Loads", {planRow(100, everyFreeNode)}}), Refused);
}

struct Typed {
    const char* name;
    RowTexts texts;
    const char* message;
};

const Typed typedRefusals[] = {
    {"case by name",
     {"first", RowKind::forceOnEveryFreeNode, "0 0 1", "", ""},
     "row 3: case: a case number, not \"first\""},
    {"case beyond the last",
     {"100", RowKind::forceOnEveryFreeNode, "0 0 1", "", ""},
     "row 3: case: a whole number from 0 to 99, not \"100\""},
    {"two force components",
     {"1", RowKind::forceOnEveryFreeNode, "0 -1", "", ""},
     "row 3: force: three numbers, Fx Fy Fz, not \"0 -1\""},
    {"decimal comma",
     {"1", RowKind::forceOnEveryFreeNode, "0 0 -1,5", "", ""},
     "row 3: force: three numbers, Fx Fy Fz, not \"0 0 -1,5\""},
    {"box of one corner",
     {"1", RowKind::forceInsideBox, "0 0 1", "1 2 3", ""},
     "row 3: box: six numbers, two corners x y z, not \"1 2 3\""},
    {"node by name",
     {"1", RowKind::forceOnListedNodes, "0 0 1", "4 top", ""},
     "row 3: nodes: node numbers, not \"4 top\""},
    {"no nodes",
     {"1", RowKind::forceOnListedNodes, "0 0 1", " ", ""},
     "row 3: nodes: node numbers, not \" \""},
    {"fractional steps",
     {"1", RowKind::forceOnEveryFreeNode, "0 0 1", "", "2.5"},
     "row 3: load steps: a whole number, not \"2.5\""},
    {"snow of two values",
     {"1", RowKind::snow, "0.8 1", "", ""},
     "row 3: 2 values expected, 3 found"},
    {"weight on members by name",
     {"1", RowKind::weight, "0.5", "guys", ""},
     "row 3: \"guys\" is not a member number, a range such as 1-40, all, cables or bars"},
    {"temperature that stretches by more than half",
     {"1", RowKind::temperature, "1000 0.001", "", ""},
     "row 3: the strain alpha dT of a temperature must not exceed 0.5 in magnitude"},
    {"snow beyond the largest load",
     {"1", RowKind::snow, "2e20", "", ""},
     "row 3: a load must not exceed 1e+20 in magnitude"},
    {"settlement without its node",
     {"1", RowKind::settle, "0 0 -0.1", "", ""},
     "row 3: 5 values expected, 4 found"},
    {"pressure as a word",
     {"1", RowKind::pressure, "high", "", ""},
     "row 3: \"high\" is not a number"},
};

class TypedRefusals : public testing::TestWithParam<Typed> {};

TEST_P(TypedRefusals, NameTheRowAndTheField) {
    try {
        planRowTyped(GetParam().texts, "row 3");
        ADD_FAILURE() << "accepted";
    } catch (const Refused& refused) {
        EXPECT_STREQ(refused.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(, TypedRefusals, testing::ValuesIn(typedRefusals), rowName<Typed>);

TEST(TypedRows, ReadABoxAndTheSteps) {
    const PlanRow row =
        planRowTyped({"2", RowKind::forceInsideBox, "1e3, 0, -2", "0 0 0 5 5 1", "4"}, "");
    const ForceRow& force = std::get<ForceRow>(row.load);
    EXPECT_EQ(force.force, (Point{1000, 0, -2}));
    EXPECT_EQ(force.boxHigh, (Point{5, 5, 1}));
    EXPECT_EQ(row.steps, 4);
    EXPECT_EQ(row.caseNumber, 2);
}

// Each word row's line as the loading file has it: the word, the values and the members as
// typed, separated by one blank.
const std::pair<RowTexts, const char*> wordRows[] = {
    {{"1", RowKind::weight, "0.35", "", ""}, "weight 0.35"},
    {{"1", RowKind::weight, "0.35", "cables", ""}, "weight 0.35 cables"},
    {{"1", RowKind::temperature, "-20,1.2e-5", "1-12  20", ""}, "temperature -20 1.2e-5 1-12 20"},
    {{"1", RowKind::settle, "1 0 0 -0.02", "ignored", ""}, "settle 1 0 0 -0.02"},
    {{"1", RowKind::snow, "0.8", "", ""}, "snow 0.8"},
    {{"1", RowKind::pressure, "\t-0.4 ", "", ""}, "pressure -0.4"},
    {{"3", RowKind::combine, "1.35 0 1.5 1", "", ""}, "combine 1.35 0 1.5 1"},
    {{"2", RowKind::after, "1", "", ""}, "after 1"},
};

TEST(TypedRows, WriteEachWordLine) {
    for (const auto& [texts, written] : wordRows)
        EXPECT_EQ(std::get<WordLine>(planRowTyped(texts, "row 1").load).text, written) << written;
}

// A case after another: its "after" line follows its node lines and its other words,
// whatever the order of its rows.
TEST(LoadingPlan, WritesAnAfterLineLastInItsCase) {
    const LoadingPlan plan{"Loads",
                           {planRow(1, listed({2})),
                            {"row 2", 2, WordLine{"after 1"}, std::nullopt},
                            {"row 3", 2, WordLine{"snow 0.5"}, std::nullopt},
                            planRow(2, listed({3}), 4)}};
    try {
        EXPECT_EQ(loadingFileText(line(), plan), std::string(afterBlocks));
    } catch (const Refused& refused) { // a reader that does not know "after" yet
        EXPECT_STREQ(refused.what(), "row 2: \"after\" is not a load: weight, temperature, "
                                     "settle, snow, pressure or combine expected");
    }
}

// A loading file with every word, as Make_ForceFile writes it: opened, shown as these rows,
// and written back the same.
constexpr const char* everyWord = "Every load\r\n3 load cases\r\n1 case 0 first\r\n"
                                  "0 3 5\r\n2 0 0 -1\r\n3 0 0 -1\r\n4 1.5 0 0\r\n"
                                  "weight 0.5\r\ntemperature 30 0.001 1-2 3\r\n"
                                  "1 0 0\r\nsettle 1 0 0 -0.01\r\nsnow 0.8\r\npressure -0.25\r\n"
                                  "2 0 0\r\ntemperature -10 0.002 bars\r\n"
                                  "3 0 10\r\ncombine 1.35 0 1.5 1 -0.5 2\r\n";

const RowTexts everyWordRows[] = {
    {"0", RowKind::forceOnListedNodes, "0 0 -1", "2 3", "5"},
    {"0", RowKind::forceOnListedNodes, "1.5 0 0", "4", ""},
    {"0", RowKind::weight, "0.5", "", ""},
    {"0", RowKind::temperature, "30 0.001", "1-2 3", ""},
    {"1", RowKind::settle, "1 0 0 -0.01", "", ""},
    {"1", RowKind::snow, "0.8", "", ""},
    {"1", RowKind::pressure, "-0.25", "", ""},
    {"2", RowKind::temperature, "-10 0.002", "bars", ""},
    {"3", RowKind::combine, "1.35 0 1.5 1 -0.5 2", "", "10"},
};

TEST(LoadingPlan, WritesAnOpenedFileBackTheSame) {
    const Loading loading = readLoading(everyWord);
    const std::vector<RowTexts> rows = rowsOf(loading);
    EXPECT_EQ(rows, std::vector<RowTexts>(std::begin(everyWordRows), std::end(everyWordRows)));
    LoadingPlan plan{loading.heading, {}};
    for (std::size_t k = 0; k < rows.size(); ++k)
        plan.rows.push_back(planRowTyped(rows[k], "row " + std::to_string(k + 1)));
    EXPECT_EQ(loadingFileText(line(), plan), everyWord);
}

} // namespace
} // namespace ombrix
