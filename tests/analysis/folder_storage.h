// Storage on this machine's file system, through std::filesystem.
#pragma once

#include "storage.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ombrix {

class FolderStorage : public Storage {
  public:
    std::optional<std::string> read(const std::string& path,
                                    std::size_t most = std::string::npos) const override;
    Written replace(const std::string& path, const std::string& text) override;
    Written append(const std::string& path, const std::string& text) override;
    bool remove(const std::string& path) override;
    Written makeFolder(const std::string& path) override;
    std::vector<std::string> filesIn(const std::string& folder) const override;
    std::optional<std::string> fullPath(const std::string& path) const override;
    std::string join(const std::string& folder, const std::string& name) const override;
    // A lock on the lock file, as another program's would be: two storages of one test
    // hold the folder as two programs would.
    LockAttempt lockFolder(const std::string& folder, const std::string& step) override;
};

// A test with an installation of its own: Exe/ and Dat/ in a fresh folder, the current
// folder its Exe/ as when the shell starts a program of the suite; all removed at the end.
class InstallationTest : public testing::Test {
  protected:
    void SetUp() override { makeInstallation(); }
    void TearDown() override;
    // Removes the installation and makes it anew, empty.
    void makeInstallation();

    FolderStorage storage_;
    std::filesystem::path root_;

  private:
    std::filesystem::path previous_ = std::filesystem::current_path();
};

} // namespace ombrix
