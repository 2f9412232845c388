#pragma once
// Bounds-checked little-endian reads from a metafile's bytes. Every read that
// would go past the end throws the invalid-picture error, so the record
// parsers never touch memory outside the file.

#include "base/Errors.h"
#include "formats/LittleEndian.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pictavo {

class MetafileBytes {
 public:
  MetafileBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t size() const { return size_; }
  const std::uint8_t* data() const { return data_; }
  bool has(std::size_t offset, std::size_t length) const { return offset <= size_ && length <= size_ - offset; }
  void require(std::size_t offset, std::size_t length) const {
    if (!has(offset, length)) throw Error(kErrInvalidPicture);
  }

  std::uint8_t u8(std::size_t at) const { require(at, 1); return data_[at]; }
  std::uint16_t u16(std::size_t at) const {
    require(at, 2);
    return std::uint16_t(le16(data_ + at));
  }
  std::int16_t i16(std::size_t at) const { return std::int16_t(u16(at)); }
  std::uint32_t u32(std::size_t at) const {
    require(at, 4);
    return le32(data_ + at);
  }
  std::int32_t i32(std::size_t at) const { return std::int32_t(u32(at)); }
  float f32(std::size_t at) const {
    const std::uint32_t bits = u32(at);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  // A view of length bytes at offset (checked).
  MetafileBytes slice(std::size_t offset, std::size_t length) const {
    require(offset, length);
    return MetafileBytes(data_ + offset, length);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace pictavo
