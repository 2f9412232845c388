#pragma once
// A small tmpfs mounted for one test: a disk that really fills up, and that
// can be made read-only (as root, folder permissions refuse nothing). Needs
// the right to mount; tests skip when `mounted()` is false.

#include <filesystem>
#include <string>

namespace pictavo::test {

class SmallDisk {
 public:
  // inodes: how many file entries it holds (its root folder takes one);
  // 0 for the default.
  explicit SmallDisk(std::size_t bytes, std::size_t inodes = 0);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::filesystem::path& path() const { return path_; }
  // Fills the free space with one file, so the next write fails at once.
  void fill();
  bool makeReadOnly();

 private:
  std::filesystem::path path_;
  std::size_t bytes_;
  bool mounted_ = false;
};

}  // namespace pictavo::test
