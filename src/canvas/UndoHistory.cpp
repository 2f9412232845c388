#include "canvas/UndoHistory.h"

#include "base/Errors.h"
#include "canvas/PixelPool.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <utility>
#include <unistd.h>

namespace pictavo {

namespace {

constexpr std::size_t kOneGiB = std::size_t(1) << 30;

// Picture-sized buffers come from the program's pool, already faulted in
// when a picture of that size was there before; the history's own way of
// running out of memory is bad_alloc.
PixelWords acquireWords(std::size_t count) {
  try {
    return PixelPool::shared().acquire(count);
  } catch (const Error&) {
    throw std::bad_alloc();
  }
}

}  // namespace

std::size_t UndoHistory::defaultBudget() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return kOneGiB;
  return std::min(kOneGiB, std::size_t(pages) * std::size_t(pageSize) / 4);
}

UndoHistory::UndoHistory(Surface& surface) : UndoHistory(surface, Limits{}) {}

UndoHistory::UndoHistory(Surface& surface, Limits limits) : surface_(surface), limits_(limits) {
  surface_.setKeeper(this);
  clear();
}

UndoHistory::~UndoHistory() {
  surface_.setKeeper(nullptr);
  dropAll();
  releasePending();
}

std::size_t UndoHistory::Step::bytes() const {
  std::size_t words = picture.pixels.size();
  for (const PixelWords& block : blocks) words += block.size();
  return words * sizeof(std::uint32_t);
}

void UndoHistory::clear() {
  dropAll();
  releasePending();
  givenUp_ = false;
  state_ = ++lastState_;
  prepareForWholeStep();
}

// The next whole-picture command needs a buffer of the picture's size; when
// no step would make room for it (and give its buffer back), one is faulted
// in on the other core while the user looks at the picture.
void UndoHistory::prepareForWholeStep() const {
  const std::size_t words = std::size_t(surface_.Width()) * std::size_t(surface_.Height());
  if (bytes_ + words * sizeof(std::uint32_t) <= limits_.budgetBytes) PixelPool::shared().prepareSpare(words);
}

void UndoHistory::changed(Step* step) {
  const std::uint64_t next = ++lastState_;
  if (step) {
    step->before = state_;
    step->after = next;
  }
  state_ = next;
}

// ---- keeping what a write is about to lose ------------------------------

void UndoHistory::fitGrid() {
  if (gridW_ == surface_.Width() && gridH_ == surface_.Height()) return;
  gridW_ = surface_.Width();
  gridH_ = surface_.Height();
  tilesX_ = (gridW_ + kTile - 1) / kTile;
  tilesY_ = (gridH_ + kTile - 1) / kTile;
  slotOf_.assign(std::size_t(tilesX_) * std::size_t(tilesY_), -1);
}

Rect UndoHistory::tileRect(int index) const {
  const int x = (index % tilesX_) * kTile, y = (index / tilesX_) * kTile;
  return Rect{x, y, std::min(x + kTile, gridW_), std::min(y + kTile, gridH_)};
}

// Block b holds 2^b slots up to kSlotsPerBlock: a one-pixel change takes one
// slot's memory, a large one mostly full blocks.
std::size_t UndoHistory::blockSlots(std::size_t b) { return b < kGrowingBlocks ? std::size_t(1) << b : kSlotsPerBlock; }

std::pair<std::size_t, std::size_t> UndoHistory::slotPlace(std::size_t i) {
  constexpr std::size_t kInGrowing = (std::size_t(1) << kGrowingBlocks) - 1;
  if (i < kInGrowing) {
    const std::size_t b = std::size_t(std::bit_width(i + 1)) - 1;
    return {b, i + 1 - (std::size_t(1) << b)};
  }
  return {kGrowingBlocks + (i - kInGrowing) / kSlotsPerBlock, (i - kInGrowing) % kSlotsPerBlock};
}

std::uint32_t* UndoHistory::slot(std::vector<PixelWords>& blocks, std::size_t i) const {
  const auto [b, at] = slotPlace(i);
  return blocks[b].data() + at * kSlotWords;
}

void UndoHistory::keepArea(const Rect& r) {
  if (applying_ || givenUp_ || !pendingWhole_.isNull()) return;
  fitGrid();
  try {
    for (int ty = r.top / kTile; ty <= (r.bottom - 1) / kTile; ++ty)
      for (int tx = r.left / kTile; tx <= (r.right - 1) / kTile; ++tx) {
        const int index = ty * tilesX_ + tx;
        if (slotOf_[std::size_t(index)] >= 0) continue;
        saveTile(index);
        if (givenUp_) return;
      }
  } catch (const std::bad_alloc&) {
    giveUp();
  }
}

