// OMBRIX's installer as a user meets it: run silently in a Wine prefix that never had
// OMBRIX (each test has one of its own), the shell started from the Start menu, an
// upgrade over an earlier build, and the uninstaller.
#include "analysis_steps.h"
#include "driver.h"
#include "ids.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const char* const uninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OMBRIX";

fs::path knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        throw std::runtime_error("no known folder");
    fs::path folder(path);
    CoTaskMemFree(path);
    return folder;
}

fs::path installFolder() {
    return knownFolder(FOLDERID_LocalAppData) / "Programs" / "OMBRIX";
}
fs::path startMenuFolder() {
    return knownFolder(FOLDERID_Programs) / "OMBRIX";
}
fs::path hostPath(const char* path) {
    return fs::path(path).make_preferred();
}

// Runs an installer or uninstaller with /S, as a silent installation does, to its end.
DWORD runSilently(const fs::path& program) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\" /S";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 180000);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

std::optional<std::string> uninstallEntry(const char* value) {
    char text[1024];
    DWORD size = sizeof(text);
    if (RegGetValueA(HKEY_CURRENT_USER, uninstallKey, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

// The uninstaller hands its work to a copy of itself and ends at once; its last act is to
// remove its entry in the list of installed programs.
void uninstall() {
    ASSERT_EQ(runSilently(installFolder() / "Uninstall.exe"), 0u);
    ASSERT_TRUE(waitUntil([] { return !uninstallEntry("DisplayName"); }, 120s));
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
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted))) &&
        SUCCEEDED(persisted->Load(file.c_str(), STGM_READ))) {
        link->GetPath(target.data(), MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(arguments.data(), MAX_PATH);
        link->GetWorkingDirectory(folder.data(), MAX_PATH);
    }
    if (persisted)
        persisted->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return {target.data(), utf8Text(arguments.data()), folder.data()};
}

// Every file under a folder, by its path relative to it.
std::set<fs::path> filesUnder(const fs::path& folder) {
    std::set<fs::path> files;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                files.insert(fs::relative(entry.path(), folder));
    return files;
}

std::string contents(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// What a user leaves in the installation: the shell's settings, an analysis of their own
// with its work folder, and an edited sample.
struct UserFile {
    const char* path;
    const char* text;
};
const UserFile userFiles[] = {
    {"Exe/recent.dat", "C:\\Work\\Mast.dat\r\n"},
    {"Exe/Sound.dat", "0\r\n"},
    {"Dat/Mast.dat", "a user's geometry\r\n"},
    {"Dat/Mast.rez", "a user's results\r\n"},
    {"Dat/Mast.dat.work/0.res", "case 0\r\n"},
    {"Projects/Roof.inc", "a folder of the user's own\r\n"},
};
const char* const editedSample = "Dat/Dome.dat";
const std::string edit = "* the user's own note\r\n";

void makeUserFiles() {
    for (const UserFile& file : userFiles)
        write(installFolder() / file.path, file.text);
    std::ofstream(installFolder() / editedSample, std::ios::binary | std::ios::app) << edit;
}

std::string editedSampleText() {
    return contents(hostPath(OMBRIX_DIST_TREE) / editedSample) + edit;
}

void expectUserFilesKept() {
    for (const UserFile& file : userFiles)
        EXPECT_EQ(contents(installFolder() / file.path), file.text) << file.path;
    EXPECT_EQ(contents(installFolder() / editedSample), editedSampleText());
}

} // namespace

TEST(Installer, TheStartMenuStartsTheShellOnSamplesItCanAnalyse) {
    ASSERT_EQ(runSilently(hostPath(OMBRIX_SETUP)), 0u);
    std::set<fs::path> expected = filesUnder(hostPath(OMBRIX_DIST_TREE));
    expected.insert("Uninstall.exe");
    EXPECT_EQ(filesUnder(installFolder()), expected);
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
        EXPECT_TRUE(fs::equivalent(readShortcut(startMenuFolder() / entry.shortcut).target,
                                   installFolder() / entry.target))
            << entry.shortcut;

    const Shortcut ombrix = readShortcut(startMenuFolder() / "OMBRIX.lnk");
    e2e::Shell shell(ombrix.target, ombrix.arguments, ombrix.folder);
    HWND panel = shell.openPanel();
    ASSERT_TRUE(panel);
    const fs::path samples = installFolder() / "Dat";
    prepareWithEveryCase(panel, utf8Text(samples / "Bridge.dat"));
    runStep(panel, IDC_ITER, 6);
    EXPECT_NE(contents(samples / "Bridge.rez").find("Node"), std::string::npos);
    EXPECT_TRUE(fs::exists(samples / "Bridge.dat.work" / "3.res"));
    click(control(panel, IDC_EXIT));
    EXPECT_EQ(shell.waitForExit(), std::optional<DWORD>(0));
}

TEST(Installer, AnUpgradeKeepsTheSettingsAndTheUsersFiles) {
    ASSERT_EQ(runSilently(hostPath(OMBRIX_EARLIER_SETUP)), 0u);
    ASSERT_EQ(uninstallEntry("DisplayVersion"), "0.9.0");
    makeUserFiles();
    fs::remove(installFolder() / "Dat" / "Bridge.inc"); // a sample the user threw away
    ASSERT_EQ(runSilently(hostPath(OMBRIX_SETUP)), 0u);
    EXPECT_EQ(uninstallEntry("DisplayVersion"), OMBRIX_VERSION_TEXT);
    expectUserFilesKept();
    EXPECT_EQ(contents(installFolder() / "Dat" / "Bridge.inc"),
              contents(hostPath(OMBRIX_DIST_TREE) / "Dat" / "Bridge.inc"));
}

TEST(Installer, TheUninstallerRemovesWhatItInstalledAndNothingElse) {
    ASSERT_EQ(runSilently(hostPath(OMBRIX_SETUP)), 0u);
    makeUserFiles();
    uninstall();
    std::set<fs::path> left;
    for (const UserFile& file : userFiles)
        left.insert(fs::path(file.path).make_preferred());
    left.insert(fs::path(editedSample).make_preferred());
    EXPECT_EQ(filesUnder(installFolder()), left);
    expectUserFilesKept();
    EXPECT_FALSE(fs::exists(startMenuFolder()));
    EXPECT_FALSE(uninstallEntry("InstallLocation"));
}
