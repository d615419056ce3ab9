// Glance started as the shell starts it, under Wine here: on the samples it draws and
// saves pictures whose pixels show the members' colours and the supports; a damaged
// geometry file gives Prepare's message and no window.

#include "driver.h"
#include "geometry.h"
#include "input_error.h"
#include "structure_drawing.h"
#include "viewer_commands.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <gdiplus.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace ombrix {
namespace {

namespace fs = std::filesystem;
namespace gp = Gdiplus::DllExports;

const std::string tripod = "Tripod\r\n5 4\r\n1 0 0 0 1 1 1\r\n2 2 0 0 1 1 1\r\n3 0 2 0 1 1 1\r\n"
                           "4 0.7 0.6 1.5 0 0 0\r\n5 0.7 0.6 4.0 1 1 1\r\n1 1 4 B 1e6 0\r\n"
                           "2 2 4 B 1e6 0\r\n3 3 4 B 1e6 0\r\n4 4 5 C 1e5 250\r\n";

std::string contentsOf(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// How many pixels of a PNG file hold each colour.
std::map<COLORREF, int> coloursIn(const fs::path& picture) {
    std::map<COLORREF, int> counts;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromFile(picture.wstring().c_str(), &bitmap) != Gdiplus::Ok)
        return counts;
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(bitmap, &width);
    gp::GdipGetImageHeight(bitmap, &height);
    const Gdiplus::Rect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    Gdiplus::BitmapData data{};
    gp::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data);
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x)
            ++counts[static_cast<const DWORD*>(data.Scan0)[y * data.Stride / 4 + x] & 0xFFFFFF];
    gp::GdipBitmapUnlockBits(bitmap, &data);
    gp::GdipDisposeImage(bitmap);
    return counts;
}

int pixelsOf(const std::map<COLORREF, int>& counts, Colour colour) {
    const auto found =
        counts.find(static_cast<COLORREF>(colour.red << 16 | colour.green << 8 | colour.blue));
    return found == counts.end() ? 0 : found->second;
}

// The top-level window of a process whose title starts so.
HWND windowOf(DWORD process, const std::string& title) {
    struct Search {
        DWORD process;
        const std::string& title;
        HWND found = nullptr;
    } search{process, title};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.process && IsWindowVisible(window) &&
                e2e::windowText(window).starts_with(s.title))
                s.found = window;
            return s.found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Glance : public testing::Test {
  protected:
    void SetUp() override {
        // Only the standard error given to Glance is inherited: a Glance that Wine fails to
        // end holds no pipe of ctest's.
        for (DWORD stream : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
            SetHandleInformation(GetStdHandle(stream), HANDLE_FLAG_INHERIT, 0);
        Gdiplus::GdiplusStartup(&gdiplus_, &startup_, nullptr);
        folder_ =
            fs::temp_directory_path() / ("ombrix glance " + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_);
        for (const char* sample : {"Bridge.dat", "Cable Net.dat"})
            fs::copy_file(fs::path(OMBRIX_SAMPLES) / sample, folder_ / sample);
        std::ofstream(folder_ / "Tripod.dat", std::ios::binary) << tripod;
    }
    void TearDown() override {
        end();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        Gdiplus::GdiplusShutdown(gdiplus_);
    }

    // Starts Glance with the arguments, its standard error into a file of its own.
    void start(const std::string& arguments) {
        end();
        errors_ = folder_ / ("errors " + std::to_string(++starts_) + ".txt");
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE errors = CreateFileW(errors_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                    CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errors;
        std::string commandLine = "\"" OMBRIX_GLANCE "\" " + arguments;
        const bool started =
            CreateProcessA(OMBRIX_GLANCE, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           folder_.string().c_str(), &startup, &process_);
        CloseHandle(errors);
        ASSERT_TRUE(started);
    }

    void end() {
        if (!process_.hProcess)
            return;
        TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_ = {};
    }

    DWORD exitCode() {
        WaitForSingleObject(process_.hProcess, 60'000);
        DWORD code = 999;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    std::string errors() const { return contentsOf(errors_); }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
    fs::path errors_;
    int starts_ = 0;
    PROCESS_INFORMATION process_{};
    Gdiplus::GdiplusStartupInput startup_;
    ULONG_PTR gdiplus_ = 0;
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
    ASSERT_TRUE(e2e::waitUntil([&] {
        return (window = windowOf(process_.dwProcessId, "OMBRIX - Glance - Cable Net.dat"));
    }));
    PostMessageA(window, WM_COMMAND, SavePicture, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(e2e::waitUntil([&] {
        dialog = windowOf(process_.dwProcessId, "Save");
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
    HWND box = e2e::waitForMessageBox("OMBRIX - Glance");
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::messageBoxText(box), expected);
    EXPECT_FALSE(windowOf(process_.dwProcessId, "OMBRIX - Glance - "));
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
