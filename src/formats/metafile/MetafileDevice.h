#pragma once
// The drawing device a metafile plays onto: the recorded device context's
// state (mapping, objects, colours, current position, path, saved states)
// and the drawing verbs the WMF and EMF record parsers call. Coordinates
// given to the verbs are logical units; the device maps them to pixels of
// the target surface. Pixels nothing draws keep alpha 0, so the picture is
// transparent there.
//
// The clip region is part of the state, in target pixels. Every verb draws
// within it: figures through the surface's span clip, bitmaps and pixels
// here, text through the painter (the run carries the clip).

#include "canvas/Surface.h"
#include "formats/metafile/MetafileClip.h"
#include "formats/metafile/PolygonFill.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pictavo {

struct MetafilePen {
  int style = 0;       // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 null, 6 inside frame
  double width = 0;    // logical units; 0 is one pixel
  Color color = kBlack;
};

struct MetafileBrush {
  bool null = false;   // hatched and pattern brushes draw solid in their colour
  Color color = kWhite;
};

struct MetafileFont {
  std::u16string face;
  double height = 0;   // logical; negative: character (em) height, positive: cell height
  double escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false, underline = false, strikeout = false;
  int charset = 0;
};

// One text output, already mapped to pixels, for the text painter.
struct MetafileTextRun {
  std::u16string text;
  double x = 0, y = 0;      // reference point in pixels
  double height = 0;        // pixels; negative: em height, positive: cell height
  double angle = 0;         // degrees, counter-clockwise
  MetafileFont font;
  Color color = kBlack;
  unsigned align = 0;       // TA_ flags: 0 left/top, 2 right, 6 centre, 8 bottom, 24 baseline
  bool opaque = false;      // fill the text box with background first
  Color background = kWhite;
  std::shared_ptr<const SpanClip> clip;  // null: no clip
};
// Text drawing needs a font engine, which the plain core does not have: the
// decoder passes one in. Without it, text is left out.
using MetafileTextPainter = std::function<void(Surface&, const MetafileTextRun&)>;

// An affine map: x' = m11 x + m21 y + dx; y' = m12 x + m22 y + dy.
struct AffineMap {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  PointF map(PointF p) const { return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy}; }
  AffineMap then(const AffineMap& b) const;  // this, then b
  double scale() const;                      // mean linear scale
};

// A rectangle as a file gives it (logical or device units).
struct ClipBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};

class MetafileDevice {
 public:
  MetafileDevice(Surface& target, MetafileTextPainter textPainter);
  ~MetafileDevice();
  MetafileDevice(const MetafileDevice&) = delete;
  MetafileDevice& operator=(const MetafileDevice&) = delete;

  // Mapping state (the classic mapping modes 1..8).
  struct State {
    int mapMode = 1;
    PointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
    AffineMap world;
    MetafilePen pen;
    MetafileBrush brush;
    MetafileFont font;
    Color textColor = kBlack, backColor = kWhite;
    bool opaqueBackground = true;
    unsigned textAlign = 0;
    FillRule polyFill = FillRule::Alternate;
    PointF current{0, 0};
    std::shared_ptr<const SpanClip> clip;  // null: no clip
    std::size_t clipWidestBand = 0;
  };
  State state;
  double pixelsPerMillimetre = 96.0 / 25.4;  // of the recording device, for the metric modes
  AffineMap deviceToTarget;                  // recorded device pixels to target pixels

  void saveState();
  void restoreState(int which);  // negative: relative, as recorded

  // Verbs, in logical coordinates.
  void moveTo(PointF p);
  void lineTo(PointF p);
  void polyline(const std::vector<PointF>& points);
  void polygon(const std::vector<std::vector<PointF>>& contours);  // filled with the brush, outlined with the pen
  void polyPolyline(const std::vector<std::vector<PointF>>& lines);
  void bezier(const std::vector<PointF>& points, bool fromCurrent);  // cubic segments
  void rectangle(double l, double t, double r, double b);
  void roundRect(double l, double t, double r, double b, double cornerW, double cornerH);
  void ellipse(double l, double t, double r, double b);
  enum class ArcKind { Arc, Chord, Pie };
  void arc(ArcKind kind, double l, double t, double r, double b, PointF start, PointF end);
  void patBlt(double l, double t, double r, double b, std::uint32_t rop);
  void setPixel(PointF p, Color c);
  void text(PointF p, const std::u16string& text, bool useCurrentPosition);
  // A bitmap laid on the logical rectangle, from the source rectangle of the picture.
  void bitmap(double x, double y, double w, double h, const Picture& picture, double sx, double sy, double sw, double sh);

  // Clipping. Rectangles of intersect and exclude are logical, as is the
  // offset. A selected region is given in logical units (WMF) or recorded
  // device units (EMF); Copy with no region, or an empty one, removes the clip.
  void intersectClip(double l, double t, double r, double b);
  void excludeClip(double l, double t, double r, double b);
  void offsetClip(double dx, double dy);
  enum class ClipUnits { Logical, Device };
  void selectClip(const std::vector<ClipBox>* region, ClipUnits units, metafile::ClipCombine mode);
  // The current path as a region, combined with the clip; the path is used up.
  void selectClipPath(metafile::ClipCombine mode);

  // Paths.
  void beginPath();
  void endPath() { inPath_ = false; }
  void abortPath() { inPath_ = false; path_.clear(); }
  void closeFigure();
  void fillPath(bool stroke, bool fill);

  // Work done so far, in rows and pixels touched: playback stops past a budget.
  long long work() const { return work_; }
  // Charges work about to be done (decoding a bitmap, say); false, charging
  // nothing, when it would take playback past its budget.
  bool chargeWork(long long units);

 private:
  PointF toTarget(PointF logical) const;
  AffineMap logicalToTarget() const;
  void strokeTarget(const std::vector<PointF>& points, bool closed);
  void fillTarget(const std::vector<Contour>& contours);
  void addToPath(const std::vector<PointF>& targetPoints, bool closed);
  std::vector<PointF> mapAll(const std::vector<PointF>& logical) const;
  static std::vector<PointF> ellipsePoints(double l, double t, double r, double b, double t0, double t1);
  Rect targetBox(const ClipBox& box, const AffineMap& map) const;
  void setClip(std::shared_ptr<const SpanClip> clip);
  void combineClip(const SpanClip& region, metafile::ClipCombine mode);
  bool clippedAway() const { return state.clip && state.clip->empty(); }
  // Extra work of cutting spans of this many rows to the clip.
  long long clipWork(double rows) const;

  Surface& target_;
  MetafileTextPainter textPainter_;
  std::vector<State> saved_;
  bool inPath_ = false;
  struct Figure {
    std::vector<PointF> points;  // target pixels
    bool closed = false;
  };
  std::vector<Figure> path_;
  long long work_ = 0;
};

}  // namespace pictavo
