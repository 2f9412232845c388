#include "canvas/ReducedLevels.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace pictavo {

namespace {
int ceilDiv(int a, int b) { return (a + b - 1) / b; }
}  // namespace

void ReducedLevels::release() {
  width_ = height_ = cellsX_ = cellsY_ = 0;
  for (auto& fresh : fresh_) {
    fresh.clear();
    fresh.shrink_to_fit();
  }
  for (Level& l : levels_) l = Level{};
}

std::size_t ReducedLevels::bytes() const {
  std::size_t total = fresh_[0].capacity() + fresh_[1].capacity();
  for (const Level& l : levels_)
    if (l.sums) total += std::size_t(l.width) * std::size_t(l.height) * sizeof(ChannelSums);
  return total;
}

void ReducedLevels::invalidate(const Rect& r) {
  const Rect part = r.intersected(Rect{0, 0, width_, height_});
  if (part.isEmpty()) return;
  const int cx0 = part.left / kCell, cx1 = ceilDiv(part.right, kCell);
  const int cy0 = part.top / kCell, cy1 = ceilDiv(part.bottom, kCell);
  for (auto& fresh : fresh_) {
    if (fresh.empty()) continue;
    for (int cy = cy0; cy < cy1; ++cy)
      std::fill_n(fresh.begin() + std::ptrdiff_t(cy) * cellsX_ + cx0, cx1 - cx0, std::uint8_t(0));
  }
}

ReducedLevels::Level& ReducedLevels::levelFor(int block) {
  for (int i = 0; i < 4; ++i)
    if (kBlocks[i] == block) return levels_[i];
  return levels_[0];
}

const ReducedLevels::Level* ReducedLevels::find(int block) const {
  for (const Level& l : levels_)
    if (l.block == block && l.sums) return &l;
  return nullptr;
}

const ChannelSums* ReducedLevels::level(int block) const {
  const Level* l = find(block);
  return l ? l->sums.get() : nullptr;
}

int ReducedLevels::stride(int block) const {
  const Level* l = find(block);
  return l ? l->width : 0;
}

void ReducedLevels::resizeFor(int width, int height) {
  release();
  width_ = width;
  height_ = height;
  cellsX_ = ceilDiv(width, kCell);
  cellsY_ = ceilDiv(height, kCell);
}

void ReducedLevels::allocateGroup(int group) {
  try {
    for (int i = 0; i < 4; ++i) {
      if (groupOf(kBlocks[i]) != group) continue;
      Level& l = levels_[i];
      l.block = kBlocks[i];
      l.width = ceilDiv(width_, l.block) + 1;
      l.height = ceilDiv(height_, l.block) + 1;
      // Left unwritten: each cell writes its own sums when first shown; only
      // the padding row and column are zeroed here.
      l.sums.reset(new ChannelSums[std::size_t(l.width) * std::size_t(l.height)]);
      ChannelSums* last = l.sums.get() + std::size_t(l.height - 1) * std::size_t(l.width);
      std::fill_n(last, l.width, ChannelSums{});
      for (int y = 0; y < l.height; ++y) l.sums[std::size_t(y) * std::size_t(l.width) + std::size_t(l.width - 1)] = {};
    }
    fresh_[group].assign(std::size_t(cellsX_) * std::size_t(cellsY_), 0);
  } catch (const std::bad_alloc&) {
    release();
    throw Error(kErrOutOfMemory);
  }
}

void ReducedLevels::update(const Surface& surface, const Rect& needed, int block) {
  if (surface.Width() != width_ || surface.Height() != height_) resizeFor(surface.Width(), surface.Height());
  const int group = groupOf(block);
  std::vector<std::uint8_t>& fresh = fresh_[group];
  if (fresh.empty()) allocateGroup(group);
  const Rect part = needed.intersected(Rect{0, 0, width_, height_});
  if (part.isEmpty()) return;
  const int cx0 = part.left / kCell, cx1 = ceilDiv(part.right, kCell);
  const int cy0 = part.top / kCell, cy1 = ceilDiv(part.bottom, kCell);
  struct Cell {
    int x, y;
  };
  std::vector<Cell> stale;
  for (int cy = cy0; cy < cy1; ++cy)
    for (int cx = cx0; cx < cx1; ++cx)
      if (!fresh[std::size_t(cy) * std::size_t(cellsX_) + std::size_t(cx)]) stale.push_back({cx, cy});
  if (stale.empty()) return;
  const Rect cells{cx0 * kCell, cy0 * kCell, std::min(width_, cx1 * kCell), std::min(height_, cy1 * kCell)};
  const std::uint32_t* pixels = surface.visibleBits(cells);
  const std::vector<RowBand> bands = rowBands(0, int(stale.size()), kCell * kCell);
  runBands(bands, [&](std::size_t b) {
    for (int i = bands[b].first; i < bands[b].last; ++i)
      buildCell(pixels, stale[std::size_t(i)].x, stale[std::size_t(i)].y, group);
  });
  for (const Cell& c : stale) fresh[std::size_t(c.y) * std::size_t(cellsX_) + std::size_t(c.x)] = 1;
}

