#pragma once
// A file's bytes mapped read-only into memory: opening a large picture
// then costs no copy of it (the page cache is shared).

#include <cstddef>
#include <cstdint>
#include <string>

namespace pictavo {

class MappedFile {
 public:
  // Opens and maps the file (UTF-8 path). Throws pictavo::Error as
  // openFileForReading, and 481 for a file larger than maxBytes.
  MappedFile(const std::string& path, std::uint64_t maxBytes);
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;
};

}  // namespace pictavo
