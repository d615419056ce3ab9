#include "viewer_runs.h"

#include "driver.h"

#include <gdiplus.h>

#include <fstream>
#include <functional>

namespace ombrix {

namespace fs = std::filesystem;
namespace gp = Gdiplus::DllExports;

std::string contentsOf(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

Picture pictureIn(const fs::path& file) {
    Picture picture;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromFile(file.wstring().c_str(), &bitmap) != Gdiplus::Ok)
        return picture;
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(bitmap, &width);
    gp::GdipGetImageHeight(bitmap, &height);
    const Gdiplus::Rect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    Gdiplus::BitmapData data{};
    gp::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data);
    picture = {static_cast<int>(width), static_cast<int>(height), {}};
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x)
            picture.pixels.push_back(
                static_cast<const DWORD*>(data.Scan0)[y * data.Stride / 4 + x] & 0xFFFFFF);
    gp::GdipBitmapUnlockBits(bitmap, &data);
    gp::GdipDisposeImage(bitmap);
    return picture;
}

std::map<COLORREF, int> coloursIn(const fs::path& picture) {
    std::map<COLORREF, int> counts;
    for (const COLORREF pixel : pictureIn(picture).pixels)
        ++counts[pixel];
    return counts;
}

int pixelsOf(const std::map<COLORREF, int>& counts, Colour colour) {
    const auto found =
        counts.find(static_cast<COLORREF>(colour.red << 16 | colour.green << 8 | colour.blue));
    return found == counts.end() ? 0 : found->second;
}

namespace {

// The first visible top-level window of the process that the test accepts, or null.
HWND topWindowOf(DWORD process, const std::function<bool(HWND)>& accepted) {
    struct Search {
        DWORD process;
        const std::function<bool(HWND)>& accepted;
        HWND found = nullptr;
    } search{process, accepted};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.process && IsWindowVisible(window) && s.accepted(window))
                s.found = window;
            return s.found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

HWND windowOf(DWORD process, const std::string& title) {
    return topWindowOf(process,
                       [&](HWND window) { return e2e::windowText(window).starts_with(title); });
}

HWND ViewerRuns::waitForBox(const std::string& title) const {
    HWND found = nullptr;
    e2e::waitUntil([&] {
        found = topWindowOf(processId(), [&](HWND window) {
            return e2e::className(window) == "#32770" && e2e::windowText(window) == title;
        });
        return found != nullptr;
    });
    return found;
}

void ViewerRuns::SetUp() {
    // Only the standard error given to the program is inherited: a program that Wine fails
    // to end holds no pipe of ctest's.
    for (DWORD stream : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
        SetHandleInformation(GetStdHandle(stream), HANDLE_FLAG_INHERIT, 0);
    const Gdiplus::GdiplusStartupInput startup;
    Gdiplus::GdiplusStartup(&gdiplus_, &startup, nullptr);
    folder_ = fs::temp_directory_path() /
              ("ombrix viewers " + std::to_string(GetCurrentProcessId()) + " " +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
}

void ViewerRuns::TearDown() {
    end();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    Gdiplus::GdiplusShutdown(gdiplus_);
}

void ViewerRuns::start(const char* program, const std::string& arguments, const fs::path& folder) {
    end();
    errors_ = folder_ / ("errors " + std::to_string(++starts_) + ".txt");
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE errors = CreateFileW(errors_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errors;
    std::string commandLine = "\"" + std::string(program) + "\" " + arguments;
    const bool started =
        CreateProcessA(program, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       (folder.empty() ? folder_ : folder).string().c_str(), &startup, &process_);
    CloseHandle(errors);
    ASSERT_TRUE(started);
}

void ViewerRuns::end() {
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
}

DWORD ViewerRuns::exitCode() {
    WaitForSingleObject(process_.hProcess, 60'000);
    DWORD code = 999;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void InstallationRuns::SetUp() {
    ViewerRuns::SetUp();
    fs::create_directories(folder_ / "Exe");
    fs::create_directories(folder_ / "Dat");
}

HWND InstallationRuns::startFromExe(const char* program, const std::string& title) {
    start(program, "\t", folder_ / "Exe");
    HWND window = nullptr;
    EXPECT_TRUE(e2e::waitUntil([&] { return (window = windowOf(processId(), title)); }));
    return window;
}

void InstallationRuns::run(const char* program, const std::string& arguments) {
    start(program, arguments, folder_ / "Exe");
    EXPECT_EQ(exitCode(), 0u) << program << " " << arguments << ": " << errors();
}

void InstallationRuns::chooseFile(const char* dialogTitle, const std::string& file) {
    HWND dialog = nullptr;
    ASSERT_TRUE(e2e::waitUntil([&] {
        dialog = windowOf(processId(), dialogTitle);
        return dialog && e2e::className(dialog) == "#32770";
    }));
    e2e::chooseInOpenDialog(dialog, file);
}

} // namespace ombrix
