// The files of an analysis as the three programs see them. The programs give a Windows
// implementation; the tests one on a folder of this machine. Paths are as the operating
// system takes them; a relative one is taken from the current folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ombrix {

class Storage {
  public:
    virtual ~Storage() = default;

    virtual std::optional<std::string> read(const std::string& path) const = 0;
    // Writes the whole file under another name, then puts it in place of the old one, so
    // that a failure leaves the old file whole.
    virtual bool replace(const std::string& path, const std::string& text) = 0;
    virtual bool append(const std::string& path, const std::string& text) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool makeFolder(const std::string& path) = 0; // true when it exists afterwards
    virtual std::vector<std::string> filesIn(const std::string& folder) const = 0; // names only
    virtual std::string fullPath(const std::string& path) const = 0;
    virtual std::string join(const std::string& folder, const std::string& name) const = 0;
};

} // namespace ombrix
