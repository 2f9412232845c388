#include "canvas/ZoomRenderer.h"

#include "base/Errors.h"
#include "canvas/RowBands.h"

#include <algorithm>
#include <cstring>

namespace pictavo {

namespace {

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

// Exact (sum + count / 2) / count for sums below 65536 and counts up to
// 65536: a multiply by 2^32 / count rounded up errs by less than 1 / count.
struct MeanDivisor {
  explicit MeanDivisor(unsigned count) : half(count / 2), reciprocal((std::uint64_t(1) << 32) / count + 1) {}
  std::uint32_t operator()(unsigned sum) const { return std::uint32_t(((sum + half) * reciprocal) >> 32); }
  unsigned half;
  std::uint64_t reciprocal;
};

// Divisors for every count of pixels a screen pixel can cover (up to 16 x
// 16), made once: a division per pixel would cost more than the rest.
const MeanDivisor& divisorFor(unsigned count) {
  static const std::vector<MeanDivisor> table = [] {
    std::vector<MeanDivisor> t;
    for (unsigned c = 0; c <= 256; ++c) t.emplace_back(std::max(c, 1u));
    return t;
  }();
  return count <= 256 ? table[count] : table[1];
}

std::uint32_t meanWord(unsigned b, unsigned g, unsigned r, const MeanDivisor& divide) {
  return 0xFF000000u | (divide(r) << 16) | (divide(g) << 8) | divide(b);
}

// The first picture pixel whose centre lies at or right of screen edge v:
// 2i + 1 >= 2 v / z.
int firstCentreAt(std::int64_t v, ZoomFactor z) {
  return int(std::max<std::int64_t>(0, ceilDiv(2 * v * z.den - z.num, 2 * std::int64_t(z.num))));
}

}  // namespace

std::uint32_t ZoomRenderer::gridColor(std::uint32_t pixel) {
  const unsigned b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
  const bool light = r * 299 + g * 587 + b * 114 >= 128 * 1000;
  auto shade = [light](unsigned c) { return light ? c - c / 4 : c + (255 - c) / 4; };
  return 0xFF000000u | (shade(r) << 16) | (shade(g) << 8) | shade(b);
}

void ZoomRenderer::render(const Surface& surface, ZoomFactor z, bool grid, const Rect& area, std::uint32_t* dst,
                          std::size_t dstStride) {
  if (area.isEmpty() || surface.Width() <= 0 || surface.Height() <= 0) return;
  const int width = surface.Width(), height = surface.Height();
  if (!z.reduces()) {
    // Picture pixels under the area: floor(v / z) of its first and last pixels.
    const Rect needed{int(std::int64_t(area.left) * z.den / z.num), int(std::int64_t(area.top) * z.den / z.num),
                      int(std::int64_t(area.right - 1) * z.den / z.num) + 1,
                      int(std::int64_t(area.bottom - 1) * z.den / z.num) + 1};
    const std::uint32_t* pixels = surface.visibleBits(needed);
    magnify(pixels, surface.stride(), z, grid && z.num >= kGridFromZoom * z.den, area, dst, dstStride);
    return;
  }
  // Which level's sums, and how many of them a side, make one screen pixel.
  struct LevelUse {
    int den, block, factor;
  };
  static constexpr LevelUse kUses[] = {{3, 3, 1}, {4, 4, 1}, {6, 3, 2}, {8, 4, 2}, {12, 12, 1}, {16, 16, 1}};
  for (const LevelUse& use : kUses) {
    if (z.num != 1 || z.den != use.den) continue;
    try {
      reduceFromLevels(surface, use.block, use.factor, area, dst, dstStride);
      return;
    } catch (const Error&) {
      // No memory for the levels: the same means, straight from the pixels.
      levels_.release();
    }
  }
  const Rect needed{firstCentreAt(area.left, z), firstCentreAt(area.top, z), firstCentreAt(area.right, z),
                    firstCentreAt(area.bottom, z)};
  const std::uint32_t* pixels = surface.visibleBits(needed);
  reduceFromPixels(pixels, width, height, z, area, dst, dstStride);
}

void ZoomRenderer::magnify(const std::uint32_t* pixels, int stride, ZoomFactor z, bool grid, const Rect& area,
                           std::uint32_t* dst, std::size_t dstStride) {
  const int aw = area.width();
  columns_.resize(std::size_t(aw));
  for (int i = 0; i < aw; ++i) columns_[std::size_t(i)] = int(std::int64_t(area.left + i) * z.den / z.num);
  // Rows that show the same picture row alike are drawn once and copied.
  const std::uint32_t* plainRow = nullptr;
  int plainRowSource = -1;
  for (int row = 0; row < area.height(); ++row) {
    const std::int64_t v = area.top + row;
    const int source = int(v * z.den / z.num);
    std::uint32_t* out = dst + std::size_t(row) * dstStride;
    const std::uint32_t* in = pixels + std::size_t(source) * std::size_t(stride);
    if (grid && v % z.num == 0) {  // the grid is drawn only at whole-number levels
      for (int i = 0; i < aw; ++i) out[i] = gridColor(in[columns_[std::size_t(i)]]);
      continue;
    }
    if (source == plainRowSource) {
      std::memcpy(out, plainRow, std::size_t(aw) * sizeof(std::uint32_t));
      continue;
    }
    for (int i = 0; i < aw; ++i) out[i] = in[columns_[std::size_t(i)]];
    if (grid) {
      for (int i = int((z.num - area.left % z.num) % z.num); i < aw; i += z.num) out[i] = gridColor(out[i]);
    }
    plainRow = out;
    plainRowSource = source;
  }
}

namespace {

// The mean of up to 2 x 2 pixels, the two channel pairs of a word in 16-bit
// lanes at once; a count of 1, 2 or 4 divides by a shift, rounding halves up.
struct SmallMean {
  std::uint32_t redBlue = 0, alphaGreen = 0;
  void add(std::uint32_t pixel) {
    redBlue += pixel & 0x00FF00FFu;
    alphaGreen += (pixel >> 8) & 0x00FF00FFu;
  }
  std::uint32_t word(unsigned count) const {
    const unsigned shift = count >> 1 == 2 ? 2 : count >> 1;
    const std::uint32_t half = (count >> 1) * 0x00010001u;
    return 0xFF000000u | (((redBlue + half) >> shift) & 0x00FF00FFu) | ((((alphaGreen + half) >> shift) & 0xFFu) << 8);
  }
};

}  // namespace

// Zoomed out no further than 1/2 every screen pixel covers at most 2 x 2 pixels.
void ZoomRenderer::reduceFewPixels(const std::uint32_t* pixels, int width, int height, ZoomFactor z, const Rect& area,
                                   std::uint32_t* dst, std::size_t dstStride) {
  const int aw = area.width();
  const std::vector<RowBand> bands = rowBands(0, area.height(), 4 * aw);
  runBands(bands, [&](std::size_t band) {
    for (int row = bands[band].first; row < bands[band].last; ++row) {
      const int r0 = std::min(height, firstCentreAt(area.top + row, z));
      const int r1 = std::min(height, firstCentreAt(area.top + row + 1, z));
      const std::uint32_t* top = pixels + std::size_t(r0) * std::size_t(width);
      const std::uint32_t* below = r1 - r0 == 2 ? top + width : nullptr;
      std::uint32_t* out = dst + std::size_t(row) * dstStride;
      for (int i = 0; i < aw; ++i) {
        const int c0 = columns_[std::size_t(i)], c1 = columns_[std::size_t(i) + 1];
        const unsigned count = unsigned(c1 - c0) * unsigned(r1 - r0);
        if (count == 0) {
          out[i] = 0xFF000000u;
          continue;
        }
        SmallMean m;
        for (int c = c0; c < c1; ++c) {
          m.add(top[c]);
          if (below) m.add(below[c]);
        }
        out[i] = m.word(count);
      }
    }
  });
}

void ZoomRenderer::reduceFromPixels(const std::uint32_t* pixels, int width, int height, ZoomFactor z,
                                    const Rect& area, std::uint32_t* dst, std::size_t dstStride) {
  const int aw = area.width();
  // columns_[i] .. columns_[i + 1]: the picture columns of screen column i.
  columns_.resize(std::size_t(aw) + 1);
  for (int i = 0; i <= aw; ++i) columns_[std::size_t(i)] = std::min(width, firstCentreAt(area.left + i, z));
  if (z.den <= 2 * z.num) {
    reduceFewPixels(pixels, width, height, z, area, dst, dstStride);
    return;
  }
  const int spanFirst = columns_[0], span = columns_[std::size_t(aw)] - spanFirst;
  const int rowsPerScreenRow = int(ceilDiv(z.den, z.num));
  const std::vector<RowBand> bands = rowBands(0, area.height(), span * rowsPerScreenRow);
  runBands(bands, [&](std::size_t band) {
    // Channel sums down one screen row's picture rows, per picture column.
    std::vector<std::uint16_t> sums(std::size_t(span) * 4);
    for (int row = bands[band].first; row < bands[band].last; ++row) {
      const int r0 = std::min(height, firstCentreAt(area.top + row, z));
      const int r1 = std::min(height, firstCentreAt(area.top + row + 1, z));
      std::fill(sums.begin(), sums.end(), std::uint16_t(0));
      for (int y = r0; y < r1; ++y) {
        const auto* in =
            reinterpret_cast<const std::uint8_t*>(pixels + std::size_t(y) * std::size_t(width) + std::size_t(spanFirst));
        std::uint16_t* to = sums.data();
        for (int i = 0; i < span * 4; ++i) to[i] = std::uint16_t(to[i] + in[i]);
      }
      std::uint32_t* out = dst + std::size_t(row) * dstStride;
      const unsigned rows = unsigned(r1 - r0);
      for (int i = 0; i < aw; ++i) {
        const int c0 = columns_[std::size_t(i)] - spanFirst, c1 = columns_[std::size_t(i) + 1] - spanFirst;
        unsigned b = 0, g = 0, r = 0;
        for (const std::uint16_t* c = sums.data() + std::size_t(c0) * 4; c < sums.data() + std::size_t(c1) * 4; c += 4) {
          b += c[0];
          g += c[1];
          r += c[2];
        }
        const unsigned count = unsigned(c1 - c0) * rows;
        out[i] = count ? meanWord(b, g, r, divisorFor(count)) : 0xFF000000u;
      }
    }
  });
}

namespace {

// One screen row from a level's sums: Factor x Factor entries a pixel. The
// pixels whose square lies wholly in the picture share one divisor; only
// those at the right edge count fewer pixels.
template <int Factor>
void reduceRow(const ChannelSums* top, std::size_t stride, int firstColumn, int count, int wholeColumns,
               int columnsAtEdge, int rows, int side, std::uint32_t* out) {
  const MeanDivisor& whole = divisorFor(unsigned(side * rows));
  auto sumAt = [&](int sx, unsigned& b, unsigned& g, unsigned& r) {
    const ChannelSums* s = top + std::size_t(sx) * Factor;
    b = s->blue;
    g = s->green;
    r = s->red;
    if constexpr (Factor == 2) {
      const ChannelSums* below = s + stride;
      b += s[1].blue + below[0].blue + below[1].blue;
      g += s[1].green + below[0].green + below[1].green;
      r += s[1].red + below[0].red + below[1].red;
    }
  };
  const int interiorEnd = std::min(count, wholeColumns - firstColumn);
  int i = 0;
  for (; i < interiorEnd; ++i) {
    unsigned b, g, r;
    sumAt(firstColumn + i, b, g, r);
    out[i] = meanWord(b, g, r, whole);
  }
  for (; i < count; ++i) {
    unsigned b, g, r;
    sumAt(firstColumn + i, b, g, r);
    out[i] = meanWord(b, g, r, divisorFor(unsigned(columnsAtEdge * rows)));
  }
}

}  // namespace

void ZoomRenderer::reduceFromLevels(const Surface& surface, int block, int factor, const Rect& area,
                                    std::uint32_t* dst, std::size_t dstStride) {
  const int width = surface.Width(), height = surface.Height();
  const int side = block * factor;  // picture pixels a screen pixel covers
  const Rect needed{area.left * side, area.top * side, int(std::min<std::int64_t>(width, std::int64_t(area.right) * side)),
                    int(std::min<std::int64_t>(height, std::int64_t(area.bottom) * side))};
  levels_.update(surface, needed, block);
  const ChannelSums* sums = levels_.level(block);
  const std::size_t stride = std::size_t(levels_.stride(block));
  const int wholeColumns = width / side, columnsAtEdge = width % side;
  const std::vector<RowBand> bands = rowBands(0, area.height(), area.width() * factor * factor);
  runBands(bands, [&](std::size_t band) {
    for (int row = bands[band].first; row < bands[band].last; ++row) {
      const int sy = area.top + row;
      const int rows = std::min(height - sy * side, side);
      const ChannelSums* top = sums + std::size_t(sy) * std::size_t(factor) * stride;
      std::uint32_t* out = dst + std::size_t(row) * dstStride;
      if (factor == 2)
        reduceRow<2>(top, stride, area.left, area.width(), wholeColumns, columnsAtEdge, rows, side, out);
      else
        reduceRow<1>(top, stride, area.left, area.width(), wholeColumns, columnsAtEdge, rows, side, out);
    }
  });
}

}  // namespace pictavo
