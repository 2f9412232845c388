#include "SmallDisk.h"

#include <cstdlib>
#include <fstream>
#include <sys/mount.h>
#include <vector>

namespace pictavo::test {

SmallDisk::SmallDisk(std::size_t bytes, std::size_t inodes) : bytes_(bytes) {
  std::string pattern = (std::filesystem::temp_directory_path() / "pictavo-disk-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return;
  path_ = pattern;
  std::string options = "size=" + std::to_string(bytes);
  if (inodes > 0) options += ",nr_inodes=" + std::to_string(inodes);
  mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

void SmallDisk::fill() {
  std::ofstream out(path_ / "filler", std::ios::binary);
  const std::vector<char> block(4096, 'f');
  for (std::size_t written = 0; written < bytes_ + 8192 && out.write(block.data(), block.size()); written += block.size()) {
  }
}

bool SmallDisk::makeReadOnly() {
  return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

}  // namespace pictavo::test
