#include "harness.h"
#include "ids.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace e2e;

// The shell with the real Prepare, Forces and Solve in place of the stand-ins.
class RealAnalysis : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        const std::filesystem::path built = pathOf(std::getenv("OMBRIX_SUITE_PROGRAMS"));
        for (const char* role : {"Prepare", "Forces", "Solve"})
            for (const std::string edition : {"", " 20"}) {
                const std::filesystem::path program =
                    installation.exeDir() / (role + edition + ".exe");
                std::filesystem::remove(program);
                std::filesystem::copy_file(built / ("ombrix_" + lower(role) + ".exe"), program);
            }
        data = utf8Text(installation.root() / "Dat") + "\\";
    }

    static std::string lower(std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    // Presses the button and waits for its status line "Finished".
    void runStep(int button, std::size_t linesAfter) {
        click(control(panel, button));
        ASSERT_TRUE(waitUntil(
            [&] { return listItems(control(panel, IDC_PROGRAM_STATUS)).size() == linesAfter; },
            60s));
    }

    std::string read(const std::string& path) const {
        std::ifstream file(pathOf(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    std::string data;
};

TEST_F(RealAnalysis, TheSampleAnalysesRunFromInputToTheSolver) {
    const struct {
        std::string name;
        int listType, language; // items of their lists
        std::vector<std::string> cases;
        std::string reportWord; // a word of the output file's report in its language
    } cases[] = {
        {"Bridge", 2, 1, {"0", "1", "2", "3"}, "Node"},
        {"Cable Net", 1, 2, {"1", "2"}, "Nod"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openPanel();
        typeText(control(panel, IDC_GEOMETRY_FILE), data + c.name + ".dat");
        selectItem(panel, IDC_LIST_TYPE, c.listType);
        selectItem(panel, IDC_OUTPUT_LANGUAGE, c.language);
        runStep(IDC_INPUT, 2);
        runStep(IDC_INCARC, 4);
        EXPECT_EQ(listItems(control(panel, IDC_CASE_LIST)), c.cases);
        click(control(panel, IDC_ALL_CASES));
        ASSERT_TRUE(waitUntil([&] { return isEnabled(control(panel, IDC_ITER)); }));
        runStep(IDC_ITER, 6);
        const std::string work = data + c.name + ".dat.work\\";
        EXPECT_EQ(installation.read("work_dir.dat"), data + c.name + ".dat.work\r\n");
        for (const std::string& number : c.cases)
            EXPECT_TRUE(read(work + number + ".res")
                            .starts_with("case " + number + "\r\nconverged yes\r\n"))
                << number;
        const std::string output = read(data + c.name + ".rez");
        EXPECT_NE(output.find(c.reportWord), std::string::npos) << output.substr(0, 400);
        exitShell();
    }
}

// Prepare refuses a geometry file with a bad line in one message that names the file and
// the line, and the working folder of the last good run is left as it was.
TEST_F(RealAnalysis, ABadGeometryLineIsNamedAndTheWorkingFolderKept) {
    openPanel();
    typeText(control(panel, IDC_GEOMETRY_FILE), data + "Bridge.dat");
    runStep(IDC_INPUT, 2);
    runStep(IDC_INCARC, 4);
    const std::string work = data + "Bridge.dat.work\\";
    const std::string caseFile = read(work + "1.unf");
    ASSERT_FALSE(caseFile.empty());

    std::string geometry = read(data + "Bridge.dat");
    const std::size_t member = geometry.find("    3     3     4   B");
    ASSERT_NE(member, std::string::npos);
    geometry.replace(member, 21, "    3     3    44   B");
    installation.write("../Dat/Bridge.dat", geometry);
    click(control(panel, IDC_INPUT));
    HWND box = waitForMessageBox("OMBRIX - Prepare");
    ASSERT_TRUE(box);
    const std::string message = messageBoxText(box);
    EXPECT_NE(message.find("Bridge.dat"), std::string::npos) << message;
    EXPECT_NE(message.find("27"), std::string::npos) << message;
    answer(box, IDOK);
    ASSERT_TRUE(
        waitUntil([&] { return listItems(control(panel, IDC_PROGRAM_STATUS)).size() == 6; }, 60s));
    EXPECT_EQ(installation.read("work_dir.dat"), data + "Bridge.dat.work\r\n");
    EXPECT_EQ(read(work + "1.unf"), caseFile);
    exitShell();
}
