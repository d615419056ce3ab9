// Plotter, PlotterD, PeakFinder and Charts started as the shell starts them, with a TAB, in
// the Exe folder of an installation whose sample analysis the real Prepare, Forces and
// Solve have prepared and solved: the pictures and tables they make show what the results
// hold, and a missing or damaged file gives its message, without a file of the analysis
// changed.

#include "charts_dialog.h"
#include "displaced_view.h"
#include "driver.h"
#include "path_chart.h"
#include "table_window.h"
#include "viewer_commands.h"
#include "viewer_runs.h"

#include <commctrl.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

constexpr Colour tension = {180, 4, 38}, compression = {59, 76, 192};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

class SolvedSample : public ViewerRuns {
  protected:
    // The sample prepared, loaded and solved in the cases given, from an Exe folder.
    void solve(const std::string& sample, const std::string& cases) {
        fs::create_directories(folder_ / "Exe");
        fs::create_directories(folder_ / "Dat");
        for (const char* extension : {".dat", ".inc"})
            fs::copy_file(fs::path(OMBRIX_SAMPLES) / (sample + extension),
                          folder_ / "Dat" / (sample + extension));
        work_ = folder_ / "Dat" / (sample + ".dat.work");
        const std::string files = "\"..\\Dat\\" + sample;
        run(OMBRIX_PREPARE, files + ".dat\" " + files + ".rez\" Short English");
        run(OMBRIX_FORCES, files + ".inc\"");
        run(OMBRIX_SOLVE, cases);
        analysis_ = analysisFiles();
    }

    void run(const char* program, const std::string& arguments) {
        start(program, arguments, folder_ / "Exe");
        ASSERT_EQ(exitCode(), 0u) << program << " " << arguments;
    }

    // The program started by the shell's button; the file is written for a script.
    void startFromExe(const char* program, const std::string& output = "", const char* s = "") {
        start(program, output.empty() ? "\t" : "\t " + std::string(s) + " \"" + path(output) + "\"",
              folder_ / "Exe");
    }

    std::map<fs::path, std::string> analysisFiles() const {
        std::map<fs::path, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder_ / "Dat"))
            if (entry.is_regular_file())
                files[entry.path()] = contentsOf(entry.path());
        return files;
    }

    void expectMembersEnvelope(const std::vector<std::string>& rows) const;

    // The results file cut before its line.
    void cutResults(int loadCase, const std::string& line) {
        const fs::path file = work_ / (std::to_string(loadCase) + ".res");
        const std::string text = contentsOf(file);
        std::ofstream(file, std::ios::binary) << text.substr(0, text.find(line));
    }

    fs::path work_;
    std::map<fs::path, std::string> analysis_;
};

TEST_F(SolvedSample, PlotterDrawsThePreparedNetInItsTensionAndSaysWhenNoneIsPrepared) {
    solve("Cable Net", "1");
    startFromExe(OMBRIX_PLOTTER, "plotter.png", "/png");
    ASSERT_EQ(exitCode(), 0u) << errors();
    const std::map<COLORREF, int> colours = coloursIn(path("plotter.png"));
    EXPECT_GT(pixelsOf(colours, tension), 200) << "every cable at its pretension";
    EXPECT_GT(pixelsOf(colours, supportColour), 20);

    fs::remove(folder_ / "Exe" / "work_dir.dat");
    startFromExe(OMBRIX_PLOTTER);
    HWND box = waitForBox("OMBRIX - Plotter");
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::messageBoxText(box), (folder_ / "Exe" / "work_dir.dat").string() +
                                            ": no analysis is prepared: run INPUT first");
    e2e::answer(box, IDOK);
    EXPECT_EQ(exitCode(), 1u);
    EXPECT_EQ(analysisFiles(), analysis_);
}

