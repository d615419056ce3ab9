// A fresh installation for each test, its Exe folder the current folder with the Dat
// folder beside it, as the shell starts the suite's programs; removed afterwards.
#pragma once

#include "folder_storage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace ombrix {

class InstallationFolder : public testing::Test {
  protected:
    void SetUp() override {
        const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test.test_suite_name()) + "-" + test.name();
        std::ranges::replace(name, '/', '-');
        root_ = std::filesystem::temp_directory_path() /
                ("ombrix-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "Exe");
        std::filesystem::create_directories(root_ / "Dat");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(root_ / "Exe");
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(root_);
    }

    FolderStorage storage_;
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

} // namespace ombrix
