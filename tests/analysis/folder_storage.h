// Storage on this machine's file system, through std::filesystem.
#pragma once

#include "storage.h"

namespace ombrix {

class FolderStorage : public Storage {
  public:
    std::optional<std::string> read(const std::string& path) const override;
    bool replace(const std::string& path, const std::string& text) override;
    bool append(const std::string& path, const std::string& text) override;
    bool remove(const std::string& path) override;
    bool makeFolder(const std::string& path) override;
    std::vector<std::string> filesIn(const std::string& folder) const override;
    std::string fullPath(const std::string& path) const override;
    std::string join(const std::string& folder, const std::string& name) const override;
};

} // namespace ombrix
