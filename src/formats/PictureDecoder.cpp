#include "formats/PictureDecoder.h"

#include "base/Errors.h"
#include "canvas/Surface.h"
#include "formats/BmpReader.h"
#include "formats/FileErrors.h"
#include "formats/IconMask.h"
#include "formats/JpegReader.h"
#include "canvas/LargeBuffer.h"
#include "canvas/PixelPool.h"
#include "formats/metafile/MetafileDecoder.h"
#include "formats/OtherFormats.h"
#include "formats/PngReader.h"
#include "formats/TiffReader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {

namespace {

[[noreturn]] void invalid() { throw Error(kErrInvalidPicture); }

bool startsWith(const std::uint8_t* d, std::size_t size, const char* magic, std::size_t n) {
  return size >= n && std::memcmp(d, magic, n) == 0;
}

bool isPng(const std::uint8_t* d, std::size_t size) { return startsWith(d, size, "\x89PNG\r\n\x1a\n", 8); }

// Skips a chain of GIF data sub-blocks; false when the file ends inside it.
bool skipSubBlocks(const std::uint8_t* d, std::size_t size, std::size_t& pos) {
  for (;;) {
    if (pos >= size) return false;
    const std::size_t n = d[pos++];
    if (n == 0) return true;
    pos += n;
  }
}

// Qt hands back a GIF's first frame with holes when the file is cut short;
// a complete first frame has all its data blocks up to the terminator.
bool gifFirstFrameComplete(const std::uint8_t* d, std::size_t size) {
  if (size < 13) return false;
  std::size_t pos = 13;
  if (d[10] & 0x80) pos += 3u * (2u << (d[10] & 7));
  for (;;) {
    if (pos >= size) return false;
    const std::uint8_t block = d[pos];
    if (block == 0x21) {  // extension: label, then data blocks
      pos += 2;
      if (!skipSubBlocks(d, size, pos)) return false;
    } else if (block == 0x2C) {  // image descriptor
      if (pos + 10 > size) return false;
      const std::uint8_t flags = d[pos + 9];
      pos += 10;
      if (flags & 0x80) pos += 3u * (2u << (flags & 7));
      ++pos;  // LZW minimum code size
      return skipSubBlocks(d, size, pos);
    } else {
      return false;  // trailer or garbage before any image
    }
  }
}

Picture decodeWithQt(const std::uint8_t* data, std::size_t size, const char* format) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) invalid();
  QImageReader reader(&buffer, format);
  reader.setAutoDetectImageFormat(false);
  reader.setAllocationLimit(kQtAllocationLimitMB);
  // The size comes from the header alone: refuse before anything is allocated.
  const QSize declared = reader.size();
  if (!declared.isValid() || !Surface::sizeAllowed(declared.width(), declared.height())) invalid();
  QImage image;
  if (!reader.read(&image) || image.isNull()) invalid();
  if (!Surface::sizeAllowed(image.width(), image.height())) invalid();
  if (image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  if (image.isNull()) throw Error(kErrOutOfMemory);

  Picture picture;
  picture.width = image.width();
  picture.height = image.height();
  picture.pixels = PixelPool::shared().acquire(std::size_t(image.width()) * std::size_t(image.height()));
  const std::size_t rowBytes = std::size_t(image.width()) * 4u;
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(&picture.pixels[std::size_t(y) * std::size_t(image.width())], image.constScanLine(y), rowBytes);
  return picture;
}

}  // namespace

Picture decodePicture(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 4) invalid();
  if (data[0] == 'B' && data[1] == 'M') return readBmp(data, size);
  if (data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return readJpeg(data, size);
  if (isPng(data, size)) return readPng(data, size);
  if (startsWith(data, size, "GIF87a", 6) || startsWith(data, size, "GIF89a", 6)) {
    if (!gifFirstFrameComplete(data, size)) invalid();
    return decodeWithQt(data, size, "gif");
  }
  // Icons are type 1, cursors type 2; Qt's icon reader takes both (a
  // cursor keeps its hotspot where an icon has planes and bit count).
  if (data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) && data[3] == 0) {
    Picture picture = decodeWithQt(data, size, "ico");
    applyIconMask(data, size, picture);
    return picture;
  }
  if (const char* format = otherPictureFormat(data, size)) {
    if (std::strcmp(format, "tiff") == 0) {
      // libtiff would decode JPEG strips whatever work they ask for, and
      // Qt's reader drops a grey picture's alpha.
      if (!tiffJpegWorkAllowed(data, size)) invalid();
      if (std::optional<Picture> picture = readGreyAlphaTiff(data, size)) return std::move(*picture);
    }
    return decodeWithQt(data, size, format);
  }
  if (looksLikeMetafile(data, size)) {
    if (auto picture = decodeMetafile(data, size)) return std::move(*picture);
  }
  invalid();
}

namespace {

struct FileCloser {
  int fd;
  ~FileCloser() { ::close(fd); }
};

std::uint64_t sizeOfOpenFile(int fd, std::uint64_t maxBytes) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw Error(fileErrorNumber(errno));
  if (std::uint64_t(st.st_size) > maxBytes) invalid();
  return std::uint64_t(st.st_size);
}

}  // namespace

std::vector<std::uint8_t> readWholeFile(const std::string& path, std::uint64_t maxBytes) {
  const FileCloser file{openFileForReading(path)};
  std::vector<std::uint8_t> bytes;
  resizeLargeBuffer(bytes, std::size_t(sizeOfOpenFile(file.fd, maxBytes)));
  bytes.resize(readFileAt(file.fd, bytes.data(), bytes.size(), 0));
  return bytes;
}

Picture decodePictureFile(const std::string& path) {
  // Read, not mapped: a mapped file that another program shortens while we
  // decode it would fault on the missing pages and end the program.
  const FileCloser file{openFileForReading(path)};
  const std::uint64_t size = sizeOfOpenFile(file.fd, kMaxPictureFileBytes);
  // A bitmap or a PNG is read a little at a time straight into the picture;
  // the other formats are compressed and read whole.
  std::uint8_t magic[8] = {};
  const ssize_t got = ::pread(file.fd, magic, sizeof magic, 0);
  if (got >= 2 && magic[0] == 'B' && magic[1] == 'M') return readBmpFile(file.fd, size);
  if (got > 0 && isPng(magic, std::size_t(got))) return readPngFile(file.fd, size);
  // The file's bytes borrow a buffer of the picture pool: the next Open of
  // a file that size finds it faulted in.
  struct Borrowed {
    PixelWords words;
    ~Borrowed() { PixelPool::shared().release(std::move(words)); }
  } buffer{PixelPool::shared().acquire(std::size_t(size / 4 + 1))};
  auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.words.data());
  return decodePicture(bytes, readFileAt(file.fd, bytes, std::size_t(size), 0));
}

}  // namespace pictavo
