#include "canvas/UndoHistory.h"

#include "base/Errors.h"
#include "canvas/PixelPool.h"

#include <algorithm>
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
  surface_.setPersistentChangeListener([this](const Rect& r) { heard(r); });
  clear();
}

UndoHistory::~UndoHistory() {
  surface_.setPersistentChangeListener(nullptr);
  surface_.setBeforePersistentWrite(nullptr);
}

void UndoHistory::clear() {
  dropAll();
  forgetBase();
  forgetChanges();
  state_ = ++lastState_;
}

void UndoHistory::changed(Step* step) {
  const std::uint64_t next = ++lastState_;
  if (step) {
    step->before = state_;
    step->after = next;
  }
  state_ = next;
}

// Without a base the history copies the picture only when it is first about
// to change: opening a picture and looking at it costs no second copy.
void UndoHistory::forgetBase() {
  PixelPool::shared().release(std::move(base_.pixels));
  base_ = Picture{};
  surface_.setBeforePersistentWrite([this] { takeBase(); });
}

void UndoHistory::takeBase() {
  try {
    copySurfaceToBase();
  } catch (const std::bad_alloc&) {
    base_ = Picture{};  // no history until memory allows a base again
    baseFailed_ = true;
  }
  forgetChanges();
}

void UndoHistory::heard(const Rect& changed) {
  if (applying_) return;
  if (!sameSizeAsBase()) {
    sizeTouched_ = true;
    return;
  }
  const Rect r = changed.intersected(Rect{0, 0, base_.width, base_.height});
  if (r.isEmpty()) return;
  for (int ty = r.top / kTile; ty <= (r.bottom - 1) / kTile; ++ty) {
    for (int tx = r.left / kTile; tx <= (r.right - 1) / kTile; ++tx) {
      const int index = ty * tilesX_ + tx;
      if (!dirty_[std::size_t(index)]) {
        dirty_[std::size_t(index)] = 1;
        dirtyList_.push_back(index);
      }
    }
  }
}

void UndoHistory::forgetChanges() {
  for (int index : dirtyList_) dirty_[std::size_t(index)] = 0;
  dirtyList_.clear();
  sizeTouched_ = false;
}

bool UndoHistory::sameSizeAsBase() const {
  return surface_.Width() == base_.width && surface_.Height() == base_.height;
}

Rect UndoHistory::tileRect(int index) const {
  const int x = (index % tilesX_) * kTile, y = (index / tilesX_) * kTile;
  return Rect{x, y, std::min(x + kTile, base_.width), std::min(y + kTile, base_.height)};
}

bool UndoHistory::tileDiffers(int index) const {
  const Rect r = tileRect(index);
  const std::uint32_t* now = surface_.bits(Surface::Layer::Persistent);
  const std::size_t bytes = std::size_t(r.width()) * sizeof(std::uint32_t);
  for (int y = r.top; y < r.bottom; ++y) {
    const std::size_t at = std::size_t(y) * std::size_t(base_.width) + std::size_t(r.left);
    if (std::memcmp(now + at, base_.pixels.data() + at, bytes) != 0) return true;
  }
  return false;
}

bool UndoHistory::commit() {
  try {
    if (base_.isNull()) {
      // Nothing was written since the history forgot its base, or the
      // copy failed: then try again at the next change.
      if (baseFailed_) {
        baseFailed_ = false;
        dropAll();
        forgetBase();
        changed(nullptr);  // the picture changed all the same
      }
      forgetChanges();
      return false;
    }
    if (sizeTouched_ || !sameSizeAsBase()) return commitWhole();
    if (dirtyList_.empty()) return false;
    // Most of the picture written: one block copy beats tile by tile.
    if (dirtyList_.size() * 2 >= dirty_.size()) return commitWhole();
    return commitTiles();
  } catch (const std::bad_alloc&) {
    clear();
    return false;
  }
}

bool UndoHistory::commitWhole() {
  if (sameSizeAsBase() &&
      std::memcmp(base_.pixels.data(), surface_.bits(Surface::Layer::Persistent),
                  base_.pixels.size() * sizeof(std::uint32_t)) == 0) {
    forgetChanges();
    return false;
  }
  const std::size_t oldBytes = base_.pixels.size() * sizeof(std::uint32_t);
  if (oldBytes > limits_.budgetBytes) {
    dropAll();
    changed(nullptr);
    copySurfaceToBase();
    forgetChanges();
    return false;
  }
  std::vector<PixelWords> recycled;
  makeRoom(oldBytes, recycled);
  const std::size_t count = std::size_t(surface_.Width()) * std::size_t(surface_.Height());
  PixelWords buffer;
  for (auto& r : recycled) {
    if (r.capacity() >= count) {
      buffer = std::move(r);
      break;
    }
  }
  for (auto& r : recycled) PixelPool::shared().release(std::move(r));
  Step step;
  step.whole = true;
  step.picture = std::move(base_);
  base_ = Picture{};
  copySurfaceToBase(&buffer);
  changed(&step);
  bytes_ += step.bytes();
  steps_.push_back(std::move(step));
  ++done_;
  forgetChanges();
  return true;
}

