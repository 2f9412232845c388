// Storage, drawing state, change tracking and single pixels of a Surface.
// Figures, fills and block copies live in their own files.

#include "canvas/Surface.h"

#include "base/Errors.h"
#include "canvas/PixelPool.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace pictavo {

Rect Rect::intersected(const Rect& o) const {
  Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  return r.isEmpty() ? Rect{} : r;
}

Rect Rect::united(const Rect& o) const {
  if (isEmpty()) return o;
  if (o.isEmpty()) return *this;
  return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
}

namespace {

// A canvas size past the limit is refused as out of memory, naming the limit.
void refuseSizeOverLimit(int width, int height) {
  if (!Surface::sizeAllowed(width, height))
    throw Error(kErrOutOfMemory, "画布大小超出范围: " + std::to_string(width) + " x " + std::to_string(height) +
                                     " (每边 1 到 " + std::to_string(Surface::kMaxSide) + " 像素, 最多 " +
                                     std::to_string(Surface::kMaxPixels) + " 像素)");
}

void copyRect(std::uint32_t* dst, const std::uint32_t* src, int stride, const Rect& r) {
  const std::size_t bytes = std::size_t(r.width()) * sizeof(std::uint32_t);
  for (int y = r.top; y < r.bottom; ++y) {
    const std::size_t offset = std::size_t(y) * std::size_t(stride) + std::size_t(r.left);
    std::memcpy(dst + offset, src + offset, bytes);
  }
}

// A picture's pixel words as the surface shows them: opaque ones as they
// are, transparent ones in the background word, partly transparent ones
// (icons) blended over it. src may be dst.
void layOverBackground(const std::uint32_t* src, std::uint32_t* dst, std::size_t n, std::uint32_t back) {
  for (std::size_t i = 0; i < n; ++i) dst[i] = pixelOverBackground(src[i], back);
}

// More rectangles than this in a list are merged into their bounding box.
constexpr std::size_t kMaxRects = 16;

void addRect(std::vector<Rect>& list, const Rect& r) {
  for (const Rect& s : list)
    if (s.intersected(r) == r) return;  // already covered
  list.push_back(r);
  if (list.size() > kMaxRects) {
    Rect all;
    for (const Rect& s : list) all = all.united(s);
    list.assign(1, all);
  }
}

// The parts of r outside cut (at most four rectangles).
void subtract(const Rect& r, const Rect& cut, std::vector<Rect>& out) {
  const Rect c = r.intersected(cut);
  if (c.isEmpty()) {
    out.push_back(r);
    return;
  }
  if (r.top < c.top) out.push_back({r.left, r.top, r.right, c.top});
  if (c.bottom < r.bottom) out.push_back({r.left, c.bottom, r.right, r.bottom});
  if (r.left < c.left) out.push_back({r.left, c.top, c.left, c.bottom});
  if (c.right < r.right) out.push_back({c.right, c.top, r.right, c.bottom});
}

}  // namespace

Surface::Surface(int width, int height, Color backColor) : backColor_(backColor) {
  allocate(width, height, pixelFromColor(backColor));
}

Surface Surface::hiddenBuffer(int width, int height) {
  Surface s;
  s.hidden_ = true;
  s.backColor_ = kMagenta;
  s.allocate(width, height, pixelFromColor(kMagenta));
  return s;
}

Surface Surface::transparentCanvas(int width, int height) {
  Surface s;
  s.allocate(width, height, 0u);
  return s;
}

Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

Surface::~Surface() {
  PixelPool::shared().release(std::move(persistent_));
  PixelPool::shared().release(std::move(visible_));
}

void Surface::allocate(int width, int height, std::uint32_t fillWord) {
  refuseSizeOverLimit(width, height);
  PixelWords pixels = PixelPool::shared().acquire(std::size_t(width) * std::size_t(height));
  std::fill(pixels.begin(), pixels.end(), fillWord);
  replacePersistent(std::move(pixels), width, height);
  dropVisibleLayer();
  stale_.clear();
  pending_.clear();
  if (!autoRedraw_) ensureVisibleLayer();
  notify(bounds());
  notifyPersistent(bounds());
}

void Surface::ensureVisibleLayer() {
  if (!visible_.empty() || hidden_) return;
  PixelWords copy = PixelPool::shared().acquire(persistent_.size());
  std::copy(persistent_.begin(), persistent_.end(), copy.begin());
  visible_.swap(copy);
}

void Surface::dropVisibleLayer() { PixelPool::shared().release(std::move(visible_)); }

