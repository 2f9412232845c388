#include "formats/BmpWriter.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"
#include "canvas/Surface.h"
#include "formats/FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {

namespace {

void put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}

void checkSize(int width, int height, int stride) {
  if (!Surface::sizeAllowed(width, height) || stride < width) throw Error(kErrPathFileAccess);
}

std::uint64_t imageBytes(int width, int height) { return std::uint64_t(width) * std::uint64_t(height) * 4u; }

void fillHeader(std::uint8_t* h, int width, int height) {
  std::memset(h, 0, kBmpHeaderSize);
  const std::uint64_t image = imageBytes(width, height);
  // Sizes past 4 GiB cannot be stated; the canvas limit keeps us far below.
  h[0] = 'B';
  h[1] = 'M';
  put32(h + 2, std::uint32_t(std::min<std::uint64_t>(kBmpHeaderSize + image, UINT32_MAX)));
  put32(h + 10, kBmpHeaderSize);
  put32(h + 14, 40);
  put32(h + 18, std::uint32_t(width));
  put32(h + 22, std::uint32_t(height));
  put16(h + 26, 1);
  put16(h + 28, 32);
  put32(h + 34, std::uint32_t(std::min<std::uint64_t>(image, UINT32_MAX)));
}

// One row as the file stores it: the pixel words little-endian with the top
// byte cleared (blue, green, red, 0).
void convertRow(const std::uint32_t* src, int width, std::uint8_t* dst) {
  // memcpy: the file rows after the 54-byte header are not word-aligned.
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = src[x] & 0x00FFFFFFu;
    std::memcpy(dst + std::size_t(x) * 4u, &v, 4);
  }
}

// A temporary file beside the target; removed on destruction unless released.
class TempFile {
 public:
  explicit TempFile(const std::string& target) {
    std::string folder = folderOfPath(target);
    name_ = (folder == "/" ? std::string() : folder) + "/.pictavo-save-XXXXXX";
    fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
    if (fd_ < 0) {
      const int err = errno;
      name_.clear();
      throw Error(fileErrorNumber(err));
    }
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& name() const { return name_; }

  // Writes n bytes at `offset`; 0, or the errno of the failure (ENOSPC when
  // the file system takes no more). Safe to call from several threads.
  int writeAt(const std::uint8_t* data, std::size_t n, std::uint64_t offset) const {
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

  void closeChecked() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) throw Error(fileErrorNumber(errno));
  }
  // The file now lives under another name: nothing to clean up.
  void release() { name_.clear(); }

 private:
  std::string name_;
  int fd_ = -1;
};

// The file that is really replaced: a symbolic link keeps pointing at its
// target, which receives the new contents.
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

std::vector<std::uint8_t> encodeBmp(const std::uint32_t* pixels, int width, int height, int stride) {
  checkSize(width, height, stride);
  std::vector<std::uint8_t> out(kBmpHeaderSize + imageBytes(width, height));
  fillHeader(out.data(), width, height);
  const std::size_t rowBytes = std::size_t(width) * 4u;
  std::uint8_t* dst = out.data() + kBmpHeaderSize;
  for (int y = height - 1; y >= 0; --y, dst += rowBytes)
    convertRow(pixels + std::size_t(y) * std::size_t(stride), width, dst);
  return out;
}

void writeBmpFile(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
                  bool syncToDisk) {
  checkSize(width, height, stride);
  if (path.empty()) throw Error(kErrPathNotFound);
  const std::string target = resolvedTarget(path);
  TempFile temp(target);
  ::fchmod(temp.fd(), newFileMode(target));

  // Reserving the blocks first makes a full disk fail before any writing
  // and spares the file system block allocation page by page.
  const std::uint64_t fileBytes = kBmpHeaderSize + imageBytes(width, height);
  if (::fallocate(temp.fd(), 0, 0, off_t(fileBytes)) != 0 && errno != EOPNOTSUPP && errno != ENOSYS &&
      errno != EINVAL && errno != EINTR)
    throw Error(fileErrorNumber(errno));

  // Each band of file rows is converted into its own reused chunk of a few
  // megabytes and written at its place in the file, the bands at the same
  // time: the kernel's copy into the page cache then runs on every core.
  std::uint8_t header[kBmpHeaderSize];
  fillHeader(header, width, height);
  if (const int err = temp.writeAt(header, kBmpHeaderSize, 0)) throw Error(fileErrorNumber(err));
  const std::size_t rowBytes = std::size_t(width) * 4u;
  const std::size_t chunkRows = std::max<std::size_t>(1, (std::size_t(2048) << 10) / rowBytes);
  const std::vector<RowBand> bands = rowBands(0, height, width);
  std::vector<std::vector<std::uint8_t>> chunks(bands.size(), std::vector<std::uint8_t>(chunkRows * rowBytes));
  std::vector<int> failures(bands.size(), 0);
  runBands(bands, [&](std::size_t b) {
    std::uint8_t* chunk = chunks[b].data();
    // File row r holds picture row height - 1 - r.
    for (int r = bands[b].first; r < bands[b].last && !failures[b];) {
      const int rows = std::min<int>(int(chunkRows), bands[b].last - r);
      for (int i = 0; i < rows; ++i)
        convertRow(pixels + std::size_t(height - 1 - (r + i)) * std::size_t(stride), width, chunk + i * rowBytes);
      failures[b] = temp.writeAt(chunk, std::size_t(rows) * rowBytes, kBmpHeaderSize + std::uint64_t(r) * rowBytes);
      r += rows;
    }
  });
  for (const int err : failures)
    if (err) throw Error(fileErrorNumber(err));
  if (syncToDisk && ::fsync(temp.fd()) != 0 && errno != EINVAL && errno != EROFS)
    throw Error(fileErrorNumber(errno));
  temp.closeChecked();
  if (::rename(temp.name().c_str(), target.c_str()) != 0) throw Error(fileErrorNumber(errno));
  temp.release();
  if (syncToDisk) {
    // Make the rename itself durable; a folder that refuses fsync is no failure.
    const int dir = ::open(folderOfPath(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
}

void writeBmpFile(const std::string& path, const Surface& surface, bool syncToDisk) {
  writeBmpFile(path, surface.bits(Surface::Layer::Persistent), surface.Width(), surface.Height(), surface.stride(),
               syncToDisk);
}

}  // namespace pictavo
