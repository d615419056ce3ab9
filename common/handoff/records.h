// The records by which each step of an analysis knows what it was made from. A record is
// a text file of lines "<entry> TAB <digest> TAB <size> TAB <path>", one per file used:
//   "Prepare.rec"  geometry  the geometry file read
//                  model     "Model.dat" as written
//                  output    the output file (its path only)
//   "Forces.rec"   prepared  "Prepare.rec" as it stood
//                  loading   the loading file read
//                  case <k>  "<k>.unf" as written, one entry per prepared case
// and each "<k>.res" says on its line "inputs <digest>" which "Forces.rec" it was solved
// from. The digest is FNV-1a over the file's bytes, in 16 hexadecimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace handoff {

struct FileStamp {
    std::string path;
    std::uint64_t size = 0;
    std::uint64_t digest = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

std::uint64_t digestOf(std::string_view contents);
std::string digestText(std::uint64_t digest); // 16 hexadecimal digits
FileStamp stampOf(std::string path, std::string_view contents);

class Record {
  public:
    void add(std::string entry, FileStamp stamp);
    const FileStamp* find(std::string_view entry) const; // null when the record has none

  private:
    friend std::string writeRecord(const Record& record);
    std::vector<std::pair<std::string, FileStamp>> entries_;
};

std::string writeRecord(const Record& record);
// Nothing when the text is not a whole record.
std::optional<Record> readRecord(std::string_view text);

} // namespace handoff
