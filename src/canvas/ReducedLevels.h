#pragma once
// ReducedLevels: the channel sums of a picture's 3 x 3, 4 x 4, 12 x 12 and
// 16 x 16 blocks, from which the zoomed-out view takes its exact box-filter
// means (a sum divided once, never a mean of rounded means). Every level
// from 1/3 down to 1/16 reads at most four sums per screen pixel:
//   1/3 and 1/6 from the 3 x 3 sums, 1/4 and 1/8 from the 4 x 4 sums,
//   1/12 and 1/16 from their own.
// Memory: 6 bytes a sum, about 0.28 of the picture's own 4 bytes a pixel.
//
// The sums are built lazily in cells of 48 x 48 picture pixels (a multiple
// of every block side): only cells that are shown are built, and a change to
// the picture makes stale only the cells it touched. The 3 x 3 sums and the
// family of the 4 x 4 ones (12 and 16 are built from 4) are built and kept
// apart, so a view at 1/16 never pays for the 3 x 3 sums. A sum at the right or
// bottom edge covers only the pixels that exist; past the edge there is one
// row and column of zero sums, so a 2 x 2 read never leaves the level.

#include "canvas/Surface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pictavo {

// Left unset when made without braces: a level's memory is written (and
// faulted in) only where cells are built; ChannelSums{} is zero.
struct ChannelSums {
  std::uint16_t blue, green, red;
};

class ReducedLevels {
 public:
  static constexpr int kCell = 48;
  static constexpr int kBlocks[4] = {3, 4, 12, 16};

  // The shown pixels in r (picture pixels) changed.
  void invalidate(const Rect& r);
  // Brings the sums of `block` (3, 4, 12, 16) of every cell that meets
  // `needed` up to date with the surface's shown pixels. The first call for
  // a level, and the first after the surface changed size, allocates it.
  // Throws pictavo::Error (7) when memory runs out; the levels are then empty.
  void update(const Surface& surface, const Rect& needed, int block);
  // Frees everything (the view no longer zooms out).
  void release();

  // The sums of blocks of `block` (3, 4, 12, 16) pixels, rows of
  // stride(block) entries; valid after update() for the cells it covered.
  const ChannelSums* level(int block) const;
  int stride(int block) const;
  std::size_t bytes() const;

 private:
  struct Level {
    int block = 0;
    int width = 0, height = 0;  // entries, padding included
    std::unique_ptr<ChannelSums[]> sums;
  };
  // Levels 3 (group 0) and 4, 12, 16 (group 1).
  static int groupOf(int block) { return block == 3 ? 0 : 1; }
  void resizeFor(int width, int height);
  void allocateGroup(int group);
  void buildCell(const std::uint32_t* pixels, int cx, int cy, int group);
  Level& levelFor(int block);
  const Level* find(int block) const;

  int width_ = 0, height_ = 0;  // of the picture the levels describe
  int cellsX_ = 0, cellsY_ = 0;
  std::vector<std::uint8_t> fresh_[2];  // per group and cell: its sums are current
  Level levels_[4];
};

}  // namespace pictavo
