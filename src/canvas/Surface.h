#pragma once
// Surface: the program's own raster engine. The canvas, every hidden buffer
// and every preview box is one.
//
// A surface has a persistent image and a visible layer, both W x H pixel
// words 0xFFRRGGBB (bytes B, G, R, A in memory: Qt's RGB32, a BMP row),
// rows top-down without padding. With AutoRedraw on, drawing goes into the
// persistent image; off, it goes to the visible layer only and is lost at the
// next Refresh. The visible layer is what a window shows. It is allocated
// only when needed: a surface that never draws with AutoRedraw off (the
// hidden buffers) keeps one buffer, and then shows the persistent image.
//
// Coordinates are pixels from the top-left corner. Fractional coordinates go
// to the nearest integer, ties to even (see roundCoord). Every drawing
// operation clips at the surface edge; reads outside give kNoColor. Colours
// at the API are 0x00BBGGRR (Color.h).
//
// Change tracking: the surface remembers which rectangles of the visible
// layer differ from the persistent image, so Refresh costs in proportion to
// what changed, not to the picture size. A listener hears of every rectangle
// whose shown pixels may have changed (the canvas widget repaints only that).
// A second listener hears of every rectangle written to the persistent image.
//
// Keeping: a keeper (the undo history) is told before the persistent image
// is written, so it can keep what is about to be lost and nothing else:
// every write says its rectangle in advance (writableBits, willWrite), and a
// write that replaces the whole image hands the old image over instead of
// copying it (Resize, SetPicture, SetBackColor, PictureRewrite).

#include "canvas/Color.h"
#include "canvas/Picture.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pictavo {

// Half-open rectangle: left and top included, right and bottom excluded.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect intersected(const Rect& o) const;
  Rect united(const Rect& o) const;  // an empty side is ignored
  bool operator==(const Rect&) const = default;
};

// A clip for the figures: disjoint rectangles sorted by top, then left, in
// bands (rectangles that share a row have the same top and bottom).
using SpanClip = std::vector<Rect>;

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline int roundCoord(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;  // also NaN
  if (v >= 2147483647.0) return INT32_MAX;
  return int(std::nearbyint(v));
}

// Line styles of DrawStyle; at DrawWidth above 1 every style draws solid.
enum DrawStyleValue { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3, kDashDotDot = 4 };
// FillStyle values.
enum FillStyleValue { kFillSolid = 0, kFillTransparent = 1 };
// Stretch modes of SetStretchBltMode: nearest pixel (the default) or halftone.
enum StretchModeValue { kStretchNearest = 3, kStretchHalftone = 4 };
// Line's third form: a plain line, a box outline, or a box filled with the line colour.
enum class LineKind { Line, Box, FilledBox };
// GradientFill directions.
enum GradientDirection { kGradientHorizontal = 0, kGradientVertical = 1 };

// A gradient vertex as the classic TRIVERTEX: 8-bit channels sit in the high
// byte of each 16-bit field (v * 256); alpha is unused.
struct TriVertex {
  std::int32_t x = 0, y = 0;
  std::uint16_t red = 0, green = 0, blue = 0, alpha = 0;
};

// The surface's font for text output (drawn by SurfaceText, which needs Qt).
struct SurfaceFont {
  std::string name;   // family name, UTF-8; empty: the platform's default
  double size = 9.0;  // points
  bool bold = false, italic = false, underline = false;
};

// A fill that tiles a picture from the surface origin with the picture's
// own colours, for one flood fill (CreatePatternBrush / SelectObject / DeleteObject).
struct PatternBrush {
  std::shared_ptr<const Picture> picture;  // opaque pixels (alpha ignored)
};

// Told before the persistent image of a surface changes.
class PersistentKeeper {
 public:
  // The pixels in r (inside the picture) are about to be written in place.
  virtual void keepArea(const Rect& r) = 0;
  // The image is about to be replaced: a chance to give memory back
  // before the new buffer is taken.
  virtual void willReplacePicture() = 0;
  // The image was replaced by another one: `old` is the image until now,
  // size included, for the keeper to own.
  virtual void keepPicture(Picture&& old) = 0;

