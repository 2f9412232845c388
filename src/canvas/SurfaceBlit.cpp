// Block copies between surfaces: plain, scaled and keyed.
//
// Every copy reads the source's drawing layer (drawBits(): the persistent
// image while its AutoRedraw is on, which is always the case for hidden
// buffers) and writes the destination's drawing layer, then reports the
// written rectangle once. When source and destination are the same surface
// the source pixels are taken as they were before the copy began.

#include "canvas/AxisMapping.h"
#include "canvas/HalftoneScaler.h"
#include "canvas/PixelBlock.h"
#include "canvas/PixelCopy.h"
#include "canvas/RowBands.h"
#include "canvas/ScratchBuffer.h"
#include "canvas/Surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pictavo {

namespace {

ScratchBuffer<std::uint32_t>& snapshotScratch() {
  static thread_local ScratchBuffer<std::uint32_t> scratch;
  return scratch;
}

HalftoneScaler& halftoneScaler() {
  static thread_local HalftoneScaler scaler;
  return scaler;
}

PixelBlock wholeSurface(const Surface& s) { return PixelBlock{s.drawBits(), std::size_t(s.stride()), 0, 0}; }

// A copy of the rectangle r of s, for reading while s is being written.
PixelBlock snapshot(const Surface& s, const Rect& r) {
  const std::size_t w = std::size_t(r.width());
  std::uint32_t* copy = snapshotScratch().get(w * std::size_t(r.height()));
  const std::uint32_t* from = s.drawBits();
  for (int y = r.top; y < r.bottom; ++y)
    std::memcpy(copy + std::size_t(y - r.top) * w, from + std::size_t(y) * std::size_t(s.stride()) + std::size_t(r.left),
                w * sizeof(std::uint32_t));
  return PixelBlock{copy, w, r.left, r.top};
}

// The smallest range holding every entry of a nearest-pixel table that is
// not -1, as [first, last + 1); empty when there is none.
std::pair<int, int> tableSpan(const std::vector<int>& table) {
  int lo = 0, hi = 0;
  bool any = false;
  for (int v : table) {
    if (v < 0) continue;
    lo = any ? std::min(lo, v) : v;
    hi = any ? std::max(hi, v + 1) : v + 1;
    any = true;
  }
  return {lo, hi};
}

std::pair<int, int> areaSpan(const AxisMapping& m) {
  std::vector<std::uint16_t> unused;
  int lo = 0, hi = 0;
  bool any = false;
  for (int d = m.begin(); d < m.end(); ++d) {
    unused.clear();
    const AxisMapping::Taps t = m.areaWeights(d, unused);
    if (t.count == 0) continue;
    lo = any ? std::min(lo, t.first) : t.first;
    hi = any ? std::max(hi, t.first + t.count) : t.first + t.count;
    any = true;
  }
  return {lo, hi};
}

bool mirroredTable(const std::vector<int>& table) { return table.size() > 1 && table[1] < table[0]; }

// Copies through nearest-pixel tables; with a key, source pixels of that
// colour (0xRRGGBB, compared without alpha) are skipped.
void copyByTables(std::uint32_t* dest, std::size_t destStride, int destLeft, int destTop, const std::vector<int>& xt,
                  const std::vector<int>& yt, const PixelBlock& src, const std::uint32_t* key) {
  for (std::size_t i = 0; i < yt.size(); ++i) {
    if (yt[i] < 0) continue;
    const std::uint32_t* s = src.row(yt[i]);
    std::uint32_t* d = dest + (std::size_t(destTop) + i) * destStride + std::size_t(destLeft);
    if (key) {
      const std::uint32_t k = *key;
      for (std::size_t j = 0; j < xt.size(); ++j) {
        if (xt[j] < 0) continue;
        const std::uint32_t p = s[xt[j] - src.originX];
        if ((p & 0x00FFFFFFu) != k) d[j] = p;
      }
    } else {
      for (std::size_t j = 0; j < xt.size(); ++j)
        if (xt[j] >= 0) d[j] = s[xt[j] - src.originX];
    }
  }
}

void reverseCopy(std::uint32_t* d, const std::uint32_t* s, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) d[j] = s[n - 1 - j];
}