void Surface::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  refuseSizeOverLimit(width, height);
  PixelWords next = replacementBuffer(std::size_t(width) * std::size_t(height));
  const std::uint32_t back = pixelFromColor(backColor_);
  const int keepW = std::min(width, width_), keepH = std::min(height, height_);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = next.data() + std::size_t(y) * std::size_t(width);
    const int kept = y < keepH ? keepW : 0;
    if (kept > 0)
      std::memcpy(row, persistent_.data() + std::size_t(y) * std::size_t(width_), std::size_t(kept) * sizeof(std::uint32_t));
    std::fill(row + kept, row + width, back);
  }
  replacePersistent(std::move(next), width, height);
  pictureTaken();
}

void Surface::replacePersistent(PixelWords&& next, int width, int height) {
  Picture old;
  old.width = width_;
  old.height = height_;
  old.pixels = std::move(persistent_);
  old.opaque = true;
  persistent_ = std::move(next);
  width_ = width;
  height_ = height;
  if (keeper_ && !old.isNull())
    keeper_->keepPicture(std::move(old));
  else
    PixelPool::shared().release(std::move(old.pixels));
}

PixelWords Surface::replacementBuffer(std::size_t words) {
  if (keeper_) keeper_->willReplacePicture();
  return PixelPool::shared().acquire(words);
}

void Surface::fillPersistent(std::uint32_t word) {
  if (keeper_) {
    // The keeper takes the old image as it is; the fill goes to another buffer.
    PixelWords next = replacementBuffer(persistent_.size());
    std::fill(next.begin(), next.end(), word);
    replacePersistent(std::move(next), width_, height_);
  } else {
    std::fill(persistent_.begin(), persistent_.end(), word);
  }
}

void Surface::keepBefore(const Rect& r) {
  const Rect inside = r.intersected(bounds());
  if (!inside.isEmpty()) keeper_->keepArea(inside);
}


void Surface::SetBackColor(Color c) {
  backColor_ = c;
  fillPersistent(pixelFromColor(c));
  if (!visible_.empty()) std::fill(visible_.begin(), visible_.end(), pixelFromColor(c));
  stale_.clear();
  pending_.clear();
  notify(bounds());
  notifyPersistent(bounds());
}

void Surface::SetAutoRedraw(bool on) {
  if (hidden_) return;
  autoRedraw_ = on;
  if (!on) ensureVisibleLayer();
}

void Surface::Refresh() {
  if (visible_.empty()) {
    stale_.clear();
    pending_.clear();
    return;
  }
  syncPending(bounds());
  for (const Rect& r : stale_) {
    copyRect(visible_.data(), persistent_.data(), width_, r);
    notify(r);
  }
  stale_.clear();
}

void Surface::syncPending(const Rect& needed) const {
  if (pending_.empty() || visible_.empty()) return;
  std::vector<Rect> left;
  for (const Rect& r : pending_) {
    const Rect part = r.intersected(needed);
    if (!part.isEmpty()) copyRect(visible_.data(), persistent_.data(), width_, part);
    subtract(r, needed, left);
  }
  pending_.clear();
  for (const Rect& r : left) addRect(pending_, r);
}

const std::uint32_t* Surface::visibleBits(const Rect& needed) const {
  syncPending(needed.intersected(bounds()));
  return visible_.empty() ? persistent_.data() : visible_.data();
}

void Surface::Cls() {
  if (writesPersistent(drawLayer())) {
    fillPersistent(pixelFromColor(backColor_));
  } else {
    std::fill(visible_.begin(), visible_.end(), pixelFromColor(backColor_));
  }
  markChanged(bounds());
}

// A picture whose words do not fill its size exactly is not a picture: it
// is refused before anything is written.
static void refuseMalformed(const Picture& picture) {
  if (picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)) throw Error(kErrInvalidPicture);
}

void Surface::SetPicture(const Picture& picture) {
  if (picture.isNull()) return;
  refuseMalformed(picture);
  refuseSizeOverLimit(picture.width, picture.height);
  if (keeper_ || picture.width != width_ || picture.height != height_) {
    PixelWords next = replacementBuffer(picture.pixels.size());
    layOverBackground(picture.pixels.data(), next.data(), picture.pixels.size(), pixelFromColor(backColor_));
    replacePersistent(std::move(next), picture.width, picture.height);
  } else {
    layOverBackground(picture.pixels.data(), persistent_.data(), picture.pixels.size(), pixelFromColor(backColor_));
  }
  pictureTaken();
}