void UndoHistory::saveTile(int index) {
  const std::size_t i = pendingTiles_.size();
  const std::size_t block = slotPlace(i).first;
  if (block >= pendingBlocks_.size()) {
    const std::size_t words = blockSlots(block) * kSlotWords;
    if (!makeRoom(words * sizeof(std::uint32_t))) {
      giveUp();
      return;
    }
    pendingBlocks_.push_back(acquireWords(words));
  }
  const Rect r = tileRect(index);
  const std::uint32_t* now = surface_.bits(Surface::Layer::Persistent);
  std::uint32_t* out = slot(pendingBlocks_, i);
  for (int y = r.top; y < r.bottom; ++y, out += kTile)
    std::copy_n(now + std::size_t(y) * std::size_t(gridW_) + std::size_t(r.left), r.width(), out);
  slotOf_[std::size_t(index)] = int(i);
  pendingTiles_.push_back(index);
}

// The old picture will be kept: the oldest steps that would not fit beside
// it go now, so their buffers can serve the new picture, already faulted in.
void UndoHistory::willReplacePicture() {
  if (applying_ || givenUp_ || !pendingWhole_.isNull()) return;
  makeRoom(std::size_t(surface_.Width()) * std::size_t(surface_.Height()) * sizeof(std::uint32_t));
}

void UndoHistory::keepPicture(Picture&& old) {
  if (applying_ || givenUp_ || !pendingWhole_.isNull()) {
    // The first picture kept since the last commit is the one to go back to.
    PixelPool::shared().release(std::move(old.pixels));
    return;
  }
  // Tiles written before the picture was replaced go back into it, so it
  // is the picture as it was at the last commit.
  if (!pendingTiles_.empty() && gridW_ == old.width && gridH_ == old.height) {
    for (std::size_t i = 0; i < pendingTiles_.size(); ++i) {
      const Rect r = tileRect(pendingTiles_[i]);
      const std::uint32_t* saved = slot(pendingBlocks_, i);
      for (int y = r.top; y < r.bottom; ++y, saved += kTile)
        std::copy_n(saved, r.width(), old.pixels.data() + std::size_t(y) * std::size_t(old.width) + std::size_t(r.left));
    }
  }
  releasePending();
  pendingWhole_ = std::move(old);
  pendingWhole_.opaque = true;
  if (!makeRoom(0)) giveUp();
}

std::size_t UndoHistory::pendingBytes() const {
  std::size_t words = pendingWhole_.pixels.size();
  for (const PixelWords& block : pendingBlocks_) words += block.size();
  return words * sizeof(std::uint32_t);
}

void UndoHistory::releasePending() {
  for (int index : pendingTiles_) slotOf_[std::size_t(index)] = -1;
  pendingTiles_.clear();
  for (PixelWords& block : pendingBlocks_) PixelPool::shared().release(std::move(block));
  pendingBlocks_.clear();
  PixelPool::shared().release(std::move(pendingWhole_.pixels));
  pendingWhole_ = Picture{};
}

void UndoHistory::giveUp() {
  releasePending();
  givenUp_ = true;
}

// ---- steps ----------------------------------------------------------------

bool UndoHistory::commit() {
  try {
    if (givenUp_) {
      // The change could not be kept: the steps before it no longer lead
      // to the picture shown.
      givenUp_ = false;
      dropAll();
      changed(nullptr);
      return false;
    }
    if (!pendingWhole_.isNull()) return commitWhole();
    if (pendingTiles_.empty()) return false;
    return commitTiles();
  } catch (const std::bad_alloc&) {
    clear();
    return false;
  }
}

bool UndoHistory::commitWhole() {
  Picture old = std::move(pendingWhole_);
  pendingWhole_ = Picture{};
  if (old.width == surface_.Width() && old.height == surface_.Height() &&
      std::memcmp(old.pixels.data(), surface_.bits(Surface::Layer::Persistent),
                  old.pixels.size() * sizeof(std::uint32_t)) == 0) {
    PixelPool::shared().release(std::move(old.pixels));
    return false;
  }
  Step step;
  step.picture = std::move(old);
  pushStep(std::move(step));
  return true;
}

