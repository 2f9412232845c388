#include "documents/MappedFile.h"

#include "app/Errors.h"
#include "documents/FileErrors.h"

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {

MappedFile::MappedFile(const std::string& path, std::uint64_t maxBytes) {
  const int fd = openFileForReading(path);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    throw Error(fileErrorNumber(err));
  }
  if (std::uint64_t(st.st_size) > maxBytes) {
    ::close(fd);
    throw Error(kErrInvalidPicture);
  }
  size_ = std::size_t(st.st_size);
  if (size_ > 0) {
    void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    const int err = errno;
    ::close(fd);
    if (p == MAP_FAILED) throw Error(err == ENOMEM ? kErrOutOfMemory : kErrPathFileAccess);
    data_ = static_cast<const std::uint8_t*>(p);
    mapped_ = true;
  } else {
    ::close(fd);
  }
}

MappedFile::~MappedFile() {
  if (mapped_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
}

}  // namespace pictavo
