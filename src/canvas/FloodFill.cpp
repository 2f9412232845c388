// Span-based flood fill. The classic span algorithm: each stack entry is a
// run [x1, x2] of the row y to examine, together with the direction dy it
// came from, so the parent row is only rescanned where the new run sticks
// out past the parent's ends. Runs are written with std::fill_n.

#include "canvas/FloodFill.h"

#include <algorithm>
#include <vector>

namespace pictavo {

namespace {

struct Span {
  int x1, x2, y, dy;
};

// Pixels of a solid fill: a pixel is still to fill while it has the seed
// colour; filling changes it, so nothing is visited twice.
class SolidTarget {
 public:
  SolidTarget(std::uint32_t* pixels, int width, std::uint32_t seed, std::uint32_t fill)
      : pixels_(pixels), width_(width), seed_(seed), fill_(fill) {}

  bool inside(int x, int y) const { return row(y)[x] == seed_; }

  // First x >= from that is not to be filled (or width). Eight pixels are
  // compared at a time without an early exit so the compiler vectorises it.
  int runEnd(int from, int y) const {
    const std::uint32_t* r = row(y);
    int e = from;
    while (e + 8 <= width_) {
      unsigned same = 0;
      for (int k = 0; k < 8; ++k) same += r[e + k] == seed_ ? 1u : 0u;
      if (same != 8) break;
      e += 8;
    }
    while (e < width_ && r[e] == seed_) ++e;
    return e;
  }

  void fill(int l, int r, int y) { std::fill_n(row(y) + l, r - l, fill_); }

 private:
  std::uint32_t* row(int y) const { return pixels_ + std::size_t(y) * std::size_t(width_); }
  std::uint32_t* pixels_;
  int width_;
  std::uint32_t seed_, fill_;
};

// Pixels of a pattern fill: the pattern may contain the seed colour, so
// filled pixels are remembered in a bitmap.
class PatternTarget {
 public:
  PatternTarget(std::uint32_t* pixels, int width, int height, std::uint32_t seed, const Picture& pattern)
      : pixels_(pixels),
        width_(width),
        seed_(seed),
        pattern_(pattern),
        wordsPerRow_((std::size_t(width) + 63) / 64),
        done_(wordsPerRow_ * std::size_t(height), 0) {}

  bool inside(int x, int y) const { return row(y)[x] == seed_ && !isDone(x, y); }

  int runEnd(int from, int y) const {
    int e = from;
    while (e < width_ && inside(e, y)) ++e;
    return e;
  }

  void fill(int l, int r, int y) {
    std::uint32_t* out = row(y);
    const int pw = pattern_.width;
    const std::uint32_t* prow = pattern_.pixels.data() + std::size_t(y % pattern_.height) * std::size_t(pw);
    int px = l % pw;
    for (int x = l; x < r; ++x) {
      out[x] = prow[px] | 0xFF000000u;
      if (++px == pw) px = 0;
    }
    std::uint64_t* bits = done_.data() + std::size_t(y) * wordsPerRow_;
    for (int x = l; x < r; ++x) bits[x >> 6] |= std::uint64_t(1) << (x & 63);
  }

 private:
  bool isDone(int x, int y) const {
    return (done_[std::size_t(y) * wordsPerRow_ + std::size_t(x >> 6)] >> (x & 63)) & 1u;
  }
  std::uint32_t* row(int y) const { return pixels_ + std::size_t(y) * std::size_t(width_); }
  std::uint32_t* pixels_;
  int width_;
  std::uint32_t seed_;
  const Picture& pattern_;
  std::size_t wordsPerRow_;
  std::vector<std::uint64_t> done_;
};

template <class Target>
Rect spanFill(Target& t, int height, int x, int y, const FillRunObserver& beforeRun) {
  Rect box;
  auto filled = [&](int l, int r, int row) { box = box.united(Rect{l, row, r, row + 1}); };
  std::vector<Span> stack;
  stack.push_back({x, x, y, 1});
  stack.push_back({x, x, y - 1, -1});
  while (!stack.empty()) {
    Span s = stack.back();
    stack.pop_back();
    if (s.y < 0 || s.y >= height) continue;
    int x1 = s.x1;
    int runStart = x1;
    if (t.inside(x1, s.y)) {
      while (runStart > 0 && t.inside(runStart - 1, s.y)) --runStart;
      if (runStart < x1) stack.push_back({runStart, x1 - 1, s.y - s.dy, -s.dy});
    }
    while (x1 <= s.x2) {
      const int end = t.runEnd(x1, s.y);
      if (end > runStart) {
        if (beforeRun) beforeRun(Rect{runStart, s.y, end, s.y + 1});
        t.fill(runStart, end, s.y);
        filled(runStart, end, s.y);
        stack.push_back({runStart, end - 1, s.y + s.dy, s.dy});
        if (end - 1 > s.x2) stack.push_back({s.x2 + 1, end - 1, s.y - s.dy, -s.dy});
      }
      x1 = end + 1;
      while (x1 <= s.x2 && !t.inside(x1, s.y)) ++x1;
      runStart = x1;
    }
  }
  return box;
}

bool startAllowed(const std::uint32_t* pixels, int width, int height, int x, int y, std::uint32_t seedWord) {
  if (!pixels || x < 0 || y < 0 || x >= width || y >= height) return false;
  return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] == seedWord;
}

}  // namespace

Rect floodFillSolid(std::uint32_t* pixels, int width, int height, int x, int y, std::uint32_t seedWord,
                    std::uint32_t fillWord, const FillRunObserver& beforeRun) {
  if (fillWord == seedWord || !startAllowed(pixels, width, height, x, y, seedWord)) return Rect{};
  SolidTarget target(pixels, width, seedWord, fillWord);
  return spanFill(target, height, x, y, beforeRun);
}

Rect floodFillPattern(std::uint32_t* pixels, int width, int height, int x, int y, std::uint32_t seedWord,
                      const Picture& pattern, const FillRunObserver& beforeRun) {
  if (pattern.isNull() || pattern.pixels.size() < std::size_t(pattern.width) * std::size_t(pattern.height))
    return Rect{};
  if (!startAllowed(pixels, width, height, x, y, seedWord)) return Rect{};
  PatternTarget target(pixels, width, height, seedWord, pattern);
  return spanFill(target, height, x, y, beforeRun);
}

}  // namespace pictavo
