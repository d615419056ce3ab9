#include "shell_test.h"

#include "about/about_window.h"
#include "cases/case_selection.h"
#include "files/file_set.h"
#include "files/recent.h"
#include "files/settings.h"
#include "files/shell_files.h"
#include "launch/launch.h"
#include "launch/process_table.h"
#include "launch/text_file_list.h"
#include "shell/folders.h"
#include "shell/icons.h"
#include "shell/panel.h"

#include <fstream>
#include <sstream>

namespace {

std::string inStartDir(const std::string& path) {
    return path.find('\\') == std::string::npos ? std::string(ShellTest::startDir) + "\\" + path
                                                : path;
}

} // namespace

void ShellTest::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() / "ombrix-unit" / test->test_suite_name() /
            test->name();
    std::filesystem::remove_all(root_);
    fake::reset(root_);
    makeFolder(startDir);

    folders = installationFolders(startDir);
    settings = Settings();
    fileSet = FileSet();
    fileChoices = FileChoices();
    pickedRecentFile = PathText();
    recentFiles.fill(PathText());
    welcome = WelcomeWindow();
    panel = Panel();
    buttonIcons.fill(nullptr);
    resetProcessTable();
    launch = Launch();
    caseSelection = CaseSelection();
    selectedTextFile = PathText();
    takeUnsavedShellFiles();
}

void ShellTest::TearDown() {
    std::filesystem::remove_all(root_);
}

void ShellTest::writeFile(const std::string& path, const std::string& contents) {
    const std::filesystem::path host = fake::hostPath(inStartDir(path));
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << contents;
}

std::string ShellTest::readFile(const std::string& path) {
    std::ifstream file(fake::hostPath(inStartDir(path)), std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

bool ShellTest::fileExists(const std::string& path) {
    return std::filesystem::exists(fake::hostPath(inStartDir(path)));
}

void ShellTest::makeFolder(const std::string& path) {
    std::filesystem::create_directories(fake::hostPath(path));
}

void ShellTest::installIcons() {
    for (const char* name :
         {"icon1.ico",         "Input.ico",       "Incarc.ico",         "InputFile1.ico",
          "InputFile2.ico",    "Compound.ico",    "IconWord3.ico",      "Print.ico",
          "Notepad.ico",       "IconExit.ico",    "About.ico",          "IconStructure.ico",
          "Displacement2.ico", "Max.ico",         "Open.ico",           "Open5.ico",
          "IconPreview.ico",   "OmbrixHelp1.ico", "CompoundPost-2.ico", "Diagrams.ico"})
        writeFile(std::string(startDir) + "\\Uir\\" + name, "");
}

void PanelShellTest::SetUp() {
    ShellTest::SetUp();
    ASSERT_TRUE(buildPanel(1));
    panel = fake::lastDialog();
}