void reverseInPlace(std::uint32_t* p, std::size_t n) {
  for (std::size_t j = 0; j < n / 2; ++j) {
    const std::uint32_t t = p[j];
    p[j] = p[n - 1 - j];
    p[n - 1 - j] = t;
  }
}

// Exchanges row a with row b read backwards.
void swapReversed(std::uint32_t* a, std::uint32_t* b, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint32_t t = a[j];
    a[j] = b[n - 1 - j];
    b[n - 1 - j] = t;
  }
}

}  // namespace

void Surface::BitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy) {
  if (w <= 0 || h <= 0) return;
  // Destination pixels whose source pixel exists, inside both surfaces.
  const std::int64_t offX = std::int64_t(sx) - dx, offY = std::int64_t(sy) - dy;
  const std::int64_t x0 = std::max<std::int64_t>({dx, 0, -offX});
  const std::int64_t x1 = std::min<std::int64_t>({std::int64_t(dx) + w, width_, src.width_ - offX});
  const std::int64_t y0 = std::max<std::int64_t>({dy, 0, -offY});
  const std::int64_t y1 = std::min<std::int64_t>({std::int64_t(dy) + h, height_, src.height_ - offY});
  if (x0 >= x1 || y0 >= y1) return;
  const std::uint32_t* from = src.drawBits();
  std::uint32_t* to = writableDrawBits(Rect{int(x0), int(y0), int(x1), int(y1)});
  const std::size_t bytes = std::size_t(x1 - x0) * sizeof(std::uint32_t);
  const std::size_t toStride = std::size_t(width_), fromStride = std::size_t(src.width_);
  auto copyRow = [&](std::int64_t y) {
    std::memmove(to + std::size_t(y) * toStride + std::size_t(x0),
                 from + std::size_t(y + offY) * fromStride + std::size_t(x0 + offX), bytes);
  };
  // Onto itself and downward, rows are copied bottom-up so each source row
  // is read before it is overwritten; memmove takes care of the columns.
  if (&src == this && offY < 0) {
    for (std::int64_t y = y1 - 1; y >= y0; --y) copyRow(y);
  } else if (&src == this) {
    for (std::int64_t y = y0; y < y1; ++y) copyRow(y);
  } else {
    const bool stream = std::size_t(y1 - y0) * bytes >= kStreamingCopyBytes;
    for (std::int64_t y = y0; y < y1; ++y)
      copyPixels(to + std::size_t(y) * toStride + std::size_t(x0),
                 from + std::size_t(y + offY) * fromStride + std::size_t(x0 + offX), std::size_t(x1 - x0), stream);
    if (stream) finishStreaming();
  }
  markChanged(Rect{int(x0), int(y0), int(x1), int(y1)});
}