bool UndoHistory::commitTiles() {
  std::vector<int> changed;
  std::size_t count = 0;
  for (int index : dirtyList_) {
    if (!tileDiffers(index)) continue;
    changed.push_back(index);
    const Rect r = tileRect(index);
    count += std::size_t(r.width()) * std::size_t(r.height());
  }
  forgetChanges();
  if (changed.empty()) return false;
  std::sort(changed.begin(), changed.end());

  const std::uint32_t* now = surface_.bits(Surface::Layer::Persistent);
  auto toBase = [&](const Rect& r) {
    for (int y = r.top; y < r.bottom; ++y) {
      const std::size_t at = std::size_t(y) * std::size_t(base_.width) + std::size_t(r.left);
      std::memcpy(base_.pixels.data() + at, now + at, std::size_t(r.width()) * sizeof(std::uint32_t));
    }
  };
  const std::size_t bytes = count * sizeof(std::uint32_t);
  if (bytes > limits_.budgetBytes) {
    dropAll();
    this->changed(nullptr);
    for (int index : changed) toBase(tileRect(index));
    return false;
  }
  std::vector<PixelWords> recycled;
  makeRoom(bytes, recycled);
  for (auto& r : recycled) PixelPool::shared().release(std::move(r));

  Step step;
  step.pixels.resize(count);
  std::uint32_t* out = step.pixels.data();
  for (int index : changed) {
    const Rect r = tileRect(index);
    for (int y = r.top; y < r.bottom; ++y) {
      const std::size_t at = std::size_t(y) * std::size_t(base_.width) + std::size_t(r.left);
      out = std::copy_n(base_.pixels.data() + at, r.width(), out);
    }
    toBase(r);
  }
  step.tiles = std::move(changed);
  this->changed(&step);
  bytes_ += step.bytes();
  steps_.push_back(std::move(step));
  ++done_;
  return true;
}

void UndoHistory::makeRoom(std::size_t bytes, std::vector<PixelWords>& recycled) {
  auto drop = [&](Step& step) {
    bytes_ -= step.bytes();
    if (step.whole) recycled.push_back(std::move(step.picture.pixels));
  };
  while (steps_.size() > done_) {
    drop(steps_.back());
    steps_.pop_back();
  }
  while (!steps_.empty() && (steps_.size() + 1 > limits_.maxSteps || bytes_ + bytes > limits_.budgetBytes)) {
    drop(steps_.front());
    steps_.pop_front();
    --done_;
  }
}

void UndoHistory::dropAll() {
  for (Step& step : steps_)
    if (step.whole) PixelPool::shared().release(std::move(step.picture.pixels));
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
}

bool UndoHistory::undo() {
  commit();
  if (!canUndo()) return false;
  const std::uint64_t before = steps_[done_ - 1].before;
  if (!exchange(steps_[done_ - 1])) return false;
  --done_;
  state_ = before;
  trimToBudget();
  return true;
}

bool UndoHistory::redo() {
  commit();
  if (!canRedo()) return false;
  const std::uint64_t after = steps_[done_].after;
  if (!exchange(steps_[done_])) return false;
  ++done_;
  state_ = after;
  trimToBudget();
  return true;
}

void UndoHistory::trimToBudget() {
  while (bytes_ > limits_.budgetBytes && !steps_.empty()) {
    if (done_ > 0) {
      bytes_ -= steps_.front().bytes();
      steps_.pop_front();
      --done_;
    } else {
      bytes_ -= steps_.back().bytes();
      steps_.pop_back();
    }
  }
}

// The surface and the base hold the same picture; afterwards both hold the
// step's, and the step holds what they held.
bool UndoHistory::exchange(Step& step) {
  struct Applying {
    bool& flag;
    explicit Applying(bool& f) : flag(f) { flag = true; }
    ~Applying() { flag = false; }
  } applying(applying_);
  bytes_ -= step.bytes();
  if (step.whole) {
    surface_.SwapImage(step.picture);
    try {
      copySurfaceToBase(&base_.pixels);
    } catch (const std::bad_alloc&) {
      dropAll();
      forgetBase();  // the next change starts over from the picture shown
      changed(nullptr);
      return false;
    }
  } else {
    std::uint32_t* now = surface_.writableBits(Surface::Layer::Persistent);
    std::uint32_t* theirs = step.pixels.data();
    Rect all;
    for (int index : step.tiles) {
      const Rect r = tileRect(index);
      for (int y = r.top; y < r.bottom; ++y) {
        const std::size_t at = std::size_t(y) * std::size_t(base_.width) + std::size_t(r.left);
        std::swap_ranges(now + at, now + at + r.width(), theirs);
        std::memcpy(base_.pixels.data() + at, now + at, std::size_t(r.width()) * sizeof(std::uint32_t));
        theirs += r.width();
      }
      all = all.united(r);
    }
    surface_.markChanged(all, Surface::Layer::Persistent);
  }
  bytes_ += step.bytes();
  return true;
}

void UndoHistory::copySurfaceToBase(PixelWords* buffer) {
  const std::size_t count = std::size_t(surface_.Width()) * std::size_t(surface_.Height());
  PixelWords pixels = buffer ? std::move(*buffer) : std::move(base_.pixels);
  if (pixels.capacity() < count) {
    PixelPool::shared().release(std::move(pixels));
    pixels = acquireWords(count);
  }
  pixels.resize(count);
  const std::uint32_t* now = std::as_const(surface_).bits(Surface::Layer::Persistent);
  std::copy_n(now, count, pixels.data());
  base_.pixels = std::move(pixels);
  base_.width = surface_.Width();
  base_.height = surface_.Height();
  tilesX_ = (base_.width + kTile - 1) / kTile;
  tilesY_ = (base_.height + kTile - 1) / kTile;
  dirtyList_.clear();
  dirty_.assign(std::size_t(tilesX_) * std::size_t(tilesY_), 0);
}

}  // namespace pictavo
