#include "formats/metafile/MetafileClip.h"

#include <algorithm>
#include <cmath>

namespace pictavo::metafile::clip {

namespace {

using Runs = std::vector<std::pair<int, int>>;  // left included, right excluded

struct Band {
  int top, bottom;
  std::size_t begin, end;
};

std::vector<Band> bandsOf(const SpanClip& region) {
  std::vector<Band> bands;
  for (std::size_t i = 0; i < region.size(); ++i) {
    if (bands.empty() || region[i].top != bands.back().top)
      bands.push_back({region[i].top, region[i].bottom, i, i + 1});
    else
      bands.back().end = i + 1;
  }
  return bands;
}

bool keeps(ClipCombine op, bool a, bool b) {
  switch (op) {
    case ClipCombine::And: return a && b;
    case ClipCombine::Or: return a || b;
    case ClipCombine::Xor: return a != b;
    case ClipCombine::Diff: return a && !b;
    case ClipCombine::Copy: return b;
  }
  return false;
}

// One row band: the runs of a[ab, ae) and b[bb, be) combined, touching runs joined.
void combineRuns(const SpanClip& a, std::size_t ab, std::size_t ae, const SpanClip& b, std::size_t bb, std::size_t be,
                 ClipCombine op, Runs& out) {
  out.clear();
  std::size_t i = ab, j = bb;
  bool inA = false, inB = false, was = false;
  int start = 0;
  auto nextA = [&] { return inA ? a[i].right : a[i].left; };
  auto nextB = [&] { return inB ? b[j].right : b[j].left; };
  while (i < ae || j < be) {
    const int x = std::min(i < ae ? nextA() : kFar + 1, j < be ? nextB() : kFar + 1);
    // Every edge at x at once, so runs that touch stay one run.
    for (bool moved = true; moved;) {
      moved = false;
      if (i < ae && nextA() == x) {
        if (inA) ++i;
        inA = !inA;
        moved = true;
      }
      if (j < be && nextB() == x) {
        if (inB) ++j;
        inB = !inB;
        moved = true;
      }
    }
    const bool now = keeps(op, inA, inB);
    if (now == was) continue;
    if (now) start = x;
    else out.push_back({start, x});
    was = now;
  }
}

// Appends bands, joining a band to the one above when they touch and have the same runs.
class BandWriter {
 public:
  explicit BandWriter(long long& allowance) : allowance_(allowance) {}
  bool add(int top, int bottom, const Runs& runs) {
    if (runs.empty() || top >= bottom) return true;
    if (lastBegin_ < out_.size() && lastBottom_ == top && runs == lastRuns_) {
      for (std::size_t k = lastBegin_; k < out_.size(); ++k) out_[k].bottom = bottom;
      lastBottom_ = bottom;
      allowance_ -= static_cast<long long>(runs.size());
      return allowance_ >= 0;
    }
    if (out_.size() + runs.size() > kMaxRects) return false;
    lastBegin_ = out_.size();
    for (const auto& [left, right] : runs) out_.push_back(Rect{left, top, right, bottom});
    lastRuns_ = runs;
    lastBottom_ = bottom;
    allowance_ -= static_cast<long long>(runs.size()) + 1;
    return allowance_ >= 0;
  }
  SpanClip take() { return std::move(out_); }

 private:
  long long& allowance_;
  SpanClip out_;
  std::size_t lastBegin_ = SIZE_MAX;
  int lastBottom_ = 0;
  Runs lastRuns_;
};

int clampFar(long long v) { return int(std::clamp<long long>(v, -kFar, kFar)); }

std::optional<SpanClip> unionOf(const std::vector<Rect>& rects, std::size_t lo, std::size_t hi, long long& allowance) {
  if (hi - lo == 1) return SpanClip{rects[lo]};
  const std::size_t mid = lo + (hi - lo) / 2;
  const std::optional<SpanClip> left = unionOf(rects, lo, mid, allowance);
  if (!left) return std::nullopt;
  const std::optional<SpanClip> right = unionOf(rects, mid, hi, allowance);
  if (!right) return std::nullopt;
  return combine(*left, *right, ClipCombine::Or, allowance);
}

}  // namespace

SpanClip whole() { return SpanClip{Rect{-kFar, -kFar, kFar, kFar}}; }

Rect pixelBounds(double left, double top, double right, double bottom) {
  if (std::isnan(left) || std::isnan(top) || std::isnan(right) || std::isnan(bottom)) return Rect{};
  auto edge = [](double v) { return int(std::ceil(std::clamp(v, double(-kFar), double(kFar)) - 0.5)); };
  return Rect{edge(std::min(left, right)), edge(std::min(top, bottom)), edge(std::max(left, right)),
              edge(std::max(top, bottom))};
}

bool isBanded(const SpanClip& rects) {
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    if (r.isEmpty()) return false;
    if (i == 0) continue;
    const Rect& p = rects[i - 1];
    if (r.top == p.top) {
      if (r.bottom != p.bottom || r.left < p.right) return false;
    } else if (r.top < p.bottom) {
      return false;
    }
  }
  return true;
}

