#include "shell_test.h"

#include "cases/case_selection.h"
#include "cases/loading_head.h"
#include "files/file_set.h"
#include "ids.h"

#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> caseItems(platform::Dialog panel) {
    return fake::control(panel, IDC_CASE_LIST).items;
}

} // namespace

// The shell and Forces read the head alike: what the shell then says of it.
TEST(LoadingHead, ReadsTheCountsAfterCommentsAndHeading) {
    const struct {
        std::string contents;
        int numbered;
        bool caseZero;
        std::string problem; // empty: none
    } cases[] = {
        {"// a\r\n// b\r\nheading\r\n3\r\n1\r\nmore", 3, true, ""},
        {"heading\n  2, two cases\n0 none\n", 2, false, ""},
        {"heading\r\n\t4\tx\r\n+1\r\n", 4, true, ""},
        {"\xEF\xBB\xBFheading\r\n2\r\n1\r\n", 2, true, ""},
        {"heading\r2\r1\r", 2, true, ""},
        {"heading\r\n3", 3, false, "line 3: the file ends before the mark of a case 0."},
        {"// only comments\r\nheading", 0, false,
         "line 3: the file ends before the number of load cases."},
        {"", 0, false, "line 1: the file ends before its heading."},
        {"heading\r\nabc\r\n1\r\n", 0, false,
         "line 2: \"abc\" is not a whole number (the number of load cases)."},
        {"heading\r\n3.5\r\n0\r\n", 0, false, "line 2: \"3.5\" is not a whole number"},
        {"heading\r\n\r\n1\r\n", 0, false,
         "line 2: the line of the number of load cases is blank."},
        {std::string("heading\r\n\x02\x01\r\n1\r\n", 15), 0, false, "line 2: \"??\" is not"},
        {"heading\r\n-2\r\n0\r\n", 0, false,
         "line 2: the number of load cases must lie between 0 and 99."},
        {"heading\r\n100\r\n0\r\n", 0, false, "line 2: the number of load cases must lie"},
        {"heading\r\n2147483648\r\n0\r\n", 0, false, "line 2: the number of load cases must lie"},
        {"heading\r\n2\r\nyes\r\n", 2, false,
         "line 3: \"yes\" is not a whole number (the mark of a case 0)."},
        {"h\r\n// not a comment here\r\n0\r\n", 0, false, "line 2: \"//\" is not"},
        {std::string("h\0e\0a\0d\0", 8), 0, false, "line 1: the file is saved as UTF-16"},
    };
    for (const auto& c : cases) {
        const handoff::LoadingHead head = handoff::readLoadingHead(c.contents);
        const std::string problem = loadingHeadProblem(head);
        EXPECT_EQ(head.caseCount, c.numbered) << c.contents;
        EXPECT_EQ(head.hasCaseZero, c.caseZero) << c.contents;
        EXPECT_TRUE(problem.starts_with(c.problem)) << c.contents << " gives " << problem;
        EXPECT_EQ(problem.empty(), c.problem.empty()) << c.contents;
    }
}

// The panel after INPUT: a loading file named, the working directory C:\Work.
class CaseList : public PanelShellTest {
  protected:
    void SetUp() override {
        PanelShellTest::SetUp();
        fileSet.loadingFile = loadingFile;
        writeFile("work_dir.dat", "C:\\Work\r\n");
        makeFolder("C:\\Work");
    }

    // The list as the loading processor left it, with these cases.
    void offerCases(const std::string& loading, const std::vector<int>& prepared,
                    bool tellProblems = true) {
        writeFile(loadingFile, loading);
        for (int n : prepared)
            writeFile("C:\\Work\\" + std::to_string(n) + ".unf", "");
        readLoadCases(panel, tellProblems);
    }

    static constexpr const char* loadingFile = "C:\\Jobs\\bridge.inc";
};