// The lowest row of the picture that holds the colour.
int lowestRowOf(const Picture& picture, Colour colour) {
    const auto wanted = static_cast<COLORREF>(colour.red << 16 | colour.green << 8 | colour.blue);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.pixels[static_cast<std::size_t>(y * picture.width + x)] == wanted)
                return y;
    return -1;
}

TEST_F(SolvedSample, PlotterDDrawsTheBridgeDisplacedInTensionAndCompressionAndRefusesADamagedCase) {
    solve("Bridge", "0 1 2 3");
    startFromExe(OMBRIX_PLOTTERD, "plotterd.png", "/png");
    ASSERT_EQ(exitCode(), 0u) << errors();
    const std::map<COLORREF, int> colours = coloursIn(path("plotterd.png"));
    EXPECT_GT(pixelsOf(colours, tension), 50) << "the bottom chord";
    EXPECT_GT(pixelsOf(colours, compression), 50) << "the top chord";
    EXPECT_GT(pixelsOf(colours, givenGeometryColour), 200);
    const Picture picture = pictureIn(path("plotterd.png"));
    EXPECT_GT(lowestRowOf(picture, tension), lowestRowOf(picture, givenGeometryColour) + 20)
        << "the bottom chord sags below its place in the geometry given";

    startFromExe(OMBRIX_PLOTTERD);
    HWND window = nullptr;
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return (window = windowOf(processId(), "OMBRIX - PlotterD - Bridge.dat case 0")); }));
    cutResults(3, "member 7 ");
    PostMessageA(window, WM_COMMAND, FirstCase + 3, 0);
    HWND box = waitForBox("OMBRIX - PlotterD");
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::messageBoxText(box),
              (work_ / "3.res").string() + ", line 19: a line \"member 7 N\" expected");
    e2e::answer(box, IDOK);
    PostMessageA(window, WM_COMMAND, FirstCase + 2, 0);
    EXPECT_TRUE(e2e::waitUntil([&] { return e2e::windowText(window).ends_with("case 2"); }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCode(), 0u);
    EXPECT_EQ(analysisFiles().size(), analysis_.size());
}

// The largest value in the results file's lines of a kind, of the vector's length for the
// nodes' and the reactions', with the node or member it is at.
std::pair<double, int> largestOf(const std::string& results, const std::string& kind,
                                 double sense) {
    std::pair<double, int> largest{0, 0};
    for (const std::string& line : split(results, '\n')) {
        std::istringstream fields(line);
        std::string keyword;
        int item = 0;
        double x = 0, y = 0, z = 0;
        fields >> keyword >> item >> x >> y >> z;
        const double value = kind == "member" ? sense * x : std::sqrt(x * x + y * y + z * z);
        if (keyword == kind && value > largest.first)
            largest = {value, item};
    }
    return {sense * largest.first, largest.second};
}

// Each member's row of the envelope: its largest tension over the four cases and the case,
// as the results files hold them.
void SolvedSample::expectMembersEnvelope(const std::vector<std::string>& rows) const {
    ASSERT_GT(rows.size(), 16u);
    EXPECT_TRUE(rows[0].starts_with("Member,Largest tension,in case,")) << rows[0];
    for (int member = 1; member <= 15; ++member) {
        std::pair<double, int> largest{0, -1};
        for (int loadCase = 0; loadCase < 4; ++loadCase) {
            const std::string results = contentsOf(work_ / (std::to_string(loadCase) + ".res"));
            const std::string line = "member " + std::to_string(member) + " ";
            const double force = std::stod(results.substr(results.find(line) + line.size()));
            if (force > largest.first)
                largest = {force, loadCase};
        }
        const std::vector<std::string> cells = split(rows[static_cast<std::size_t>(member)], ',');
        ASSERT_GE(cells.size(), 3u) << member;
        EXPECT_EQ(cells[1].empty() ? -1 : std::stoi(cells[2]), largest.second) << member;
        if (largest.second >= 0) {
            EXPECT_NEAR(std::stod(cells[1]), largest.first, 1e-5 * largest.first) << member;
        }
    }
}

