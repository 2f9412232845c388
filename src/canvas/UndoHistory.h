#pragma once
// UndoHistory: undo and redo of the changes to one surface's persistent image.
//
// The history keeps a copy of the picture as it was at the last commit (the
// base), taken when the picture is first about to change after clear(). The
// surface reports every rectangle written to its persistent image; commit()
// turns what changed since the base into one step:
//   - the old pixels of the changed 64 x 64 tiles (tiles whose pixels came
//     back equal are left out), or
//   - the whole old picture, with its size, when the size changed or most
//     of the picture was written (a whole-picture command): the base itself
//     becomes the step, so recording costs one copy of the picture.
// Undo and redo exchange a step's pixels with the surface's, so the same
// step serves both ways.
//
// Bounded by a step count and a memory budget (the base is not counted):
// the oldest steps go first; a step larger than the whole budget empties the
// history and is not kept. Running out of memory empties the history too,
// never the picture.

#include "canvas/Picture.h"
#include "canvas/Surface.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace pictavo {

class UndoHistory {
 public:
  static constexpr int kTile = 64;
  static constexpr std::size_t kDefaultMaxSteps = 100;
  // The smaller of 1 GiB and a quarter of physical memory.
  static std::size_t defaultBudget();

  struct Limits {
    std::size_t maxSteps = kDefaultMaxSteps;
    std::size_t budgetBytes = defaultBudget();
  };

  // Listens to the surface's persistent changes for its whole life; the
  // surface must outlive the history. Starts cleared.
  explicit UndoHistory(Surface& surface);
  UndoHistory(Surface& surface, Limits limits);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // A fresh history: nothing to undo or redo, the current picture is the base.
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
  std::size_t bytesUsed() const { return bytes_; }
  // Which state of the picture is current: a number that a change (recorded
  // or not) makes new, and that undo and redo set back to the number the
  // state had. clear() starts a new one. Tells whether the picture is back
  // at the state last opened or saved.
  std::uint64_t state() const { return state_; }
  // Writes were heard since the last commit (they may yet prove to have
  // changed nothing).
  bool pending() const { return sizeTouched_ || !dirtyList_.empty() || baseFailed_; }
  // The copy of the picture the next step is told from (0 until the picture
  // is first about to change after clear()).
  std::size_t baseBytes() const { return base_.pixels.size() * sizeof(std::uint32_t); }
  const Limits& limits() const { return limits_; }

 private:
  struct Step {
    std::uint64_t before = 0, after = 0;  // the states it goes between
    bool whole = false;
    Picture picture;                  // whole: the other picture, with its size
    std::vector<int> tiles;           // tile indexes in the base's tile grid
    std::vector<std::uint32_t> pixels;  // those tiles' pixels, one after another
    std::size_t bytes() const { return (picture.pixels.size() + pixels.size()) * sizeof(std::uint32_t); }
  };

  void heard(const Rect& r);
  void forgetChanges();
  bool sameSizeAsBase() const;
  Rect tileRect(int index) const;
  bool tileDiffers(int index) const;
  bool commitWhole();
  bool commitTiles();
  // Drops the redo steps, then the oldest until one more step of `bytes`
  // fits; keeps their whole-picture buffers in `recycled`.
  void makeRoom(std::size_t bytes, std::vector<PixelWords>& recycled);
  void dropAll();
  // Swaps the step's pixels with the surface's; false (nothing changed)
  // when memory ran out and the history had to be emptied.
  bool exchange(Step& step);
  // After an exchange grew the history: drops the oldest undo steps, then
  // the farthest redo steps, until it fits its budget again.
  void trimToBudget();
  // A change was found: a new state, recorded by `step` when one is given.
  void changed(Step* step);
  void copySurfaceToBase(PixelWords* buffer = nullptr);
  void forgetBase();
  void takeBase();

  Surface& surface_;
  Limits limits_;
  Picture base_;
  std::deque<Step> steps_;
  std::size_t done_ = 0;  // steps_[0 .. done_) can be undone, the rest redone
  std::uint64_t state_ = 0, lastState_ = 0;
  std::size_t bytes_ = 0;
  int tilesX_ = 0, tilesY_ = 0;
  std::vector<std::uint8_t> dirty_;  // per tile of the base's grid
  std::vector<int> dirtyList_;
  bool sizeTouched_ = false;  // the whole picture was reported (new size or content)
  bool applying_ = false;     // our own writes are not changes to record
  bool baseFailed_ = false;   // the last copy of the picture ran out of memory
};

}  // namespace pictavo
