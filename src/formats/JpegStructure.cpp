#include "formats/JpegStructure.h"

#include <algorithm>

namespace pictavo {

namespace {

struct Component {
  int id = 0, h = 1, v = 1;
};

struct Frame {
  bool seen = false;
  std::uint64_t width = 0, height = 0;
  int hMax = 1, vMax = 1;
  Component components[4];
  int count = 0;

  // Blocks of one component: its own sampled size in whole blocks.
  std::uint64_t blocksOf(const Component& c) const {
    const std::uint64_t w = (width * std::uint64_t(c.h) + std::uint64_t(hMax) - 1) / std::uint64_t(hMax);
    const std::uint64_t h = (height * std::uint64_t(c.v) + std::uint64_t(vMax) - 1) / std::uint64_t(vMax);
    return ((w + 7) / 8) * ((h + 7) / 8);
  }
  const Component* find(int id) const {
    for (int i = 0; i < count; ++i)
      if (components[i].id == id) return &components[i];
    return nullptr;
  }
};

std::size_t be16(const std::uint8_t* p) { return (std::size_t(p[0]) << 8) | p[1]; }

bool isFrameMarker(std::uint8_t m) {
  return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

void readFrame(const std::uint8_t* p, std::size_t length, Frame& f) {
  if (length < 8) return;
  f = Frame{};
  f.seen = true;
  f.height = be16(p + 3);
  f.width = be16(p + 5);
  const int n = p[7];
  for (int i = 0; i < n && i < 4 && 8 + 3 * std::size_t(i) + 3 <= length; ++i) {
    const std::uint8_t* c = p + 8 + 3 * i;
    Component& comp = f.components[f.count++];
    comp.id = c[0];
    comp.h = std::clamp(c[1] >> 4, 1, 4);
    comp.v = std::clamp(c[1] & 15, 1, 4);
    f.hMax = std::max(f.hMax, comp.h);
    f.vMax = std::max(f.vMax, comp.v);
  }
}

// The scan header from its length field on: component count, (id, tables)
// per component, then Ss, Se and Ah/Al.
std::uint64_t scanWork(const std::uint8_t* p, std::size_t length, const Frame& f) {
  if (!f.seen || length < 3) return 0;
  std::uint64_t blocks = 0;
  const int n = p[2];
  for (int i = 0; i < n && 3 + 2 * std::size_t(i) + 2 <= length; ++i)
    if (const Component* c = f.find(p[3 + 2 * i])) blocks += f.blocksOf(*c);
  const std::size_t band = 3 + 2 * std::size_t(n);
  if (band + 3 > length) return blocks;  // a cut header: the decoder refuses it
  return jpegScanWork(blocks, p[band], p[band + 1], p[band + 2] >> 4);
}

// Past the coded data of a scan, as the decoder reads it: to the next
// marker, with stuffed zeros, fill bytes and restart markers inside.
std::size_t skipCodedData(const std::uint8_t* d, std::size_t size, std::size_t pos) {
  for (; pos + 1 < size; ++pos) {
    if (d[pos] != 0xFF) continue;
    const std::uint8_t next = d[pos + 1];
    if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7)) return pos;
  }
  return size;
}

}  // namespace

std::uint64_t jpegScanWork(std::uint64_t blocks, int ss, int se, int ah) {
  const int last = std::min(se, 63);
  const std::uint64_t walked = ah != 0 && ss > 0 && last >= ss ? std::uint64_t(last - ss + 1) : 0;
  return blocks + blocks * walked / 8;
}

std::uint64_t jpegBlockBudget(std::uint64_t entropyBytes) {
  // Two passes over the largest canvas with three full-size components.
  constexpr std::uint64_t kFloor = 2ull * 3ull * (16384ull * 16384ull / 64ull);
  constexpr std::uint64_t kPerByte = 1000;
  return std::max<std::uint64_t>(kFloor, kPerByte * entropyBytes);
}

JpegStructure readJpegStructure(const std::uint8_t* d, std::size_t size) {
  JpegStructure s;
  Frame frame;
  std::size_t pos = 2;  // after the start-of-image marker
  while (pos + 1 < size) {
    if (d[pos] != 0xFF) {
      // Before the first scan we take nothing but well-formed segments; past
      // it, the decoder skips stray bytes up to the next marker.
      if (s.scans == 0) return s;
      pos = skipCodedData(d, size, pos);
      continue;
    }
    const std::uint8_t marker = d[pos + 1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xD9) {
      s.complete = s.scans > 0;
      return s;
    }
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      pos += 2;
      continue;
    }
    if (pos + 4 > size) return s;
    const std::size_t length = be16(d + pos + 2);
    if (length < 2 || pos + 2 + length > size) return s;
    const std::uint8_t* payload = d + pos + 2;
    if (isFrameMarker(marker)) readFrame(payload, length, frame);
    pos += 2 + length;
    if (marker == 0xDA) {
      ++s.scans;
      s.work += scanWork(payload, length, frame);
      const std::size_t coded = pos;
      pos = skipCodedData(d, size, pos);
      s.entropyBytes += pos - coded;
    }
  }
  return s;
}

}  // namespace pictavo