TEST_F(CaseList, OffersTheCasesThatCanBeSolved) {
    const struct {
        const char* name;
        std::string loading;
        std::vector<int> prepared;
        std::optional<std::string> workDir; // nothing: no work_dir.dat
        std::vector<std::string> items;
        std::string message; // a part of the one message; empty: none
        bool tellProblems = true;
    } cases[] = {
        {"case 0 and cases 1 and 3", "h\r\n3\r\n1\r\n", {0, 1, 3}, "C:\\Work", {"0", "1", "3"}, ""},
        {"no cases", "h\r\n0\r\n0\r\n", {}, "C:\\Work", {}, ""},
        {"case 0 only with its case file", "h\r\n2\r\n5\r\n", {2}, "C:\\Work", {"2"}, ""},
        {"more than 99 cases",
         "h\r\n120\r\n0\r\n",
         {1, 99, 100},
         "C:\\Work",
         {},
         "line 2: the number of load cases must lie between 0 and 99"},
        {"no work_dir.dat",
         "h\r\n2\r\n1\r\n",
         {0, 1},
         std::nullopt,
         {},
         "\"work_dir.dat\" names no working directory"},
        {"empty work_dir.dat", "h\r\n2\r\n1\r\n", {0, 1}, "", {}, "names no working directory"},
        {"missing working directory",
         "h\r\n2\r\n1\r\n",
         {0, 1},
         "C:\\Gone",
         {},
         "\"C:\\Gone\" named by \"work_dir.dat\" does not exist"},
        {"unreadable count",
         "// c\r\nh\r\nN\r\n1\r\n",
         {0, 1},
         "C:\\Work",
         {},
         "line 3: \"N\" is not a whole number"},
        {"short file", "h\r\n", {1}, "C:\\Work", {}, "line 2: the file ends"},
        {"problems the loading processor told", "h\r\n", {1}, "C:\\Work", {}, "", false},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.name);
        if (c.workDir)
            writeFile("work_dir.dat", *c.workDir + "\r\n");
        else
            std::filesystem::remove(fake::hostPath("work_dir.dat"));
        platform::setEnabled(panel, IDC_ITER, true);
        platform::setChecked(panel, IDC_ALL_CASES, true);
        offerCases(c.loading, c.prepared, c.tellProblems);
        EXPECT_EQ(caseItems(panel), c.items);
        EXPECT_EQ(caseSelection.caseCount, static_cast<int>(c.items.size()));
        EXPECT_FALSE(platform::isEnabled(panel, IDC_ITER));
        EXPECT_FALSE(platform::isChecked(panel, IDC_ALL_CASES));
        EXPECT_TRUE(platform::isEnabled(panel, IDC_CASE_CAPTION));
        EXPECT_TRUE(platform::isEnabled(panel, IDC_ALL_CASES));
        EXPECT_EQ(platform::text(panel, IDC_CASE_CAPTION), "Select Cases");
        const auto& messages = fake::state().messages;
        ASSERT_EQ(messages.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_NE(messages[0].text.find(c.message), std::string::npos) << messages[0].text;
            EXPECT_EQ(messages[0].title, "OMBRIX Message");
        }
    });
}

TEST_F(CaseList, ALoadingFileThatCannotBeOpenedIsAskedForAgainUntilCancelled) {
    const struct {
        std::vector<std::optional<std::string>> choices;
        std::vector<std::string> items;
    } cases[] = {
        {{std::nullopt}, {}},
        {{"C:\\Jobs\\gone too.inc", "C:\\Jobs\\other.inc"}, {"0"}},
    };
    forEachRow(cases, [&](const auto& c) {
        writeFile("C:\\Jobs\\other.inc", "h\r\n0\r\n1\r\n");
        writeFile("C:\\Work\\0.unf", "");
        platform::appendItem(panel, IDC_CASE_LIST, "7");
        fake::state().chosenFiles = {c.choices.begin(), c.choices.end()};
        readLoadCases(panel, true);
        EXPECT_EQ(caseItems(panel), c.items);
        EXPECT_EQ(fake::state().fileRequests.size(), c.choices.size());
        ASSERT_FALSE(fake::state().standardOutput.empty());
        EXPECT_EQ(fake::state().standardOutput[0],
                  "Can't open \"Incarc File: \"C:\\Jobs\\bridge.inc");
        EXPECT_FALSE(platform::isEnabled(panel, IDC_ITER));
    });
}

