// Glance started as the shell starts it, under Wine here: on the samples it draws and
// saves pictures whose pixels show the members' colours and the supports; a damaged
// geometry file gives Prepare's message and no window.

#include "driver.h"
#include "geometry.h"
#include "input_error.h"
#include "structure_drawing.h"
#include "viewer_commands.h"
#include "viewer_runs.h"

#include <fstream>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

const std::string tripod = "Tripod\r\n5 4\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
                           "4 0.7 0.6 1.5 0 0 0\r\n5 0.7 0.6 4.0 1 1 1\r\n1 1 4 B 1e6 0\r\n"
                           "2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n4 4 5 C 1e5 250\r\n";

class Glance : public ViewerRuns {
  protected:
    void SetUp() override {
        ViewerRuns::SetUp();
        for (const char* sample : {"Bridge.dat", "Cable Net.dat"})
            fs::copy_file(fs::path(OMBRIX_SAMPLES) / sample, folder_ / sample);
        std::ofstream(folder_ / "Tripod.dat", std::ios::binary) << tripod;
    }

    void start(const std::string& arguments) { ViewerRuns::start(OMBRIX_GLANCE, arguments); }
};

struct Sample {
    const char* file;
    bool bars, cables;
};

TEST_F(Glance, SavesAPictureOfEachSampleWithItsMembersColoursAndSupports) {
    for (const Sample& sample :
         {Sample{"Bridge.dat", true, false}, Sample{"Cable Net.dat", false, true},
          Sample{"Tripod.dat", true, true}}) {
        start("\"" + path(sample.file) + "\" /png \"" + path("picture.png") + "\"");
        ASSERT_EQ(exitCode(), 0u) << sample.file << ": " << errors();
        const std::map<COLORREF, int> colours = coloursIn(path("picture.png"));
        EXPECT_EQ(pixelsOf(colours, barColour) > 50, sample.bars) << sample.file;
        EXPECT_EQ(pixelsOf(colours, cableColour) > 50, sample.cables) << sample.file;
        EXPECT_GT(pixelsOf(colours, supportColour), 20) << sample.file;
    }
}

TEST_F(Glance, OpensOnANameWithBlanksUnquotedAndSavesItsPictureFromTheMenu) {
    start(path("Cable Net.dat"));
    HWND window = nullptr;
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return (window = windowOf(processId(), "OMBRIX - Glance - Cable Net.dat")); }));
    PostMessageA(window, WM_COMMAND, SavePicture, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(e2e::waitUntil([&] {
        dialog = windowOf(processId(), "Save");
        return dialog && e2e::className(dialog) == "#32770";
    }));
    e2e::chooseInOpenDialog(dialog, path("saved.png"));
    ASSERT_TRUE(
        e2e::waitUntil([&] { return pixelsOf(coloursIn(path("saved.png")), cableColour) > 50; }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCode(), 0u);
}

TEST_F(Glance, RefusesADamagedGeometryFileWithPreparesMessageAndNoWindow) {
    const std::string damaged = tripod.substr(0, tripod.find("4 4 5")) + "4 4 5 C 1e5\r\n";
    std::ofstream(folder_ / "Damaged.dat", std::ios::binary) << damaged;
    std::string expected;
    try {
        readGeometry(damaged);
    } catch (const InputError& error) {
        expected = describe(Language::English, path("Damaged.dat"), error.line(), error.problem());
    }
    ASSERT_NE(expected.find("line 11"), std::string::npos) << expected;

    start("\"" + path("Damaged.dat") + "\"");
    HWND box = waitForBox("OMBRIX - Glance");
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::messageBoxText(box), expected);
    EXPECT_FALSE(windowOf(processId(), "OMBRIX - Glance - "));
    e2e::answer(box, IDOK);
    EXPECT_EQ(exitCode(), 1u);

    start("\"" + path("Damaged.dat") + "\" /png \"" + path("damaged.png") + "\"");
    EXPECT_EQ(exitCode(), 1u);
    EXPECT_EQ(errors(), expected + "\r\n");
    EXPECT_FALSE(fs::exists(folder_ / "damaged.png"));
    EXPECT_EQ(contentsOf(folder_ / "Damaged.dat"), damaged) << "the geometry file untouched";
}

} // namespace
} // namespace ombrix
