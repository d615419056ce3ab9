#include "folder_storage.h"

#include "handoff/handoff.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ombrix {

namespace fs = std::filesystem;

std::optional<std::string> FolderStorage::read(const std::string& path, std::size_t most) const {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str().substr(0, most);
}

Written FolderStorage::replace(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!(file << text) || !file.flush())
            return {WriteFailure::other};
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return {error ? WriteFailure::other : WriteFailure::none};
}

Written FolderStorage::append(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    return {file << text ? WriteFailure::none : WriteFailure::other};
}

bool FolderStorage::remove(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
    return !error;
}

Written FolderStorage::makeFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    return {fs::is_directory(path, error) ? WriteFailure::none : WriteFailure::other};
}

std::vector<std::string> FolderStorage::filesIn(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    return names;
}

std::optional<std::string> FolderStorage::fullPath(const std::string& path) const {
    return fs::absolute(path).lexically_normal().string();
}

std::string FolderStorage::join(const std::string& folder, const std::string& name) const {
    return (fs::path(folder) / name).string();
}

void InstallationTest::makeInstallation() {
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test.test_suite_name()) + "-" + test.name();
    std::replace(name.begin(), name.end(), '/', '-'); // a parameterised test's
    root_ = fs::temp_directory_path() / ("ombrix-" + std::to_string(::getpid()) + "-" + name);
    fs::current_path(previous_);
    fs::remove_all(root_);
    fs::create_directories(root_ / "Exe");
    fs::create_directories(root_ / "Dat");
    fs::current_path(root_ / "Exe");
}

void InstallationTest::TearDown() {
    fs::current_path(previous_);
    fs::remove_all(root_);
}

namespace {

class LockedFile : public FolderLock {
  public:
    LockedFile(int descriptor, std::string path)
        : descriptor_(descriptor), path_(std::move(path)) {}
    ~LockedFile() override {
        ::unlink(path_.c_str());
        ::close(descriptor_);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

  private:
    int descriptor_;
    std::string path_;
};

} // namespace

LockAttempt FolderStorage::lockFolder(const std::string& folder, const std::string& step) {
    const std::string path = join(folder, std::string(handoff::stepLockFile));
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
    if (descriptor < 0)
        return {};
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return {nullptr, read(path).value_or("")};
    }
    const std::string holder = step + " of this test";
    auto lock = std::make_unique<LockedFile>(descriptor, path);
    if (::ftruncate(descriptor, 0) != 0 ||
        ::write(descriptor, holder.data(), holder.size()) != static_cast<ssize_t>(holder.size()))
        return {};
    return {std::move(lock), std::nullopt};
}

} // namespace ombrix
