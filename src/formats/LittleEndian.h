#pragma once
// Unsigned little-endian fields of file bytes, whatever the machine's order.
// The caller has checked that the bytes are there.

#include <cstdint>

namespace pictavo {

constexpr std::uint32_t le16(const std::uint8_t* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8); }

constexpr std::uint32_t le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

}  // namespace pictavo
