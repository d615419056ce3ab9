// The nodes each row of a loading plan loads, and the rows it refuses.

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

CaseRow box(Point low, Point high) {
    return {LoadedNodes::insideBox, {0, 0, -5}, low, high, {}, 2};
}

CaseRow listed(std::vector<long long> nodes) {
    return {LoadedNodes::listed, {1, 2, 3}, {}, {}, std::move(nodes), 0};
}

const CaseRow everyFreeNode{LoadedNodes::everyFreeNode, {0, 0, -1}, {}, {}, {}, 0};

struct Selection {
    const char* name;
    CaseRow row;
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

class Selections : public testing::TestWithParam<Selection> {};

TEST_P(Selections, LoadTheNodesChosen) {
    const Selection& selection = GetParam();
    const Loading loading = readLoading(
        loadingFileText(makeLoading(line(), {"Loads", std::nullopt, {selection.row}}), line()));
    ASSERT_EQ(loading.cases.size(), 1U);
    std::vector<long long> loaded;
    for (const NodalLoad& load : loading.cases[0].loads) {
        loaded.push_back(load.node);
        EXPECT_EQ(load.force, selection.row.force);
    }
    EXPECT_EQ(loaded, selection.loaded);
    EXPECT_EQ(loading.cases[0].steps, selection.row.steps);
}

INSTANTIATE_TEST_SUITE_P(, Selections, testing::ValuesIn(selections), rowName<Selection>);

TEST(LoadingPlan, CaseZeroComesFirstAndCasesAreNumberedInOrder) {
    const LoadingPlan plan{"Loads", listed({2}), {everyFreeNode, box({3, 0, 0}, {3, 0, 0})}};
    const std::string text = loadingFileText(makeLoading(line(), plan), line());
    EXPECT_EQ(text, "Loads\r\n2 load cases\r\n1 case 0 first\r\n0 1 0\r\n2 1 2 3\r\n"
                    "1 3 0\r\n2 0 0 -1\r\n3 0 0 -1\r\n4 0 0 -1\r\n2 1 2\r\n4 0 0 -5\r\n");
}

// Free text as the heading, as Forces reads it back: one that reads like a comment
// behind a blank.
TEST(LoadingPlan, AnyHeadingIsReadBackAsTheHeading) {
    const std::pair<std::string, std::string> headings[] = {
        {"// wind from the north", " // wind from the north"}, {"", ""}, {"a\r\nb", "a  b"}};
    for (const auto& [typed, read] : headings) {
        const Loading loading = readLoading(
            loadingFileText(makeLoading(line(), {typed, std::nullopt, {everyFreeNode}}), line()));
        EXPECT_EQ(loading.heading, read) << typed;
        EXPECT_EQ(loading.cases.size(), 1U) << typed;
    }
}

struct Refusal {
    const char* name;
    CaseRow row;
    const char* message;
};

const Refusal refusals[] = {
    {"empty box", box({5, 5, 5}, {6, 6, 6}), "case 1: no free node lies inside the box"},
    {"node not in the structure", listed({2, 5}),
     "case 1: node 5 is not in the structure (1 to 4)"},
    {"node zero", listed({0}), "case 1: node 0 is not in the structure (1 to 4)"},
    {"node listed twice", listed({2, 3, 2}), "case 1: node 2 is listed twice"},
    {"force too large",
     {LoadedNodes::everyFreeNode, {0, 2e20, 0}, {}, {}, {}, 0},
     "case 1: force y: at most 1e+20 in magnitude, not 2e+20"},
    {"negative steps",
     {LoadedNodes::everyFreeNode, {0, 0, 1}, {}, {}, {}, -1},
     "case 1: load steps: a whole number from 0 to 10000, not -1"},
};

class PlanRefusals : public testing::TestWithParam<Refusal> {};

TEST_P(PlanRefusals, NameTheCaseAndWhatIsWrong) {
    try {
        makeLoading(line(), {"Loads", std::nullopt, {GetParam().row}});
        ADD_FAILURE() << "accepted";
    } catch (const Refused& refused) {
        EXPECT_STREQ(refused.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(, PlanRefusals, testing::ValuesIn(refusals), rowName<Refusal>);

TEST(LoadingPlan, RefusesMoreCasesThanTheSuiteNumbers) {
    EXPECT_THROW(makeLoading(line(), {"Loads", std::nullopt, std::vector(100, everyFreeNode)}),
                 Refused);
}

struct Typed {
    const char* name;
    CaseTexts texts;
    const char* message;
};

const Typed typedRefusals[] = {
    {"two force components",
     {LoadedNodes::everyFreeNode, "0 -1", "", ""},
     "case 3: force: three numbers, Fx Fy Fz, not \"0 -1\""},
    {"decimal comma",
     {LoadedNodes::everyFreeNode, "0 0 -1,5", "", ""},
     "case 3: force: three numbers, Fx Fy Fz, not \"0 0 -1,5\""},
    {"box of one corner",
     {LoadedNodes::insideBox, "0 0 1", "1 2 3", ""},
     "case 3: box: six numbers, two corners x y z, not \"1 2 3\""},
    {"node by name",
     {LoadedNodes::listed, "0 0 1", "4 top", ""},
     "case 3: nodes: node numbers, not \"4 top\""},
    {"no nodes", {LoadedNodes::listed, "0 0 1", " ", ""}, "case 3: nodes: node numbers, not \" \""},
    {"fractional steps",
     {LoadedNodes::everyFreeNode, "0 0 1", "", "2.5"},
     "case 3: load steps: a whole number, not \"2.5\""},
};

class TypedRefusals : public testing::TestWithParam<Typed> {};

TEST_P(TypedRefusals, NameTheCaseAndTheField) {
    try {
        caseRowTyped(GetParam().texts, "case 3");
        ADD_FAILURE() << "accepted";
    } catch (const Refused& refused) {
        EXPECT_STREQ(refused.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(, TypedRefusals, testing::ValuesIn(typedRefusals), rowName<Typed>);

TEST(TypedCases, ReadABoxAndTheSteps) {
    const CaseRow row =
        caseRowTyped({LoadedNodes::insideBox, "1e3, 0, -2", "0 0 0 5 5 1", "4"}, "");
    EXPECT_EQ(row.force, (Point{1000, 0, -2}));
    EXPECT_EQ(row.boxHigh, (Point{5, 5, 1}));
    EXPECT_EQ(row.steps, 4);
}

} // namespace
} // namespace ombrix