namespace {

// Sums of `block` x `block` pixel squares of one cell's pixels (cw x ch from
// `first`, rows `stride` words apart) into the level's entries from `out`.
void sumPixels(const std::uint32_t* first, std::size_t stride, int cw, int ch, int block, ChannelSums* out,
               std::size_t outStride) {
  constexpr int kCell = ReducedLevels::kCell;
  for (int ey = 0; ey * block < ch; ++ey) {
    // Column sums of the square's rows, every byte at once (the compiler
    // vectorises this), then the squares along the row.
    std::uint16_t column[kCell * 4] = {};
    const int rows = std::min(block, ch - ey * block);
    const int bytes = cw * 4;
    for (int y = 0; y < rows; ++y) {
      const auto* row = reinterpret_cast<const std::uint8_t*>(first + std::size_t(ey * block + y) * stride);
      for (int i = 0; i < bytes; ++i) column[i] = std::uint16_t(column[i] + row[i]);
    }
    // Each pixel's four channel sums as one 64-bit word of 16-bit lanes: a
    // square's sums are the words added, lane by lane (no lane can reach
    // 16 x 16 x 255 < 65536, so none carries into the next).
    ChannelSums* o = out + std::size_t(ey) * outStride;
    for (int ex = 0; ex * block < cw; ++ex) {
      std::uint64_t sum = 0;
      const int end = std::min(cw, (ex + 1) * block);
      for (int c = ex * block; c < end; ++c) {
        std::uint64_t word;
        std::memcpy(&word, column + c * 4, sizeof word);
        sum += word;
      }
      o[ex] = ChannelSums{std::uint16_t(sum), std::uint16_t(sum >> 16), std::uint16_t(sum >> 32)};
    }
  }
}

// Sums of `factor` x `factor` entries of a finer level (ew x eh entries of
// one cell from `in`) into the coarser level's entries from `out`.
void sumEntries(const ChannelSums* in, std::size_t inStride, int ew, int eh, int factor, ChannelSums* out,
                std::size_t outStride) {
  for (int oy = 0; oy * factor < eh; ++oy) {
    for (int ox = 0; ox * factor < ew; ++ox) {
      unsigned b = 0, g = 0, r = 0;
      for (int y = oy * factor; y < std::min(eh, (oy + 1) * factor); ++y) {
        const ChannelSums* row = in + std::size_t(y) * inStride;
        for (int x = ox * factor; x < std::min(ew, (ox + 1) * factor); ++x) {
          b += row[x].blue;
          g += row[x].green;
          r += row[x].red;
        }
      }
      out[std::size_t(oy) * outStride + std::size_t(ox)] = ChannelSums{std::uint16_t(b), std::uint16_t(g), std::uint16_t(r)};
    }
  }
}

}  // namespace

void ReducedLevels::buildCell(const std::uint32_t* pixels, int cx, int cy, int group) {
  const int x0 = cx * kCell, y0 = cy * kCell;
  const int cw = std::min(kCell, width_ - x0), ch = std::min(kCell, height_ - y0);
  const std::uint32_t* first = pixels + std::size_t(y0) * std::size_t(width_) + std::size_t(x0);
  auto at = [](Level& l, int px, int py) {
    return l.sums.get() + std::size_t(py / l.block) * std::size_t(l.width) + std::size_t(px / l.block);
  };
  if (group == groupOf(3)) {
    Level& s3 = levelFor(3);
    sumPixels(first, std::size_t(width_), cw, ch, 3, at(s3, x0, y0), std::size_t(s3.width));
    return;
  }
  Level& s4 = levelFor(4);
  sumPixels(first, std::size_t(width_), cw, ch, 4, at(s4, x0, y0), std::size_t(s4.width));
  // The coarse levels from the 4 x 4 sums of the same cell.
  const int ew = ceilDiv(cw, 4), eh = ceilDiv(ch, 4);
  Level& s12 = levelFor(12);
  Level& s16 = levelFor(16);
  sumEntries(at(s4, x0, y0), std::size_t(s4.width), ew, eh, 3, at(s12, x0, y0), std::size_t(s12.width));
  sumEntries(at(s4, x0, y0), std::size_t(s4.width), ew, eh, 4, at(s16, x0, y0), std::size_t(s16.width));
}

}  // namespace pictavo
