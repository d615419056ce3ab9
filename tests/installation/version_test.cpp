// Every program the installation ships carries OMBRIX's version, as Explorer's properties
// and installers read it from the program file.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> shippedPrograms() {
    std::vector<std::string> programs;
    std::istringstream list(OMBRIX_SHIPPED_PROGRAMS);
    for (std::string program; std::getline(list, program, '|');)
        programs.push_back(program);
    return programs;
}

std::string stringValue(const std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(none)";
    return std::string(value, length > 0 ? length - 1 : 0);
}

} // namespace

TEST(Versions, EveryShippedProgramCarriesTheProjectsVersion) {
    const std::vector<std::string> programs = shippedPrograms();
    EXPECT_GE(programs.size(), 14u);
    for (const std::string& program : programs) {
        SCOPED_TRACE(program);
        const DWORD size = GetFileVersionInfoSizeA(program.c_str(), nullptr);
        ASSERT_GT(size, 0u);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        std::ostringstream fileVersion;
        fileVersion << HIWORD(fixed->dwFileVersionMS) << '.' << LOWORD(fixed->dwFileVersionMS)
                    << '.' << HIWORD(fixed->dwFileVersionLS);
        EXPECT_EQ(fileVersion.str(), OMBRIX_VERSION_TEXT);
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(stringValue(block, "FileVersion"), OMBRIX_VERSION_TEXT);
        EXPECT_EQ(stringValue(block, "ProductVersion"), OMBRIX_VERSION_TEXT);
        EXPECT_EQ(stringValue(block, "ProductName"), "OMBRIX");
        EXPECT_GT(stringValue(block, "FileDescription").size(), 20u);
    }
}