std::optional<SpanClip> fromRects(std::vector<Rect> rects, long long& allowance) {
  if (rects.size() > kMaxRects) return std::nullopt;
  for (Rect& r : rects)
    r = Rect{clampFar(r.left), clampFar(r.top), clampFar(r.right), clampFar(r.bottom)};
  rects.erase(std::remove_if(rects.begin(), rects.end(), [](const Rect& r) { return r.isEmpty(); }), rects.end());
  allowance -= static_cast<long long>(rects.size());
  if (isBanded(rects)) return rects;
  if (allowance < 0) return std::nullopt;
  std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) { return a.top < b.top; });
  return unionOf(rects, 0, rects.size(), allowance);
}

std::optional<SpanClip> combine(const SpanClip& a, const SpanClip& b, ClipCombine op, long long& allowance) {
  allowance -= static_cast<long long>(a.size() + b.size()) + 1;
  if (allowance < 0) return std::nullopt;
  if (op == ClipCombine::Copy) return b;
  const std::vector<Band> bandsA = bandsOf(a), bandsB = bandsOf(b);
  BandWriter out(allowance);
  Runs runs;
  std::size_t ia = 0, ib = 0;
  const int far = kFar + 1;
  auto topA = [&] { return ia < bandsA.size() ? bandsA[ia].top : far; };
  auto topB = [&] { return ib < bandsB.size() ? bandsB[ib].top : far; };
  int y = std::min(topA(), topB());
  while (ia < bandsA.size() || ib < bandsB.size()) {
    const bool inA = topA() <= y, inB = topB() <= y;
    if (!inA && !inB) {
      y = std::min(topA(), topB());
      continue;
    }
    const int next = std::min(inA ? bandsA[ia].bottom : topA(), inB ? bandsB[ib].bottom : topB());
    const Band none{0, 0, 0, 0};
    const Band& ba = inA ? bandsA[ia] : none;
    const Band& bb = inB ? bandsB[ib] : none;
    allowance -= static_cast<long long>(ba.end - ba.begin + bb.end - bb.begin) + 1;
    combineRuns(a, ba.begin, ba.end, b, bb.begin, bb.end, op, runs);
    if (!out.add(y, next, runs)) return std::nullopt;
    y = next;
    if (inA && bandsA[ia].bottom == y) ++ia;
    if (inB && bandsB[ib].bottom == y) ++ib;
  }
  return out.take();
}

SpanClip offset(const SpanClip& region, long long dx, long long dy) {
  SpanClip out;
  out.reserve(region.size());
  for (const Rect& r : region) {
    const Rect moved{clampFar(r.left + dx), clampFar(r.top + dy), clampFar(r.right + dx), clampFar(r.bottom + dy)};
    if (!moved.isEmpty()) out.push_back(moved);
  }
  return out;
}

std::optional<SpanClip> fromRows(int firstRow, const std::vector<std::vector<std::pair<int, int>>>& rows,
                                 long long& allowance) {
  BandWriter out(allowance);
  Runs runs, sorted;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    runs.clear();
    sorted = rows[k];
    std::sort(sorted.begin(), sorted.end());
    for (const auto& [first, last] : sorted) {
      if (!runs.empty() && first <= runs.back().second) runs.back().second = std::max(runs.back().second, last + 1);
      else runs.push_back({first, last + 1});
    }
    const int row = firstRow + int(k);
    if (!out.add(row, row + 1, runs)) return std::nullopt;
  }
  return out.take();
}

std::size_t widestBand(const SpanClip& region) {
  std::size_t widest = 0;
  for (const Band& b : bandsOf(region)) widest = std::max(widest, b.end - b.begin);
  return widest;
}

}  // namespace pictavo::metafile::clip
