// Compound and CompoundPost started as the shell starts them, with a TAB, in the Exe folder
// of an installation: a user's journey through each. The compound Compound saves is read
// by the real Prepare; CompoundPost splits what the real Solve left.

#include "compound_controls.h"
#include "compound_files.h"
#include "driver.h"
#include "geometry.h"
#include "handoff/records.h"
#include "viewer_runs.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

const char* const tripod = "Tripod\r\n4 3\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
                           "4 0.7 0.6 1.5 0 0 0\r\n1 1 4 B 1e6 0\r\n2 2 4 B 1e6 0\r\n"
                           "3 3 4 B 1e6 0\r\n";
// The second tripod's apex, the compound's node 6, loaded across.
const char* const pairLoads = "Pair\r\n1\r\n0\r\n1 2 0\r\n4 0 0 -10\r\n6 0 5 -10\r\n";
const Placement turned{{2, 0, 0}, 90};

class Compounds : public InstallationRuns {
  protected:
    void SetUp() override {
        InstallationRuns::SetUp();
        std::ofstream(folder_ / "Dat" / "Tripod.dat", std::ios::binary) << tripod;
    }

    bool statusIs(HWND window, const std::string& text) {
        return e2e::waitUntil(
            [&] { return e2e::windowText(e2e::control(window, StatusText)) == text; });
    }

    // Compound started, given Tripod.dat twice: its window.
    HWND addTwoTripods() {
        HWND window = startFromExe(OMBRIX_COMPOUND, "OMBRIX - Compound");
        for (int part = 1; window && part <= 2; ++part) {
            e2e::click(e2e::control(window, AddPartButton));
            chooseFile("Open", path("Dat\\Tripod.dat"));
            EXPECT_TRUE(e2e::waitUntil([&] {
                return SendMessageA(e2e::control(window, PartTable), LVM_GETITEMCOUNT, 0, 0) ==
                       part;
            }));
        }
        return window;
    }

    // The parts joined into Pair.dat and Pair.map, and the pair solved under its loads.
    void solvePair(const std::vector<Part>& parts) {
        const CompoundTexts texts = compoundTexts(joinParts(parts, 1e-6));
        std::ofstream(folder_ / "Dat" / "Pair.dat", std::ios::binary) << texts.geometry;
        std::ofstream(folder_ / "Dat" / "Pair.map", std::ios::binary) << texts.map;
        std::ofstream(folder_ / "Dat" / "Pair.inc", std::ios::binary) << pairLoads;
        run(OMBRIX_PREPARE, "\"..\\Dat\\Pair.dat\" \"..\\Dat\\Pair.rez\" Short English");
        run(OMBRIX_FORCES, "\"..\\Dat\\Pair.inc\"");
        run(OMBRIX_SOLVE, "1");
    }

    // Compound's question or message: its text, once answered.
    std::string answered(int button) {
        HWND box = waitForBox("OMBRIX - Compound");
        const std::string text = e2e::messageBoxText(box);
        e2e::answer(box, button);
        return text;
    }
};

TEST_F(Compounds, CompoundJoinsTwoTripodsThatPrepareReads) {
    HWND window = addTwoTripods();
    ASSERT_TRUE(window);
    EXPECT_TRUE(statusIs(window, "parts that overlap badly: member 1 of part 2 (" +
                                     path("Dat\\Tripod.dat") +
                                     ") joins the same nodes as member 1 of part 1 (" +
                                     path("Dat\\Tripod.dat") + ")"));
    e2e::typeText(e2e::control(window, ShiftXField), "2");
    e2e::typeText(e2e::control(window, RotationField), "90");
    EXPECT_TRUE(statusIs(window, "6 nodes, 6 members; 2 nodes merged where parts meet"));

    e2e::click(e2e::control(window, SaveButton));
    chooseFile("Save", path("Dat\\Pair.dat"));
    ASSERT_TRUE(e2e::waitUntil([&] { return fs::exists(folder_ / "Dat" / "Pair.map"); }));
    e2e::click(e2e::control(window, CloseButton));
    EXPECT_EQ(exitCode(), 0u);

    run(OMBRIX_PREPARE, "\"..\\Dat\\Pair.dat\" \"..\\Dat\\Pair.rez\" Short English");
    EXPECT_NE(contentsOf(folder_ / "Dat" / "Pair.map").find("part 2 2 0 0 90 "), std::string::npos);
}

