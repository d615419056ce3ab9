// The files of an analysis through the Windows API, with the paths in the system's code
// page as the shell passes them.
#pragma once

#include "storage.h"

namespace ombrix {

class Win32Storage : public Storage {
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
    LockAttempt lockFolder(const std::string& folder, const std::string& step) override;
};

} // namespace ombrix