 protected:
  ~PersistentKeeper() = default;
};

class Surface {
 public:
  enum class Layer { Persistent, Visible };
  using ChangeListener = std::function<void(const Rect&)>;

  // The canvas limit: sides 1..32767, at most 16384 * 16384 pixels.
  static constexpr int kMaxSide = 32767;
  static constexpr std::int64_t kMaxPixels = 16384LL * 16384LL;
  static bool sizeAllowed(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
  }

  // A surface of the given size cleared to backColor, AutoRedraw on.
  // Throws pictavo::Error (7) when the size is refused or memory runs out.
  Surface(int width, int height, Color backColor = kWhite);
  // A hidden buffer: magenta background; always draws persistently.
  static Surface hiddenBuffer(int width = 1, int height = 1);
  // A surface whose pixel words start at 0: alpha 0 marks what nothing has
  // drawn yet, for building a picture with transparent parts (metafiles).
  static Surface transparentCanvas(int width, int height);

  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  Surface(Surface&&) noexcept;
  Surface& operator=(Surface&&) noexcept;
  ~Surface();

  // ---- size -------------------------------------------------------------
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ScaleWidth() const { return width_; }   // drawable size; our surfaces have no border
  int ScaleHeight() const { return height_; }
  // New size: the pixels that remain inside are kept, new ones take BackColor.
  // Throws pictavo::Error when refused; the surface is then unchanged.
  void Resize(int width, int height);

  // ---- drawing state ----------------------------------------------------
  Color ForeColor = kBlack;
  Color FillColor = kBlack;
  int FillStyle = kFillTransparent;
  int DrawWidth = 1;
  int DrawStyle = kSolid;
  SurfaceFont Font;

  Color BackColor() const { return backColor_; }
  // Sets the background colour and, like the classic picture box, clears
  // the persistent image (and the visible layer) to it.
  void SetBackColor(Color c);
  bool AutoRedraw() const { return autoRedraw_ || hidden_; }
  void SetAutoRedraw(bool on);
  bool isHiddenBuffer() const { return hidden_; }

  // ---- whole picture ----------------------------------------------------
  // Shows the persistent image on the visible layer (only what differs).
  void Refresh();
  // Clears the layer drawing goes to (persistent when AutoRedraw) to BackColor.
  void Cls();
  // Sets the persistent image from a picture: the surface takes its size,
  // transparent pixels show BackColor. Throws pictavo::Error when refused.
  void SetPicture(const Picture& picture);
  // The same, taking over the picture's pixel memory instead of copying it
  // (the picture is left empty).
  void SetPicture(Picture&& picture);
  // The persistent image as a picture (alpha 255), for saving or copying.
  Picture Image() const;
  // The same without a copy; the surface is left empty (0 x 0).
  Picture TakeImage() &&;
  // Exchanges the persistent image with a picture of opaque pixel words,
  // size included, without a copy. A null or malformed picture is ignored.
  // The keeper is not told: the caller holds the old image.
  void SwapImage(Picture& picture);

  // ---- pixels (on the layer drawing goes to) ----------------------------
  Color Point(double x, double y) const { return GetPixel(roundCoord(x), roundCoord(y)); }
  Color GetPixel(int x, int y) const;   // kNoColor outside
  void SetPixel(int x, int y, Color c);  // nothing outside
  // A dot DrawWidth wide (a round dot above width 1), in c or ForeColor.
  void PSet(double x, double y, std::optional<Color> c = {});

  // ---- figures ----------------------------------------------------------
  // A line from (x1, y1) to (x2, y2), both end points drawn, in c or ForeColor,
  // DrawWidth wide with round ends, DrawStyle dashes at width 1 only. Box and
  // FilledBox draw the rectangle with these corners (both included); a wide
  // outline is centred on the box edges.
  void Line(double x1, double y1, double x2, double y2, std::optional<Color> c = {}, LineKind kind = LineKind::Line);
  // A circle of the given radius around (cx, cy): outline in c or ForeColor
  // with DrawWidth/DrawStyle; interior in FillColor when FillStyle is solid.
  void Circle(double cx, double cy, float radius, std::optional<Color> c = {});
  // Ellipse and rounded rectangle fitted in left..right-1, top..bottom-1
  // (the right column and bottom row are not covered); reversed corners
  // are normalised. Outline ForeColor/DrawWidth/DrawStyle, interior by FillStyle.
  void Ellipse(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth = 12, int cornerHeight = 12);

