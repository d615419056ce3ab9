// The files a graph program reads, each refused with one message naming the file and, for
// a damaged line, the line and the reason: the message the analysis programs give.
#pragma once

#include "model.h"
#include "storage.h"

#include <stdexcept>
#include <string>

namespace ombrix {

class FileRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A geometry file, or the prepared model; the message names it by its full path.
Model readModelFile(const Storage& storage, const std::string& path);

} // namespace ombrix
