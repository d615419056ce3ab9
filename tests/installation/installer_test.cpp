// OMBRIX's installer as a user meets it, each test in a Wine prefix that never had OMBRIX:
// run silently, the shell started from the Start menu, an upgrade, the uninstaller.
#include "analysis_steps.h"
#include "driver.h"
#include "ids.h"

#include <windows.h>

#include <objbase.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

fs::path knownFolder(const char* variable, const char* below) {
    return fs::path(std::getenv(variable)) / below / "OMBRIX";
}
const fs::path installFolder = knownFolder("LOCALAPPDATA", "Programs");
const fs::path startMenuFolder = knownFolder("APPDATA", "Microsoft/Windows/Start Menu/Programs");
fs::path hostPath(const char* path) {
    return fs::path(path).make_preferred();
}

// Runs an installer or uninstaller with /S, as a silent installation does, to its end.
DWORD runSilently(const fs::path& program) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\" /S";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    DWORD exitCode = GetLastError();
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 180000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return exitCode;
}

std::optional<std::string> uninstallEntry(const char* value) {
    char text[1024];
    DWORD size = sizeof(text);
    if (RegGetValueA(HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OMBRIX", value,
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

struct Shortcut {
    fs::path target;
    std::string arguments;
    fs::path folder;
};

Shortcut readShortcut(const fs::path& file) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    std::array<wchar_t, MAX_PATH> target{}, arguments{}, folder{};
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted))) ||
        FAILED(persisted->Load(file.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target.data(), MAX_PATH, nullptr, SLGP_RAWPATH)) ||
        FAILED(link->GetArguments(arguments.data(), MAX_PATH)) ||
        FAILED(link->GetWorkingDirectory(folder.data(), MAX_PATH)))
        throw std::runtime_error("cannot read " + utf8Text(file));
    persisted->Release();
    link->Release();
    CoUninitialize();
    return {target.data(), utf8Text(arguments.data()), folder.data()};
}

// Every file under a folder, by its path relative to it.
std::set<fs::path> filesUnder(const fs::path& folder) {
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), folder));
    return files;
}

std::string contents(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

// What a user leaves in the installation: the shell's settings, an analysis of their own
// with its work folder, a folder of their own, and an edited sample.
const std::pair<const char*, const char*> userFiles[] = {
    {"Exe/recent.dat", "C:\\Work\\Mast.dat\r\n"}, {"Exe/Sound.dat", "0\r\n"},
    {"Dat/Mast.dat", "a user's geometry\r\n"},    {"Dat/Mast.rez", "a user's results\r\n"},
    {"Dat/Mast.dat.work/0.res", "case 0\r\n"},    {"Projects/Roof.inc", "a user's loading\r\n"},
};
const fs::path editedSample = "Dat/Dome.dat";
const std::string edit = "* the user's own note\r\n";

void makeUserFiles() {
    for (const auto& [path, text] : userFiles) {
        fs::create_directories((installFolder / path).parent_path());
        std::ofstream(installFolder / path, std::ios::binary) << text;
    }
    std::ofstream(installFolder / editedSample, std::ios::binary | std::ios::app) << edit;
}

void expectUserFilesKept() {
    for (const auto& [path, text] : userFiles)
        EXPECT_EQ(contents(installFolder / path), text) << path;
    EXPECT_EQ(contents(installFolder / editedSample),
              contents(hostPath(OMBRIX_DIST_TREE) / editedSample) + edit);
}

} // namespace

TEST(Installer, TheStartMenuStartsTheShellOnSamplesItCanAnalyse) {
    ASSERT_EQ(runSilently(hostPath(OMBRIX_SETUP)), 0u);
    std::set<fs::path> expected = filesUnder(hostPath(OMBRIX_DIST_TREE));
    expected.insert("Uninstall.exe");
    EXPECT_EQ(filesUnder(installFolder), expected);
    EXPECT_EQ(uninstallEntry("DisplayVersion"), OMBRIX_VERSION_TEXT);

    const struct {
        const char* shortcut;
        const char* target; // in the installation
    } entries[] = {
        {"OMBRIX.lnk", "Exe/ombrix.exe"},
        {"OMBRIX Help.lnk", "Exe/Ombrix Help.chm"},
        {"OMBRIX User's Guide.lnk", "Doc/Ombrix-en.doc"},
        {"OMBRIX Ghidul utilizatorului.lnk", "Doc/Ombrix-ro.doc"},
    };
    for (const auto& entry : entries)
        EXPECT_TRUE(fs::equivalent(readShortcut(startMenuFolder / entry.shortcut).target,
                                   installFolder / entry.target))
            << entry.shortcut;

    const Shortcut ombrix = readShortcut(startMenuFolder / "OMBRIX.lnk");
    e2e::Shell shell(ombrix.target, ombrix.arguments, ombrix.folder);
    HWND panel = shell.openPanel();
    ASSERT_TRUE(panel);
    const fs::path samples = installFolder / "Dat";
    prepareWithEveryCase(panel, utf8Text(samples / "Bridge.dat"));
    runStep(panel, IDC_ITER, 6);
    EXPECT_NE(contents(samples / "Bridge.rez").find("Node"), std::string::npos);
    EXPECT_TRUE(fs::exists(samples / "Bridge.dat.work" / "3.res"));
    click(control(panel, IDC_EXIT));
    EXPECT_EQ(shell.waitForExit(), std::optional<DWORD>(0));
}

TEST(Installer, AnUpgradeAndTheUninstallerLeaveTheUsersFilesAlone) {
    ASSERT_EQ(runSilently(hostPath(OMBRIX_EARLIER_SETUP)), 0u);
    ASSERT_EQ(uninstallEntry("DisplayVersion"), "0.9.0");
    makeUserFiles();
    ASSERT_EQ(runSilently(hostPath(OMBRIX_SETUP)), 0u);
    EXPECT_EQ(uninstallEntry("DisplayVersion"), OMBRIX_VERSION_TEXT);
    expectUserFilesKept();

    // The uninstaller hands its work to a copy of itself and ends at once; the last thing
    // that copy does is to remove the entry in the list of installed programs.
    ASSERT_EQ(runSilently(installFolder / "Uninstall.exe"), 0u);
    ASSERT_TRUE(waitUntil([] { return !uninstallEntry("DisplayName"); }, 120s));
    std::set<fs::path> left{editedSample.lexically_normal().make_preferred()};
    for (const auto& [path, text] : userFiles)
        left.insert(fs::path(path).make_preferred());
    EXPECT_EQ(filesUnder(installFolder), left);
    expectUserFilesKept();
    EXPECT_FALSE(fs::exists(startMenuFolder));
}
