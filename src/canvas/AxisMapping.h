#pragma once
// One axis of a scaled block copy: which destination pixels it writes and
// which source pixels each of them reads.
//
// Extents may be negative. A negative destination extent e at origin o
// covers the pixels o + e + 1 .. o (the origin pixel included, the extent
// counted leftward or upward from it); a negative source extent covers
// o + e .. o - 1 (the origin is the exclusive far edge, like the right edge
// of a rectangle). With these, the three canvas flips are exact:
//   left-right:  dest (W - 1, -W) from source (0, W)
//   upside-down: dest (H - 1, -H) from source (0, H)
//   both:        dest (0, W) from source (W, -W), likewise in y.
// When exactly one of the two extents is negative the copy is mirrored.

#include <cstdint>
#include <vector>

namespace pictavo {

class AxisMapping {
 public:
  // Weights of the area mean sum to this.
  static constexpr int kWeightOne = 1 << 14;

  // destSize, sourceSize: the sizes of the two surfaces along this axis;
  // destination pixels outside the destination surface are not written.
  AxisMapping(int destOrigin, int destExtent, int destSize, int sourceOrigin, int sourceExtent, int sourceSize);

  bool isEmpty() const { return begin_ >= end_; }
  int begin() const { return begin_; }  // first destination pixel written
  int end() const { return end_; }      // one past the last
  bool sameSize() const { return destLength_ == sourceLength_; }

  // Nearest-pixel source for destination pixel d (begin <= d < end): the
  // source pixel under the centre of d, or -1 when that lies outside the source.
  int nearest(int d) const;
  // All of them, for begin..end-1.
  std::vector<int> nearestTable() const;

  // Area weights of destination pixel d: the source pixels it overlaps,
  // weighted by overlap, those outside the source surface left out and the
  // rest renormalised to kWeightOne. Appends to weights; returns the first
  // source pixel and the count (0 when none of the area lies inside).
  struct Taps {
    int first = 0;
    int count = 0;
  };
  Taps areaWeights(int d, std::vector<std::uint16_t>& weights) const;

 private:
  // Index of d counted along the source's direction.
  std::int64_t along(int d) const;

  std::int64_t destStart_ = 0, destLength_ = 0;
  std::int64_t sourceStart_ = 0, sourceLength_ = 0;
  int sourceSize_ = 0;
  bool mirrored_ = false;
  int begin_ = 0, end_ = 0;
};

}  // namespace pictavo