void Surface::StretchBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh) {
  const AxisMapping xs(dx, dw, width_, sx, sw, src.width_);
  const AxisMapping ys(dy, dh, height_, sy, sh, src.height_);
  if (xs.isEmpty() || ys.isEmpty()) return;
  const Rect written{xs.begin(), ys.begin(), xs.end(), ys.end()};
  std::uint32_t* dest = writableDrawBits(written);
  const std::size_t stride = std::size_t(width_);

  if (stretchMode_ == kStretchHalftone && !(xs.sameSize() && ys.sameSize())) {
    PixelBlock from = wholeSurface(src);
    if (&src == this) {
      const auto [cx0, cx1] = areaSpan(xs);
      const auto [ry0, ry1] = areaSpan(ys);
      if (cx0 >= cx1 || ry0 >= ry1) return;
      from = snapshot(src, Rect{cx0, ry0, cx1, ry1});
    }
    halftoneScaler().scale(dest, stride, xs, ys, from);
    markChanged(written);
    return;
  }

  // Nearest pixel; at equal sizes (also in halftone mode) that is an exact
  // copy, shifted or mirrored, which the flips rely on.
  const std::vector<int> xt = xs.nearestTable(), yt = ys.nearestTable();
  const auto [cx0, cx1] = tableSpan(xt);
  const auto [ry0, ry1] = tableSpan(yt);
  if (cx0 >= cx1 || ry0 >= ry1) return;
  const Rect read{cx0, ry0, cx1, ry1};
  const bool whole = xs.sameSize() && ys.sameSize() && std::find(xt.begin(), xt.end(), -1) == xt.end() &&
                     std::find(yt.begin(), yt.end(), -1) == yt.end();
  const bool mirrorX = mirroredTable(xt), mirrorY = mirroredTable(yt);
  const std::size_t n = xt.size();

  if (whole && &src == this && read == written) {
    // A mirror of a rectangle onto itself: done in place, without a copy.
    // Upside down, row i of the top half trades places with its partner;
    // each row (or pair) is touched once, so bands of them run on every core.
    const int rows = mirrorY ? (written.height() + 1) / 2 : written.height();
    const std::vector<RowBand> bands = rowBands(0, rows, int(n));
    runBands(bands, [&](std::size_t band) {
      for (int i = bands[band].first; i < bands[band].last; ++i) {
        const int y = written.top + i, other = yt[std::size_t(i)];
        std::uint32_t* a = dest + std::size_t(y) * stride + std::size_t(written.left);
        if (!mirrorY) {
          if (mirrorX) reverseInPlace(a, n);
        } else if (y < other) {
          std::uint32_t* b = dest + std::size_t(other) * stride + std::size_t(written.left);
          if (mirrorX)
            swapReversed(a, b, n);
          else
            std::swap_ranges(a, a + n, b);
        } else if (y == other && mirrorX) {
          reverseInPlace(a, n);
        }
      }
    });
    markChanged(written);
    return;
  }

  const PixelBlock from = (&src == this && !read.intersected(written).isEmpty()) ? snapshot(src, read) : wholeSurface(src);
  if (whole) {
    for (std::size_t i = 0; i < yt.size(); ++i) {
      const std::uint32_t* s = from.row(yt[i]) + (std::min(xt.front(), xt.back()) - from.originX);
      std::uint32_t* d = dest + (std::size_t(written.top) + i) * stride + std::size_t(written.left);
      if (mirrorX)
        reverseCopy(d, s, n);
      else
        std::memcpy(d, s, n * sizeof(std::uint32_t));
    }
  } else {
    copyByTables(dest, stride, written.left, written.top, xt, yt, from, nullptr);
  }
  markChanged(written);
}

void Surface::TransparentBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh,
                             Color key) {
  // Like the classic call, mirrored extents are refused.
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const AxisMapping xs(dx, dw, width_, sx, sw, src.width_);
  const AxisMapping ys(dy, dh, height_, sy, sh, src.height_);
  if (xs.isEmpty() || ys.isEmpty()) return;
  const std::vector<int> xt = xs.nearestTable(), yt = ys.nearestTable();
  const auto [cx0, cx1] = tableSpan(xt);
  const auto [ry0, ry1] = tableSpan(yt);
  if (cx0 >= cx1 || ry0 >= ry1) return;
  const Rect read{cx0, ry0, cx1, ry1};
  const Rect written{xs.begin(), ys.begin(), xs.end(), ys.end()};
  const PixelBlock from = (&src == this && !read.intersected(written).isEmpty()) ? snapshot(src, read) : wholeSurface(src);
  // A key beyond 0x00FFFFFF (kNoColor) matches no pixel.
  const std::uint32_t keyWord = (key & 0xFF000000u) ? 0xFFFFFFFFu : (pixelFromColor(key) & 0x00FFFFFFu);
  copyByTables(writableDrawBits(written), std::size_t(width_), written.left, written.top, xt, yt, from, &keyWord);
  markChanged(written);
}

}  // namespace pictavo
