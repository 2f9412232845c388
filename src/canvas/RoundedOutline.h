#pragma once
// Figures whose four corners are quarter ellipses: circles, ellipses and
// rounded rectangles (an ellipse is a rounded rectangle that is all corner).
//
// Geometry: one corner ellipse with semi-axes a and b, measured between the
// centres of its extreme pixels, cut into four quarters. The top-right
// quarter is computed in local pixel steps i (columns out from the vertical
// axis) and j (rows out from the horizontal axis); the other quarters are
// its mirror images, placed at xl0 / xr0 (the columns where i = 0 lies on
// the left and on the right) and yt0 / yb0. Straight edges join the quarters
// when those columns or rows are apart. ox (oy) is 0.5 when the corner
// ellipse's centre lies between two pixel columns (rows), 0 otherwise.
//
// The one-pixel outline is the midpoint-circle shape: one pixel per column
// where the curve is flatter than 45 degrees, one per row where it is
// steeper, so a circle is the same under every quarter turn and mirror.
// Everything is computed row by row for the rows inside the surface only,
// so huge figures cost no more than ones that fit.

#include "canvas/DashPattern.h"
#include "canvas/SpanWriter.h"

#include <cstdint>
#include <optional>

namespace pictavo {

class RoundedOutline {
 public:
  struct Geometry {
    double a = 0, b = 0;
    double ox = 0, oy = 0;
    std::int64_t xl0 = 0, xr0 = 0, yt0 = 0, yb0 = 0;
  };

  explicit RoundedOutline(const Geometry& g);

  // The one-pixel outline, with the dash pattern counted clockwise from the
  // top of the top-right quarter.
  void drawThin(SpanWriter& out, const DashPattern& dash) const;
  // The pixels inside the one-pixel outline.
  void fillInsideThin(SpanWriter& out) const;
  // An outline `width` pixels wide centred on the curve in `line`; with
  // `inside`, the pixels it encloses in that colour.
  void drawWide(SpanWriter& out, int width, Color line, std::optional<Color> inside) const;

 private:
  using i64 = std::int64_t;
  i64 rowOfColumn(i64 i) const;  // flat part: the row of column i
  i64 columnOfRow(i64 j) const;  // steep part: the outer column of row j
  i64 steepStart(i64 j) const;   // first column of the steep part's run in row j
  i64 firstColumnAtOrBelow(i64 j) const;  // first flat column whose row <= j (m1_ when none)
  i64 steepIndex(i64 i, i64 j) const { return m1_ + (jSplit_ - j) + (i - steepStart(j)); }
  void drawThinRow(SpanWriter& out, const DashPattern& dash, i64 y) const;
  void emit(SpanWriter& out, const DashPattern& dash, int quarter, i64 j, i64 iLo, i64 iHi, i64 indexAtLo) const;

  Geometry g_;
  i64 iMax_ = 0, jMax_ = 0;  // outermost local column and row
  i64 m1_ = 0;               // columns 0..m1_-1 form the flat part
  i64 jSplit_ = 0;           // rows 0..jSplit_ form the steep part
  i64 jTop_ = 0, iExt_ = 0;  // the quarter's top row and right-most column
  i64 quarterLength_ = 0;    // dash positions in one quarter
  i64 row0Count_ = 0, column0Count_ = 0;  // quarter pixels on the shared row / column
  bool shareRow_ = false, shareColumn_ = false;
  i64 straightH_ = 0, straightV_ = 0;  // pixels of each horizontal / vertical straight edge
};

}  // namespace pictavo