TEST_F(SolvedSample, PeakFinderSavesTheBridgesPeaksAsTheResultsHoldThemAndRefusesACutFile) {
    solve("Bridge", "0 1 2 3");
    startFromExe(OMBRIX_PEAKFINDER, "peaks.csv", "/csv");
    ASSERT_EQ(exitCode(), 0u) << errors();
    const std::vector<std::string> rows = split(contentsOf(path("peaks.csv")), '\n');
    ASSERT_GT(rows.size(), 7u);
    EXPECT_EQ(rows[6], "\r") << "the columns, four cases and the envelope, then the members'";
    for (int loadCase = 0; loadCase < 4; ++loadCase) {
        const std::vector<std::string> cells = split(rows[loadCase + 1], ',');
        const std::string results = contentsOf(work_ / (std::to_string(loadCase) + ".res"));
        EXPECT_EQ(cells[0], std::to_string(loadCase));
        for (const auto& [column, kind, sense] :
             {std::tuple{2, "node", 1.0}, std::tuple{7, "member", 1.0},
              std::tuple{9, "member", -1.0}, std::tuple{11, "reaction", 1.0}}) {
            const auto [value, item] = largestOf(results, kind, sense);
            EXPECT_NEAR(std::stod(cells[column]), value, 1e-5 * std::abs(value))
                << loadCase << " " << kind;
            EXPECT_EQ(std::stoi(cells[column + 1]), item) << loadCase << " " << kind;
        }
    }
    EXPECT_TRUE(rows[5].starts_with("Envelope,yes,0.0151723,3 (case 1),")) << rows[5];
    expectMembersEnvelope(std::vector<std::string>(rows.begin() + 7, rows.end()));

    startFromExe(OMBRIX_PEAKFINDER);
    HWND window = nullptr;
    ASSERT_TRUE(e2e::waitUntil(
        [&] { return (window = windowOf(processId(), "OMBRIX - PeakFinder - Bridge.dat")); }));
    HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
    PostMessageA(window, WM_COMMAND, FirstSheet + 1, 0);
    EXPECT_TRUE(e2e::waitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 15; }))
        << "the envelope of each of the 15 members";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCode(), 0u);

    cutResults(2, "reaction 5 ");
    startFromExe(OMBRIX_PEAKFINDER, "cut.csv", "/csv");
    EXPECT_EQ(exitCode(), 1u);
    EXPECT_EQ(errors(), (work_ / "2.res").string() +
                            ", line 32: a line \"reaction 5 Rx Ry Rz\" expected\r\n");
    EXPECT_FALSE(fs::exists(path("cut.csv")));
}

struct ExportRun {
    const char* arguments; // after PlotterD's name, the file to write added
    DWORD exitCode;
    const char* written; // how the file begins; or the error's beginning when refused
};

TEST_F(SolvedSample, PlotterDExportsASolvedCaseWithoutAWindowAndRefusesWhatNoLongerMatches) {
    solve("Bridge", "0 1");
    const ExportRun runs[] = {
        {"--export dxf ..\\Dat\\Bridge.dat 1", 0, "  0\r\nSECTION\r\n  2\r\nHEADER\r\n"},
        {"--export VTK ..\\Dat\\Bridge.dat 0", 0, "# vtk DataFile Version 3.0\nOMBRIX case 0\n"},
        {"--export csv ..\\Dat\\Bridge.dat 2", 1,
         "load case 2 of this analysis is not solved: run ITER"},
        {"--export pdf ..\\Dat\\Bridge.dat 1", 1, "usage: PlotterD --export csv|dxf|vtk"},
        {"--export csv ..\\Dat\\Tripod.dat 1", 1, ""}, // its own folder is not prepared
    };
    for (const ExportRun& run : runs) {
        fs::remove(path("exported"));
        start(OMBRIX_PLOTTERD, std::string(run.arguments) + " \"" + path("exported") + "\"",
              folder_ / "Exe");
        ASSERT_EQ(exitCode(), run.exitCode) << run.arguments << ": " << errors();
        if (run.exitCode == 0) {
            EXPECT_TRUE(contentsOf(path("exported")).starts_with(run.written)) << run.arguments;
            continue;
        }
        EXPECT_TRUE(errors().starts_with(run.written)) << run.arguments << ": " << errors();
        EXPECT_FALSE(fs::exists(path("exported"))) << run.arguments;
    }
    EXPECT_EQ(analysisFiles(), analysis_);

    std::ofstream(folder_ / "Dat" / "Bridge.dat", std::ios::app) << "\r\n";
    start(OMBRIX_PLOTTERD, "--export csv ..\\Dat\\Bridge.dat 1 \"" + path("stale.csv") + "\"",
          folder_ / "Exe");
    EXPECT_EQ(exitCode(), 1u);
    EXPECT_NE(errors().find("Bridge.dat has changed since INPUT read it: run INPUT again"),
              std::string::npos)
        << errors();
    EXPECT_FALSE(fs::exists(path("stale.csv")));
}

