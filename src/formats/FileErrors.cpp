#include "formats/FileErrors.h"

#include "base/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {

std::size_t readFileAt(int fd, std::uint8_t* out, std::size_t n, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t got = ::pread(fd, out + done, n - done, off_t(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw Error(fileErrorNumber(errno));
    }
    if (got == 0) break;
    done += std::size_t(got);
  }
  return done;
}

int fileErrorNumber(int errnoValue) {
  switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return kErrPermissionDenied;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      return kErrDiskFull;
    default:
      return kErrPathFileAccess;
  }
}

int openFileForReading(const std::string& path) {
  // Non-blocking, so a named pipe or a device cannot hang the window in the
  // open itself; only regular files are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT) {
      struct stat st {};
      const bool folderThere = ::stat(folderOfPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      throw Error(folderThere ? kErrFileNotFound : kErrPathNotFound);
    }
    throw Error(fileErrorNumber(err));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw Error(kErrPathFileAccess);
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

std::string folderOfPath(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace pictavo
