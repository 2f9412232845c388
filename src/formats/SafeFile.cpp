#include "formats/SafeFile.h"

#include "base/Errors.h"
#include "formats/FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {

namespace {

// The file that is really replaced: the target of a symbolic link.
std::string resolvedTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string resolved(real);
      std::free(real);
      return resolved;
    }
  }
  return path;
}

mode_t newFileMode(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

SafeFile::SafeFile(const std::string& path) {
  if (path.empty()) throw Error(kErrPathNotFound);
  target_ = resolvedTarget(path);
  const std::string folder = folderOfPath(target_);
  name_ = (folder == "/" ? std::string() : folder) + "/.pictavo-save-XXXXXX";
  fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    const int err = errno;
    name_.clear();
    throw Error(fileErrorNumber(err));
  }
  ::fchmod(fd_, newFileMode(target_));
}

SafeFile::~SafeFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!name_.empty()) ::unlink(name_.c_str());
}

void SafeFile::reserve(std::uint64_t bytes) {
  if (::fallocate(fd_, 0, 0, off_t(bytes)) != 0 && errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL &&
      errno != EINTR)
    throw Error(fileErrorNumber(errno));
}

int SafeFile::writeAt(const std::uint8_t* data, std::size_t n, std::uint64_t offset) const {
  while (n > 0) {
    const ssize_t done = ::pwrite(fd_, data, std::min<std::size_t>(n, std::size_t(1) << 30), off_t(offset));
    if (done < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (done == 0) return ENOSPC;
    data += done;
    offset += std::uint64_t(done);
    n -= std::size_t(done);
  }
  return 0;
}

void SafeFile::append(const std::uint8_t* data, std::size_t n) {
  if (const int err = writeAt(data, n, appended_)) throw Error(fileErrorNumber(err));
  appended_ += n;
}

void SafeFile::commit(bool syncToDisk) {
  if (syncToDisk && ::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) throw Error(fileErrorNumber(errno));
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) throw Error(fileErrorNumber(errno));
  if (::rename(name_.c_str(), target_.c_str()) != 0) throw Error(fileErrorNumber(errno));
  name_.clear();  // the file now lives under the target's name
  if (syncToDisk) {
    // Make the rename itself durable; a folder that refuses fsync is no failure.
    const int dir = ::open(folderOfPath(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
}

}  // namespace pictavo
