#include "shell_test.h"

#include "base/folders.h"
#include "base/shell_record.h"
#include "ids.h"
#include "shell/icons.h"
#include "shell/panel.h"
#include "shell/startup.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace {

std::string inStartDir(const std::string& path) {
    return path.find('\\') == std::string::npos ? std::string(ShellTest::startDir) + "\\" + path
                                                : path;
}

} // namespace

void ShellTest::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process's own folder: test runs of other checkouts may run at the same time.
    root_ = std::filesystem::temp_directory_path() / ("ombrix-unit-" + std::to_string(::getpid())) /
            test->test_suite_name() / test->name();
    std::filesystem::remove_all(root_);
    fake::reset(root_);
    makeFolder(startDir);

    resetShellRecords();
    folders = installationFolders(startDir);
}

void ShellTest::TearDown() {
    std::filesystem::remove_all(root_);
    std::error_code notEmpty; // the folders of the run go with its last test
    std::filesystem::remove(root_.parent_path(), notEmpty);
    std::filesystem::remove(root_.parent_path().parent_path(), notEmpty);
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
    for (const IconFile& icon : iconFiles)
        writeFile(std::string(startDir) + "\\Uir\\" + icon.name, "");
}

void PanelShellTest::SetUp() {
    ShellTest::SetUp();
    ASSERT_TRUE(buildPanel(1, startLoadingButtonIcons()));
    panel = fake::lastDialog();
}

TEST(FakeDialogs, HaveExactlyTheControlsOfTheirTemplates) {
    fake::reset(std::filesystem::temp_directory_path());
    platform::Dialog launcher = platform::createDialog(IDD_PANEL);
    platform::Dialog recent = platform::createDialog(IDD_RECENT);
    EXPECT_EQ(fake::control(launcher, IDC_CASE_CAPTION).text, "Select Cases");
    EXPECT_EQ(fake::control(recent, IDC_RECENT_DONE).text, "DONE");
    EXPECT_THROW(fake::control(recent, IDC_INPUT), std::out_of_range);
    EXPECT_THROW(platform::setEnabled(launcher, IDC_RECENT_LIST, false), std::out_of_range);
}