bool UndoHistory::commitTiles() {
  const std::uint32_t* now = surface_.bits(Surface::Layer::Persistent);
  auto differs = [&](int index, const std::uint32_t* saved) {
    const Rect r = tileRect(index);
    for (int y = r.top; y < r.bottom; ++y, saved += kTile)
      if (std::memcmp(now + std::size_t(y) * std::size_t(gridW_) + std::size_t(r.left), saved,
                      std::size_t(r.width()) * sizeof(std::uint32_t)) != 0)
        return true;
    return false;
  };
  std::size_t kept = 0;
  for (std::size_t i = 0; i < pendingTiles_.size(); ++i) {
    const int index = pendingTiles_[i];
    slotOf_[std::size_t(index)] = -1;
    if (!differs(index, slot(pendingBlocks_, i))) continue;
    if (kept != i) std::copy_n(slot(pendingBlocks_, i), kSlotWords, slot(pendingBlocks_, kept));
    pendingTiles_[kept++] = index;
  }
  pendingTiles_.resize(kept);
  if (kept == 0) {
    releasePending();
    return false;
  }
  // The blocks past the last kept slot serve the next change.
  Step step;
  const std::size_t blocks = slotPlace(kept - 1).first + 1;
  for (std::size_t b = 0; b < blocks; ++b) step.blocks.push_back(std::move(pendingBlocks_[b]));
  step.tiles = std::move(pendingTiles_);
  pendingTiles_.clear();
  releasePending();
  pushStep(std::move(step));
  return true;
}

void UndoHistory::pushStep(Step&& step) {
  dropRedo();
  while (!steps_.empty() && steps_.size() + 1 > limits_.maxSteps) {
    dropStep(steps_.front());
    steps_.pop_front();
    --done_;
  }
  changed(&step);
  bytes_ += step.bytes();
  steps_.push_back(std::move(step));
  ++done_;
  prepareForWholeStep();
}

bool UndoHistory::makeRoom(std::size_t more) {
  while (bytes_ + pendingBytes() + more > limits_.budgetBytes) {
    if (steps_.size() > done_) {
      dropStep(steps_.back());
      steps_.pop_back();
    } else if (!steps_.empty()) {
      dropStep(steps_.front());
      steps_.pop_front();
      --done_;
    } else {
      return false;
    }
  }
  return true;
}

void UndoHistory::dropRedo() {
  while (steps_.size() > done_) {
    dropStep(steps_.back());
    steps_.pop_back();
  }
}

// The step's buffers go back to the pool, already faulted in, for the next
// picture or step.
void UndoHistory::dropStep(Step& step) {
  bytes_ -= step.bytes();
  PixelPool::shared().release(std::move(step.picture.pixels));
  for (PixelWords& block : step.blocks) PixelPool::shared().release(std::move(block));
  step.blocks.clear();
}

void UndoHistory::dropAll() {
  for (Step& step : steps_) dropStep(step);
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
}

bool UndoHistory::undo() {
  commit();
  if (!canUndo()) return false;
  Step& step = steps_[done_ - 1];
  const std::uint64_t before = step.before;
  exchange(step);
  --done_;
  state_ = before;
  trimToBudget();
  return true;
}

bool UndoHistory::redo() {
  commit();
  if (!canRedo()) return false;
  Step& step = steps_[done_];
  const std::uint64_t after = step.after;
  exchange(step);
  ++done_;
  state_ = after;
  trimToBudget();
  return true;
}

void UndoHistory::trimToBudget() {
  while (bytes_ > limits_.budgetBytes && !steps_.empty()) {
    if (done_ > 0) {
      dropStep(steps_.front());
      steps_.pop_front();
      --done_;
    } else {
      dropStep(steps_.back());
      steps_.pop_back();
    }
  }
}

void UndoHistory::exchange(Step& step) {
  struct Applying {
    bool& flag;
    explicit Applying(bool& f) : flag(f) { flag = true; }
    ~Applying() { flag = false; }
  } applying(applying_);
  bytes_ -= step.bytes();
  if (step.whole()) {
    surface_.SwapImage(step.picture);
  } else {
    fitGrid();
    std::uint32_t* now = surface_.writableBits(Surface::Layer::Persistent, Rect{});
    Rect all;
    for (std::size_t i = 0; i < step.tiles.size(); ++i) {
      const Rect r = tileRect(step.tiles[i]);
      std::uint32_t* theirs = slot(step.blocks, i);
      for (int y = r.top; y < r.bottom; ++y, theirs += kTile) {
        std::uint32_t* row = now + std::size_t(y) * std::size_t(gridW_) + std::size_t(r.left);
        std::swap_ranges(row, row + r.width(), theirs);
      }
      all = all.united(r);
    }
    surface_.markChanged(all, Surface::Layer::Persistent);
  }
  bytes_ += step.bytes();
}

}  // namespace pictavo