void Surface::SetPicture(Picture&& picture) {
  if (picture.isNull()) return;
  refuseMalformed(picture);
  refuseSizeOverLimit(picture.width, picture.height);
  if (!picture.opaque)
    layOverBackground(picture.pixels.data(), picture.pixels.data(), picture.pixels.size(), pixelFromColor(backColor_));
  replacePersistent(std::move(picture.pixels), picture.width, picture.height);
  picture = Picture();
  dropVisibleLayer();
  pictureTaken();
}

void Surface::pictureTaken() {
  dropVisibleLayer();
  stale_.clear();
  pending_.clear();
  if (!autoRedraw_) ensureVisibleLayer();
  notify(bounds());
  notifyPersistent(bounds());
}

Picture Surface::Image() const {
  Picture picture;
  picture.width = width_;
  picture.height = height_;
  picture.pixels = PixelPool::shared().acquire(persistent_.size());
  std::copy(persistent_.begin(), persistent_.end(), picture.pixels.begin());
  return picture;
}

Picture Surface::TakeImage() && {
  Picture picture;
  picture.width = width_;
  picture.height = height_;
  picture.pixels = std::move(persistent_);
  persistent_.clear();
  dropVisibleLayer();
  stale_.clear();
  pending_.clear();
  width_ = height_ = 0;
  return picture;
}

void Surface::SwapImage(Picture& picture) {
  if (!sizeAllowed(picture.width, picture.height) ||
      picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height))
    return;
  persistent_.swap(picture.pixels);
  std::swap(width_, picture.width);
  std::swap(height_, picture.height);
  pictureTaken();
}

std::uint32_t* Surface::writableBits(Layer layer, const Rect& about) {
  if (writesPersistent(layer)) {
    if (keeper_) keepBefore(about);
    return persistent_.data();
  }
  syncPending(bounds());
  return visible_.data();
}

const std::uint32_t* Surface::bits(Layer layer) const {
  if (layer == Layer::Persistent || visible_.empty()) return persistent_.data();
  syncPending(bounds());
  return visible_.data();
}

Color Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kNoColor;
  return colorFromPixel(drawBits()[std::size_t(y) * std::size_t(width_) + std::size_t(x)]);
}

void Surface::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  writableDrawBits(Rect{x, y, x + 1, y + 1})[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = pixelFromColor(c);
  markChanged(Rect{x, y, x + 1, y + 1});
}

void Surface::markChanged(const Rect& changed, Layer layer) {
  const Rect r = changed.intersected(bounds());
  if (r.isEmpty()) return;
  const bool persistent = layer == Layer::Persistent || visible_.empty();
  if (!visible_.empty()) {
    // Persistent drawing reaches the visible layer when that area is next
    // shown or read, as a repaint of that area would show it; drawing on
    // the visible layer stays until Refresh.
    addRect(persistent ? pending_ : stale_, r);
  }
  notify(r);
  if (persistent) notifyPersistent(r);
}

void Surface::notify(const Rect& r) const {
  if (listener_) listener_(r);
}

void Surface::notifyPersistent(const Rect& r) const {
  if (persistentListener_) persistentListener_(r);
}

PatternBrush Surface::CreatePatternBrush(const Picture& picture) const {
  return PatternBrush{std::make_shared<const Picture>(picture)};
}

void Surface::SelectObject(const PatternBrush& brush) { pattern_ = brush; }

void Surface::DeleteObject(const PatternBrush& brush) {
  if (pattern_ && pattern_->picture == brush.picture) pattern_.reset();
}

PictureRewrite::PictureRewrite(Surface& surface, bool startFromOld) : surface_(surface) {
  from_ = surface.persistent_.data();
  if (surface.keeper_) {
    try {
      buffer_ = surface.replacementBuffer(surface.persistent_.size());
    } catch (const Error&) {
      buffer_ = PixelWords();  // no room for a second picture: in place, the keeper keeps what it can
    }
  }
  if (buffer_.empty()) {
    to_ = surface.writableBits(Surface::Layer::Persistent, surface.bounds());
    return;
  }
  to_ = buffer_.data();
  if (startFromOld) std::copy(surface.persistent_.begin(), surface.persistent_.end(), buffer_.begin());
}

PictureRewrite::~PictureRewrite() {
  if (!finished_) PixelPool::shared().release(std::move(buffer_));
}

void PictureRewrite::finish() {
  if (finished_) return;
  finished_ = true;
  if (!buffer_.empty()) surface_.replacePersistent(std::move(buffer_), surface_.width_, surface_.height_);
  surface_.markChanged(surface_.bounds(), Surface::Layer::Persistent);
}

int Surface::SetStretchBltMode(int mode) {
  const int previous = stretchMode_;
  stretchMode_ = mode;
  return previous;
}

}  // namespace pictavo