// A map held open by another program: Save changes neither file; closing asks first.
TEST_F(Compounds, CompoundSavesBothFilesOrNeitherAndAsksBeforeClosing) {
    std::ofstream(folder_ / "Dat" / "Pair.map", std::ios::binary) << "held";
    HANDLE held = CreateFileA(path("Dat\\Pair.map").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    HWND window = addTwoTripods();
    ASSERT_TRUE(window);
    e2e::typeText(e2e::control(window, RotationField), "90");
    e2e::typeText(e2e::control(window, ShiftXField), "2");
    e2e::click(e2e::control(window, SaveButton));
    chooseFile("Save", path("Dat\\Pair.dat"));
    EXPECT_NE(answered(IDYES).find("Pair.map already exists"), std::string::npos);
    EXPECT_NE(answered(IDOK).find("Nothing was saved: " + path("Dat\\Pair.dat") + " is as it was."),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "Dat" / "Pair.dat"));
    CloseHandle(held);

    PostMessageA(window, WM_CLOSE, 0, 0);
    HWND question = waitForBox("OMBRIX - Compound");
    EXPECT_EQ(e2e::windowText(GetDlgItem(question, IDNO)), "Do&n't save");
    EXPECT_EQ(answered(IDCANCEL), "Save the compound before closing?");
    e2e::pressKey(e2e::control(window, AddPartButton), VK_ESCAPE);
    EXPECT_EQ(answered(IDYES), "Save the compound before closing?");
    chooseFile("Save", path("Dat\\Pair.dat"));
    answered(IDYES); // Pair.map already exists
    EXPECT_EQ(exitCode(), 0u);
}

// The line of the file that starts so, split into its values.
std::vector<std::string> lineOf(const fs::path& file, const std::string& start) {
    std::istringstream lines(contentsOf(file));
    std::vector<std::string> values;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(start)) {
            std::istringstream fields(line);
            for (std::string field; fields >> field;)
                values.push_back(field);
            break;
        }
    return values;
}

std::string negated(const std::string& number) {
    return number.starts_with('-') ? number.substr(1) : "-" + number;
}

TEST_F(Compounds, CompoundPostWritesEachPartsResults) {
    const Part part{path("Dat\\Tripod.dat"), {}, readGeometry(tripod)};
    solvePair({part, {part.file, turned, part.model}});

    const std::string title = "OMBRIX - CompoundPost";
    start(OMBRIX_COMPOUNDPOST, "\t", folder_ / "Exe");
    chooseFile("Open", path("Dat\\Pair.map"));
    HWND box = waitForBox(title);
    ASSERT_TRUE(box);
    EXPECT_NE(e2e::messageBoxText(box).find("Pair.2.Tripod.txt"), std::string::npos);
    e2e::answer(box, IDOK);
    HWND window = nullptr;
    ASSERT_TRUE(
        e2e::waitUntil([&] { return (window = windowOf(processId(), title + " - Pair.map")); }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCode(), 0u);

    // The second part was turned a quarter: its x is the compound's y, its y the compound's -x.
    const std::vector<std::string> apex =
        lineOf(folder_ / "Dat" / "Pair.dat.work" / "1.res", "node 6 ");
    ASSERT_EQ(apex.size(), 5u);
    EXPECT_EQ(lineOf(folder_ / "Dat" / "Pair.2.Tripod.txt", "node 4 "),
              (std::vector<std::string>{"node", "4", apex[3], negated(apex[2]), apex[4]}));
    const std::vector<std::string> member =
        lineOf(folder_ / "Dat" / "Pair.dat.work" / "1.res", "member 5 ");
    ASSERT_EQ(member.size(), 3u);
    EXPECT_EQ(lineOf(folder_ / "Dat" / "Pair.2.Tripod.txt", "member 2 "),
              (std::vector<std::string>{"member", "2", member[2]}));
}

// TripodB.dat, a copy of Tripod.dat, had members 1 and 2 swapped after Compound joined it.
TEST_F(Compounds, CompoundPostRefusesAPartChangedSinceItWasJoined) {
    std::ofstream(folder_ / "Dat" / "TripodB.dat", std::ios::binary) << tripod;
    const FileMark mark{std::string(tripod).size(), handoff::digestOf(tripod), {}};
    const Part part{path("Dat\\Tripod.dat"), {}, readGeometry(tripod), mark};
    solvePair({part, {path("Dat\\TripodB.dat"), turned, part.model, mark}});
    std::string swapped = tripod;
    swapped.replace(swapped.find("1 1 4 B 1e6 0\r\n2 2 4"), 20, "1 2 4 B 1e6 0\r\n2 1 4");
    std::ofstream(folder_ / "Dat" / "TripodB.dat", std::ios::binary) << swapped;

    start(OMBRIX_COMPOUNDPOST, "\t", folder_ / "Exe");
    chooseFile("Open", path("Dat\\Pair.map"));
    HWND box = waitForBox("OMBRIX - CompoundPost");
    EXPECT_EQ(e2e::messageBoxText(box),
              path("Dat\\TripodB.dat") + " has changed since Compound joined it: join again");
    e2e::answer(box, IDOK);
    EXPECT_EQ(exitCode(), 1u);
}

} // namespace
} // namespace ombrix