TEST_F(SolvedSample, ChartsDrawsTheBridgesPathAndForcesAndRefusesADamagedPath) {
    solve("Bridge", "0 1 2 3");
    startFromExe(OMBRIX_CHARTS, "charts.png", "/png");
    ASSERT_EQ(exitCode(), 0u) << errors();
    const std::map<COLORREF, int> colours = coloursIn(path("charts.png"));
    EXPECT_GT(pixelsOf(colours, pathColour), 300) << "the path of the node that moved farthest";
    EXPECT_GT(pixelsOf(colours, tension), 1000) << "the bottom chord's bars";
    EXPECT_GT(pixelsOf(colours, compression), 1000) << "the top chord's bars";

    // The node the user asks for: one outside the model is refused with its range, and the
    // picture then offered for saving is that of the node chosen.
    startFromExe(OMBRIX_CHARTS);
    HWND window = nullptr, dialog = nullptr, warning = nullptr;
    ASSERT_TRUE(
        e2e::waitUntil([&] { return (window = windowOf(processId(), "OMBRIX - Charts")); }));
    PostMessageA(window, WM_COMMAND, ChooseNode, 0);
    ASSERT_TRUE(e2e::waitUntil([&] { return (dialog = windowOf(processId(), "Node")); }));
    const auto askFor = [&](const char* node) {
        e2e::typeText(e2e::control(dialog, IDC_NODE_NUMBER), node);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    askFor("99");
    ASSERT_TRUE(e2e::waitUntil([&] {
        warning = FindWindowA("#32770", "Node"); // the newest of the two
        return warning && warning != dialog;
    }));
    EXPECT_EQ(e2e::messageBoxText(warning), "Give a node number from 1 to 9.");
    e2e::answer(warning, IDOK);
    askFor("4");
    PostMessageA(window, WM_COMMAND, SavePicture, 0);
    HWND save = nullptr;
    ASSERT_TRUE(e2e::waitUntil([&] { return (save = windowOf(processId(), "Save")); }));
    EXPECT_EQ(e2e::windowText(GetDlgItem(save, 0x47c)), "Bridge case 0 node 4.png");
    PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCode(), 0u);

    const fs::path damaged = work_ / "0.pth";
    std::string text = contentsOf(damaged);
    text.replace(text.find("state 1"), 7, "state one");
    std::ofstream(damaged, std::ios::binary) << text;
    startFromExe(OMBRIX_CHARTS, "damaged.png", "/png");
    EXPECT_EQ(exitCode(), 1u);
    EXPECT_EQ(errors(), damaged.string() + ", line 4: \"one\" is not a number\r\n");
    EXPECT_FALSE(fs::exists(path("damaged.png")));
    analysis_[damaged] = text;
    EXPECT_EQ(analysisFiles(), analysis_);
}

} // namespace
} // namespace ombrix