  // ---- fills --------------------------------------------------------------
  PatternBrush CreatePatternBrush(const Picture& picture) const;
  void SelectObject(const PatternBrush& brush);  // the fill of the next flood fills
  void DeleteObject(const PatternBrush& brush);  // back to the solid FillColor
  // Mode 1 (surface): fills the 4-connected area of exactly `seed` around
  // (x, y) with the current fill (the selected pattern, else FillColor).
  // Nothing happens when the pixel at (x, y) is not `seed` or lies outside.
  void ExtFloodFill(int x, int y, Color seed, int mode = 1);
  // Two vertices, the rectangle v0..v1 (right column and bottom row
  // excluded); horizontal: v0's colour at the left edge blending into v1's
  // towards the right edge; vertical likewise top to bottom.
  void GradientFill(const TriVertex& v0, const TriVertex& v1, int direction);

  // ---- block copies (onto the layer drawing goes to) -------------------
  // Each reads src's drawing layer (its persistent image while AutoRedraw
  // is on, as for every hidden buffer). Destination pixels outside this
  // surface, or whose source pixels all lie outside src, stay as they are.
  // Each reports the written rectangle once.
  // Plain copy; src may be *this (the source is read whole first).
  void BitBlt(int dx, int dy, int w, int h, const Surface& src, int sx, int sy);
  int SetStretchBltMode(int mode);  // returns the previous mode
  int StretchBltMode() const { return stretchMode_; }
  // Scaled copy; a negative width or height on either side mirrors. Nearest
  // pixel, or in halftone mode the coverage-weighted mean of the source area.
  // A negative destination extent e at origin o covers o + e + 1 .. o; a
  // negative source extent covers o + e .. o - 1. So (W - 1, -W) as the
  // destination, or (W, -W) as the source, mirrors a whole row exactly.
  // At equal sizes both modes copy exactly. src may be *this.
  void StretchBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh);
  // Copy scaled nearest when sizes differ, skipping source pixels of exactly
  // `key`. Negative extents are refused (nothing is drawn).
  void TransparentBlt(int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh, Color key);

  // ---- raw access for effects, codecs and the display ---------------------
  // Pixel words of a layer (the persistent image when the visible layer is
  // not allocated). The writable ones take the rectangle the caller is about
  // to write (the keeper keeps its pixels first); a writer that finds out
  // as it goes passes an empty one and calls willWrite before each piece.
  // After writing, call markChanged. Reading needs only the const ones.
  std::uint32_t* writableBits(Layer layer, const Rect& about);
  const std::uint32_t* bits(Layer layer) const;
  std::uint32_t* writableDrawBits(const Rect& about) { return writableBits(drawLayer(), about); }
  // The pixels in r of `layer` are about to be written.
  void willWrite(const Rect& r, Layer layer) {
    if (keeper_ && writesPersistent(layer)) keepBefore(r);
  }
  void willWrite(const Rect& r) { willWrite(r, drawLayer()); }
  // Whether a write to the layer drawing goes to has to be announced.
  bool drawingIsKept() const { return keeper_ && writesPersistent(drawLayer()); }
  const std::uint32_t* drawBits() const { return bits(drawLayer()); }
  // What a window shows: the visible layer, brought up to date with the
  // persistent drawing first (all of it, or only within `needed`: a window
  // showing part of a huge picture copies just that part).
  const std::uint32_t* visibleBits() const { return bits(Layer::Visible); }
  const std::uint32_t* visibleBits(const Rect& needed) const;
  int stride() const { return width_; }  // in pixel words
  Layer drawLayer() const { return AutoRedraw() ? Layer::Persistent : Layer::Visible; }
  // Records that the pixels in r of the layer drawing goes to were written.
  void markChanged(const Rect& r) { markChanged(r, drawLayer()); }
  void markChanged(const Rect& r, Layer layer);
  Rect bounds() const { return Rect{0, 0, width_, height_}; }

  void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }
  void setPersistentChangeListener(ChangeListener listener) { persistentListener_ = std::move(listener); }
  // The keeper of this surface's persistent image (null: none). It must
  // outlive the surface or be unset first.
  void setKeeper(PersistentKeeper* keeper) { keeper_ = keeper; }

  const PatternBrush* selectedPattern() const { return pattern_ ? &*pattern_ : nullptr; }

  // ---- clip of figures ----------------------------------------------------
  // With a clip set, the figures (Line, Circle, Ellipse, RoundRect: all that
  // write through SpanWriter) write only inside it. Null, the default: they
  // write anywhere on the surface. The metafile player keeps recorded clip
  // regions here.
  void setSpanClip(std::shared_ptr<const SpanClip> clip) { spanClip_ = std::move(clip); }
  const SpanClip* spanClip() const { return spanClip_.get(); }

 private:
  Surface() = default;
  void allocate(int width, int height, std::uint32_t fillWord);
  void dropVisibleLayer();
  void ensureVisibleLayer();
  void pictureTaken();
  void notify(const Rect& r) const;
  void notifyPersistent(const Rect& r) const;
  bool writesPersistent(Layer layer) const { return layer == Layer::Persistent || visible_.empty(); }
  void keepBefore(const Rect& r);
  // A buffer for a new persistent image of `words` words, from the pool once the keeper made room.
  PixelWords replacementBuffer(std::size_t words);
  // Makes `next` (w x h) the persistent image; the old one goes to the keeper, or back to the pool.
  void replacePersistent(PixelWords&& next, int width, int height);
  // Fills the whole persistent image with one word.
  void fillPersistent(std::uint32_t word);
  friend class PictureRewrite;
  void syncPending(const Rect& needed) const;

  int width_ = 0, height_ = 0;
  Color backColor_ = kWhite;
  bool autoRedraw_ = true;
  bool hidden_ = false;
  int stretchMode_ = kStretchNearest;
  PixelWords persistent_;  // from the program's PixelPool, and back to it
  // The visible layer; empty: it shows persistent_. Mutable because
  // showing it first copies pending persistent drawing (a cache refresh).
  mutable PixelWords visible_;
  std::vector<Rect> stale_;            // drawn on the visible layer only: Refresh restores
  mutable std::vector<Rect> pending_;  // drawn persistently, not yet copied to the visible layer
  std::optional<PatternBrush> pattern_;
  ChangeListener listener_;
  ChangeListener persistentListener_;
  PersistentKeeper* keeper_ = nullptr;
  std::shared_ptr<const SpanClip> spanClip_;
};

// A pass that writes every pixel of a surface's persistent image and reads
// the picture as it was from from(). With a keeper the pass writes into
// another buffer and finish() hands the old image to the keeper, so nothing
// is copied for it; without one the pass works in place (from() == to()).
// Unfinished, the new buffer is dropped and the picture stays as it was
// (in place, whatever was written stays).
class PictureRewrite {
 public:
  // startFromOld: to() holds the old picture at first (for passes that
  // rewrite in place); otherwise its contents are unspecified.
  PictureRewrite(Surface& surface, bool startFromOld);
  ~PictureRewrite();
  PictureRewrite(const PictureRewrite&) = delete;
  PictureRewrite& operator=(const PictureRewrite&) = delete;

  const std::uint32_t* from() const { return from_; }
  std::uint32_t* to() const { return to_; }
  // The new picture becomes the persistent image; all of it is marked changed.
  void finish();

 private:
  Surface& surface_;
  PixelWords buffer_;  // empty: in place
  const std::uint32_t* from_ = nullptr;
  std::uint32_t* to_ = nullptr;
  bool finished_ = false;
};

}  // namespace pictavo
