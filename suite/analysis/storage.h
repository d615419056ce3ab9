// The files of an analysis as the three programs see them. The programs give a Windows
// implementation; the tests one on a folder of this machine. Paths are as the operating
// system takes them; a relative one is taken from the current folder.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ombrix {

// Why a file or folder could not be written, so that the user is told what to do.
enum class WriteFailure {
    none,
    folderNotWritable, // the folder is read-only (or full)
    pathTooLong,       // longer than the system takes
    inUse,             // another program holds the file open
    other,
};

// The outcome of a write: true when it was done.
struct Written {
    WriteFailure failure = WriteFailure::none;
    explicit operator bool() const { return failure == WriteFailure::none; }
};

// A working folder held for one step of an analysis while this lives. The system lets go
// of it when the program ends, however it ends, so that a step killed midway blocks none.
class FolderLock {
  public:
    virtual ~FolderLock() = default;
};

// A lock taken, or who holds the folder instead: a line that says which step of which
// installation on which machine, since when. Neither where the folder cannot hold a lock
// (a read-only folder: the step's first write says why).
struct LockAttempt {
    std::unique_ptr<FolderLock> lock;
    std::optional<std::string> holder;
};

class Storage {
  public:
    virtual ~Storage() = default;

    // The whole file, or at most its first `most` bytes; nothing when it cannot be read.
    virtual std::optional<std::string> read(const std::string& path,
                                            std::size_t most = std::string::npos) const = 0;
    // Writes the whole file under another name, then puts it in place of the old one, so
    // that a failure leaves the old file whole.
    virtual Written replace(const std::string& path, const std::string& text) = 0;
    virtual Written append(const std::string& path, const std::string& text) = 0;
    // True when the file is not there afterwards, whether or not it was before.
    virtual bool remove(const std::string& path) = 0;
    virtual Written makeFolder(const std::string& path) = 0; // done when it exists afterwards
    virtual std::vector<std::string> filesIn(const std::string& folder) const = 0; // names only
    // The full path, or nothing when it would be longer than the system takes.
    virtual std::optional<std::string> fullPath(const std::string& path) const = 0;
    virtual std::string join(const std::string& folder, const std::string& name) const = 0;
    // The folder for this program's step (its name, as "Solve") alone, across installations
    // and machines, through a lock file in it.
    virtual LockAttempt lockFolder(const std::string& folder, const std::string& step) = 0;
};

} // namespace ombrix
