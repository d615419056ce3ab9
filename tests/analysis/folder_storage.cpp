#include "folder_storage.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ombrix {

namespace fs = std::filesystem;

std::optional<std::string> FolderStorage::read(const std::string& path) const {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool FolderStorage::replace(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!(file << text) || !file.flush())
            return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

bool FolderStorage::append(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    return static_cast<bool>(file << text);
}

bool FolderStorage::remove(const std::string& path) {
    std::error_code error;
    return fs::remove(path, error);
}

bool FolderStorage::makeFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    return fs::is_directory(path, error);
}

std::vector<std::string> FolderStorage::filesIn(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    return names;
}

std::string FolderStorage::fullPath(const std::string& path) const {
    return fs::absolute(path).lexically_normal().string();
}

std::string FolderStorage::join(const std::string& folder, const std::string& name) const {
    return (fs::path(folder) / name).string();
}

} // namespace ombrix
