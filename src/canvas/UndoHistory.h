#pragma once
// UndoHistory: undo and redo of the changes to one surface's persistent image.
//
// The history is the surface's keeper: it hears of every write before it
// happens and keeps only what the write is about to lose.
//   - Before pixels are written in place, the old pixels of the 64 x 64
//     tiles they fall in are saved (once per tile and step). So the first
//     stroke after Open costs what a later one costs, and nothing is copied
//     for a picture that is only looked at.
//   - When the image is replaced whole (a new size, an effect, a turn), the
//     old image itself becomes the step: no copy either.
// commit() turns what was kept since the last commit into one step (tiles
// whose pixels came back equal are left out). Undo and redo exchange a
// step's pixels with the surface's, so the same step serves both ways; for
// a whole picture that is a swap of buffers.
//
// Bounded by a step count and a memory budget that hold at every moment,
// also while a change is being kept and after an undo: the oldest steps go
// first; a change larger than the whole budget empties the history and is
// not kept. Running out of memory empties the history too, never the picture.

#include "canvas/Picture.h"
#include "canvas/Surface.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace pictavo {

class UndoHistory : private PersistentKeeper {
 public:
  static constexpr int kTile = 64;
  static constexpr std::size_t kDefaultMaxSteps = 100;
  // The smaller of 1 GiB and a quarter of physical memory.
  static std::size_t defaultBudget();

  struct Limits {
    std::size_t maxSteps = kDefaultMaxSteps;
    std::size_t budgetBytes = defaultBudget();
  };

  // Keeps the surface's persistent image for its whole life; the surface
  // must outlive the history. Starts cleared.
  explicit UndoHistory(Surface& surface);
  UndoHistory(Surface& surface, Limits limits);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // A fresh history: nothing to undo or redo.
  void clear();
  // Records what changed since the last commit as one step; false when no
  // pixel and no size changed (nothing recorded) or the step did not fit.
  // A new step drops everything that could be redone.
  bool commit();
  // Put back the picture before the last step / after the next undone one.
  // Changes not yet committed are committed first. False when there was nothing to do.
  bool undo();
  bool redo();

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  std::size_t undoCount() const { return done_; }
  std::size_t redoCount() const { return steps_.size() - done_; }
  // Memory of the steps and of what is being kept for the next one.
  std::size_t bytesUsed() const { return bytes_ + pendingBytes(); }
  // Which state of the picture is current: a number that a change (recorded
  // or not) makes new, and that undo and redo set back to the number the
  // state had. clear() starts a new one. Tells whether the picture is back
  // at the state last opened or saved.
  std::uint64_t state() const { return state_; }
  // Something was kept since the last commit (it may yet prove to have
  // changed nothing).
  bool pending() const { return givenUp_ || !pendingWhole_.isNull() || !pendingTiles_.empty(); }
  const Limits& limits() const { return limits_; }

 private:
  // Tile pixels are kept in slots of kTile x kTile words, in blocks that
  // grow to kSlotsPerBlock slots (1 MiB, pooled), so a large change neither
  // reallocates nor faults in fresh memory when blocks of earlier steps
  // come back.
  static constexpr std::size_t kSlotWords = std::size_t(kTile) * kTile;
  static constexpr std::size_t kSlotsPerBlock = 64;
  static constexpr std::size_t kGrowingBlocks = 6;  // blocks of 1, 2, 4 .. 32 slots come first
  static std::size_t blockSlots(std::size_t block);
  // The block of slot i and the slot's place in it.
  static std::pair<std::size_t, std::size_t> slotPlace(std::size_t i);

  struct Step {
    std::uint64_t before = 0, after = 0;  // the states it goes between
    Picture picture;                      // whole: the other picture, with its size
    std::vector<int> tiles;               // else: tile indexes; tile i is in slot i
    std::vector<PixelWords> blocks;       // the slots
    bool whole() const { return !picture.isNull(); }
    std::size_t bytes() const;
  };

  void keepArea(const Rect& r) override;
  void willReplacePicture() override;
  void keepPicture(Picture&& old) override;

  // The tile grid of the surface's current size.
  void fitGrid();
  Rect tileRect(int index) const;
  std::uint32_t* slot(std::vector<PixelWords>& blocks, std::size_t i) const;
  void saveTile(int index);
  std::size_t pendingBytes() const;
  void releasePending();
  // Nothing of the change can be kept: it will empty the history at commit.
  void giveUp();

  bool commitWhole();
  bool commitTiles();
  void pushStep(Step&& step);
  void prepareForWholeStep() const;
  // Drops the redo steps, then the oldest, until `more` bytes fit the budget
  // beside what is kept; false when they never can.
  bool makeRoom(std::size_t more);
  void dropRedo();
  void dropStep(Step& step);
  void dropAll();
  // Swaps the step's pixels with the surface's.
  void exchange(Step& step);
  // After an exchange grew the history: drops the oldest undo steps, then
  // the farthest redo steps, until it fits its budget again.
  void trimToBudget();
  // A change was found: a new state, recorded by `step` when one is given.
  void changed(Step* step);

  Surface& surface_;
  Limits limits_;
  std::deque<Step> steps_;
  std::size_t done_ = 0;  // steps_[0 .. done_) can be undone, the rest redone
  std::uint64_t state_ = 0, lastState_ = 0;
  std::size_t bytes_ = 0;  // of the steps

  // What is kept for the next step: the whole old picture, or old tiles.
  Picture pendingWhole_;
  std::vector<int> pendingTiles_;
  std::vector<PixelWords> pendingBlocks_;
  std::vector<int> slotOf_;  // per tile of the grid: its pending slot, or -1
  int gridW_ = 0, gridH_ = 0, tilesX_ = 0, tilesY_ = 0;
  bool givenUp_ = false;
  bool applying_ = false;  // our own writes are not changes to keep
};

}  // namespace pictavo