TEST_F(CaseList, TheSelectionNamesItsCasesAndEnablesIter) {
    const struct {
        std::vector<int> clicks; // items toggled by the user
        const char* caption;
        std::vector<std::string> labels;
    } cases[] = {
        {{}, "Select Cases", {}},
        {{2}, "My Case", {"7 "}},
        {{3, 1}, "My Cases", {"0 ", "12"}},
        {{1, 2, 3}, "All Cases", {"0 ", "7 ", "12"}},
        {{1, 2, 3, 2}, "My Cases", {"0 ", "12"}},
    };
    forEachRow(cases, [&](const auto& c) {
        offerCases("h\r\n12\r\n1\r\n", {0, 7, 12});
        platform::setChecked(panel, IDC_ALL_CASES, true);
        for (int item : c.clicks)
            fake::select(panel, IDC_CASE_LIST, item);
        EXPECT_EQ(platform::text(panel, IDC_CASE_CAPTION), c.caption);
        EXPECT_EQ(platform::isEnabled(panel, IDC_ITER), !c.labels.empty());
        ASSERT_EQ(caseSelection.selectedCaseCount, static_cast<int>(c.labels.size()));
        for (std::size_t k = 0; k < c.labels.size(); ++k)
            EXPECT_EQ(caseSelection.selectedCaseLabels[k], c.labels[k]);
        // A selection by hand never checks the box, and unchecks it once incomplete.
        EXPECT_EQ(platform::isChecked(panel, IDC_ALL_CASES), c.clicks.empty());
    });
}

TEST_F(CaseList, TheAllBoxSelectsEveryCaseAndDeselectsOnlyAllOfThem) {
    const struct {
        const char* name;
        std::string loading;
        std::vector<int> prepared;
        std::vector<int> clicksBefore; // items the user selected first
        int boxClicks;
        std::vector<int> selected;
        const char* caption;
    } cases[] = {
        {"checked: every listed case", "h\r\n3\r\n1\r\n", {0, 1, 3}, {}, 1, {1, 2, 3}, "All Cases"},
        {"unchecked while cases lack results",
         "h\r\n3\r\n1\r\n",
         {0, 1, 3},
         {},
         2,
         {1, 2, 3},
         "All Cases"},
        {"unchecked with every case listed", "h\r\n2\r\n0\r\n", {1, 2}, {}, 2, {}, "Select Cases"},
        {"one-item list", "h\r\n1\r\n0\r\n", {1}, {}, 1, {1}, "My Case"},
        {"checked after a hand selection of one",
         "h\r\n2\r\n0\r\n",
         {1, 2},
         {1},
         1,
         {1, 2},
         "All Cases"},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.name);
        offerCases(c.loading, c.prepared);
        for (int item : c.clicksBefore)
            fake::select(panel, IDC_CASE_LIST, item);
        for (int click = 0; click < c.boxClicks; ++click)
            fake::click(panel, IDC_ALL_CASES);
        EXPECT_EQ(platform::selectedItems(panel, IDC_CASE_LIST), c.selected);
        EXPECT_EQ(platform::text(panel, IDC_CASE_CAPTION), c.caption);
        EXPECT_EQ(platform::isEnabled(panel, IDC_ITER), !c.selected.empty());
    });
}

TEST_F(CaseList, TheAllBoxLeavesTheSelectionWhenTheLoadingFileIsGone) {
    offerCases("h\r\n3\r\n0\r\n", {1, 2, 3});
    fake::select(panel, IDC_CASE_LIST, 2);
    std::filesystem::remove(fake::hostPath(loadingFile));
    fake::click(panel, IDC_ALL_CASES);
    EXPECT_EQ(platform::selectedItems(panel, IDC_CASE_LIST), std::vector<int>{2});
    EXPECT_FALSE(platform::isChecked(panel, IDC_ALL_CASES));
    ASSERT_EQ(fake::state().messages.size(), 1u);
    EXPECT_NE(fake::state().messages[0].text.find("cannot be opened"), std::string::npos);
}
