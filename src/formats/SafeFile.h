#pragma once
// SafeFile: a picture file written so that a failure never costs the old
// one. The data goes to a temporary file in the target's folder and is
// renamed over the target only once everything is written (and, with
// syncToDisk, forced to the disk); a failed or abandoned save removes the
// temporary and leaves an existing file untouched. A symbolic link keeps
// pointing at its target, which receives the new contents; a new file gets
// the permissions the umask allows, a replaced one keeps its own.
//
// Every failure throws pictavo::Error: 76 folder missing, 70 permission
// refused, 61 disk full (no room or no free file entries), 75 other
// input/output failures.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pictavo {

class SafeFile {
 public:
  // Creates the temporary beside `path` (UTF-8; empty is error 76).
  explicit SafeFile(const std::string& path);
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;
  ~SafeFile();

  // Reserves the file's blocks up front, so that a full disk fails before
  // any writing (file systems without the call are no failure).
  void reserve(std::uint64_t bytes);
  // Writes n bytes at `offset`; 0, or the errno of the failure. Several
  // threads may write disjoint ranges at once.
  int writeAt(const std::uint8_t* data, std::size_t n, std::uint64_t offset) const;
  // Writes n bytes after the last appended ones; throws on failure.
  void append(const std::uint8_t* data, std::size_t n);
  // Moves the written file over the target.
  void commit(bool syncToDisk);

 private:
  std::string target_;
  std::string name_;
  int fd_ = -1;
  std::uint64_t appended_ = 0;
};

}  // namespace pictavo
