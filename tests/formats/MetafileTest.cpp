// The metafile player on hand-built WMF and EMF files: sizes, mapping, each
// drawing record kind by pixels at known places, clipping, and hostile files.
#include "base/Errors.h"
#include "formats/metafile/Metafile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace pictavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, int v) {
  b.push_back(std::uint8_t(v & 0xFF));
  b.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void put32(Bytes& b, std::int64_t v) {
  put16(b, int(v & 0xFFFF));
  put16(b, int((v >> 16) & 0xFFFF));
}
void set32(Bytes& b, std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); }

// A WMF: optional placeable header with a bounding box, then records of 16-bit words.
class WmfBuilder {
 public:
  explicit WmfBuilder(int right = 100, int bottom = 50, int inch = 96, bool placeable = true) : placeable_(placeable) {
    if (placeable) {
      put32(bytes_, 0x9AC6CDD7u);
      put16(bytes_, 0);
      put16(bytes_, 0), put16(bytes_, 0), put16(bytes_, right), put16(bytes_, bottom);
      put16(bytes_, inch);
      put32(bytes_, 0);
      put16(bytes_, 0);
    }
    header_ = bytes_.size();
    put16(bytes_, 1), put16(bytes_, 9), put16(bytes_, 0x300);
    put32(bytes_, 0), put16(bytes_, 0), put32(bytes_, 0), put16(bytes_, 0);
  }
  WmfBuilder& record(int function, const std::vector<int>& words) {
    put32(bytes_, 3 + std::int64_t(words.size()));
    put16(bytes_, function);
    for (int w : words) put16(bytes_, w);
    return *this;
  }
  WmfBuilder& rawRecord(int function, const Bytes& params) {
    put32(bytes_, 3 + std::int64_t(params.size() + 1) / 2);
    put16(bytes_, function);
    bytes_.insert(bytes_.end(), params.begin(), params.end());
    if (params.size() % 2) bytes_.push_back(0);
    return *this;
  }
  // Shorthands for the common records.
  WmfBuilder& solidBrush(std::uint32_t colour) { return record(0x02FC, {0, int(colour & 0xFFFF), int(colour >> 16), 0}); }
  WmfBuilder& pen(int style, int width, std::uint32_t colour) {
    return record(0x02FA, {style, width, 0, int(colour & 0xFFFF), int(colour >> 16)});
  }
  WmfBuilder& select(int index) { return record(0x012D, {index}); }
  Bytes finish() {
    record(0, {});
    return bytes_;
  }

 private:
  bool placeable_;
  std::size_t header_ = 0;
  Bytes bytes_;
};

// An EMF whose frame is width x height pixels at 96 dpi on a 96 dpi device.
class EmfBuilder {
 public:
  EmfBuilder(int width, int height) {
    put32(bytes_, 1), put32(bytes_, 88);
    put32(bytes_, 0), put32(bytes_, 0), put32(bytes_, width - 1), put32(bytes_, height - 1);  // bounds
    put32(bytes_, 0), put32(bytes_, 0), put32(bytes_, width * 2540 / 96), put32(bytes_, height * 2540 / 96);
    put32(bytes_, 0x464D4520u), put32(bytes_, 0x10000), put32(bytes_, 0), put32(bytes_, 0);
    put16(bytes_, 0), put16(bytes_, 0);
    put32(bytes_, 0), put32(bytes_, 0), put32(bytes_, 0);
    put32(bytes_, 960), put32(bytes_, 960), put32(bytes_, 254), put32(bytes_, 254);
  }
  EmfBuilder& record(int type, const std::vector<std::int64_t>& dwords) {
    put32(bytes_, type);
    put32(bytes_, 8 + std::int64_t(dwords.size()) * 4);
    for (auto d : dwords) put32(bytes_, d);
    return *this;
  }
  // A record with raw parameter bytes (padded to 4).
  EmfBuilder& rawRecord(int type, Bytes params) {
    while (params.size() % 4) params.push_back(0);
    put32(bytes_, type);
    put32(bytes_, 8 + std::int64_t(params.size()));
    bytes_.insert(bytes_.end(), params.begin(), params.end());
    return *this;
  }
  EmfBuilder& polygon16(int type, const std::vector<std::pair<int, int>>& points) {
    Bytes p;
    for (int k = 0; k < 4; ++k) put32(p, 0);
    put32(p, std::int64_t(points.size()));
    for (auto [x, y] : points) put16(p, x), put16(p, y);
    return rawRecord(type, p);
  }
  Bytes finish() {
    record(14, {0, 16, 20});
    set32(bytes_, 48, std::uint32_t(bytes_.size()));
    return bytes_;
  }

 private:
  Bytes bytes_;
};

constexpr std::uint32_t kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000;

Picture play(const Bytes& b, const MetafileTextPainter& painter = {}) { return playMetafile(b.data(), b.size(), painter); }
// The picture's colour at (x, y) as 0x00BBGGRR, or kNoColor where transparent.
Color at(const Picture& p, int x, int y) {
  const std::uint32_t px = p.at(x, y);
  return (px >> 24) == 0 ? kNoColor : colorFromPixel(px);
}

TEST(MetafileKind, RecognisesEachHeaderByContent) {
  const Bytes wmf = WmfBuilder().finish(), plain = WmfBuilder(0, 0, 0, false).finish(), emf = EmfBuilder(4, 4).finish();
  EXPECT_EQ(metafileKind(wmf.data(), wmf.size()), MetafileKind::PlaceableWmf);
  EXPECT_EQ(metafileKind(plain.data(), plain.size()), MetafileKind::Wmf);
  EXPECT_EQ(metafileKind(emf.data(), emf.size()), MetafileKind::Emf);
  const Bytes bmp{'B', 'M', 0, 0, 0, 0};
  EXPECT_EQ(metafileKind(bmp.data(), bmp.size()), MetafileKind::None);
}

TEST(WmfPlayback, PlaceableBoxGivesTheSizeAndUndrawnPixelsStayTransparent) {
  const Picture p = play(WmfBuilder(1440, 720, 1440).finish());  // one inch by half an inch
  EXPECT_EQ(p.width, 96);
  EXPECT_EQ(p.height, 48);
  EXPECT_EQ(at(p, 10, 10), kNoColor);
}

TEST(WmfPlayback, FilledShapesUseTheSelectedBrushAndNullPen) {
  const Picture p = play(WmfBuilder(100, 50)
                             .solidBrush(kRed).select(0)
                             .pen(5, 0, 0).select(1)
                             .record(0x041B, {40, 50, 10, 10})   // rectangle l10 t10 r50 b40
                             .solidBrush(kGreen).select(2)
                             .record(0x0418, {40, 95, 10, 65})   // ellipse l65 t10 r95 b40
                             .finish());
  EXPECT_EQ(at(p, 30, 25), kRed);
  EXPECT_EQ(at(p, 5, 5), kNoColor);
  EXPECT_EQ(at(p, 80, 25), kGreen);
  EXPECT_EQ(at(p, 66, 11), kNoColor);  // outside the ellipse, inside its box
}

TEST(WmfPlayback, WindowExtentScalesLogicalUnitsOntoThePicture) {
  // The window is 1000 x 500 logical units on a 100 x 50 picture: a rectangle
  // from 500 to 1000 covers the right half.
  const Picture p = play(WmfBuilder(100, 50)
                             .record(0x020B, {0, 0})
                             .record(0x020C, {500, 1000})
                             .solidBrush(kBlue).select(0)
                             .pen(5, 0, 0).select(1)
                             .record(0x041B, {500, 1000, 0, 500})
                             .finish());
  EXPECT_EQ(at(p, 75, 25), kBlue);
  EXPECT_EQ(at(p, 25, 25), kNoColor);
}

TEST(WmfPlayback, PolyPolygonHonoursTheFillMode) {
  // Two nested squares drawn the same way round: a hole with alternate, filled with winding.
  auto build = [](int mode) {
    return WmfBuilder(100, 100)
        .record(0x0106, {mode})
        .solidBrush(kRed).select(0)
        .pen(5, 0, 0).select(1)
        .record(0x0538, {2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70})
        .finish();
  };
  const Picture alternate = play(build(1)), winding = play(build(2));
  EXPECT_EQ(at(alternate, 20, 20), kRed);
  EXPECT_EQ(at(alternate, 50, 50), kNoColor);
  EXPECT_EQ(at(winding, 50, 50), kRed);
}

TEST(WmfPlayback, LinesUseThePenColour) {
  const Picture p = play(WmfBuilder(100, 50).pen(0, 1, kBlue).select(0)
                             .record(0x0214, {20, 10})   // move to (10, 20)
                             .record(0x0213, {20, 90})   // line to (90, 20)
                             .finish());
  EXPECT_EQ(at(p, 50, 20), kBlue);
  EXPECT_EQ(at(p, 50, 30), kNoColor);
}

TEST(WmfPlayback, TextGoesToThePainterDecodedFromTheFontsCharacterSet) {
  Bytes font;
  put16(font, -20);  // height
  for (int k = 0; k < 4; ++k) put16(font, 0);
  font.push_back(0), font.push_back(0), font.push_back(0), font.push_back(134);  // charset GB2312
  for (int k = 0; k < 4; ++k) font.push_back(0);
  const Bytes name{'S', 'i', 'm', 'S', 'u', 'n', 0};
  font.insert(font.end(), name.begin(), name.end());
  Bytes text;
  put16(text, 4);
  const Bytes gbk{0xC4, 0xE3, 0xBA, 0xC3};  // 你好
  text.insert(text.end(), gbk.begin(), gbk.end());
  put16(text, 30), put16(text, 12);  // y, x
  std::vector<MetafileTextRun> runs;
  play(WmfBuilder(100, 50).rawRecord(0x02FB, font).select(0).record(0x0209, {int(kRed), 0})
           .rawRecord(0x0521, text).finish(),
       [&](Surface&, const MetafileTextRun& run) { runs.push_back(run); });
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, u"你好");
  EXPECT_DOUBLE_EQ(runs[0].x, 12);
  EXPECT_DOUBLE_EQ(runs[0].y, 30);
  EXPECT_DOUBLE_EQ(runs[0].height, -20);
  EXPECT_EQ(runs[0].color, kRed);
  EXPECT_EQ(runs[0].font.face, u"SimSun");
}

// A 2 x 2 bottom-up 24-bit DIB: bottom row blue, green; top row red, white.
Bytes dib2x2() {
  Bytes d;
  put32(d, 40), put32(d, 2), put32(d, 2), put16(d, 1), put16(d, 24);
  for (int k = 0; k < 6; ++k) put32(d, 0);
  const Bytes rows{0xFF, 0, 0, 0, 0xFF, 0, 0, 0, /* bottom: blue, green + pad */
                   0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0 /* top: red, white + pad */};
  d.insert(d.end(), rows.begin(), rows.end());
  return d;
}

TEST(WmfPlayback, StretchedBitmapsLandOnTheirRectangle) {
  Bytes params;
  put32(params, 0x00CC0020);                            // SRCCOPY
  put16(params, 2), put16(params, 2), put16(params, 0), put16(params, 0);  // src h, w, y, x
  put16(params, 40), put16(params, 40), put16(params, 5), put16(params, 5);  // dest h, w, y, x
  const Bytes d = dib2x2();
  params.insert(params.end(), d.begin(), d.end());
  const Picture p = play(WmfBuilder(100, 50).rawRecord(0x0B41, params).finish());
  EXPECT_EQ(at(p, 10, 10), kRed);
  EXPECT_EQ(at(p, 40, 10), 0x00FFFFFFu);
  EXPECT_EQ(at(p, 10, 40), kBlue);
  EXPECT_EQ(at(p, 40, 40), kGreen);
  EXPECT_EQ(at(p, 60, 10), kNoColor);
}

TEST(EmfPlayback, FrameGivesTheSizeAndPolygonsFill) {
  const Picture p = play(EmfBuilder(96, 48)
                             .record(39, {1, 0, kGreen, 0})   // brush 1: solid green
                             .record(37, {1})
                             .record(37, {0x80000008})        // the stock null pen
                             .polygon16(86, {{10, 10}, {80, 10}, {10, 40}})
                             .finish());
  EXPECT_EQ(p.width, 96);
  EXPECT_EQ(p.height, 48);
  EXPECT_EQ(at(p, 15, 15), kGreen);
  EXPECT_EQ(at(p, 70, 35), kNoColor);
}

TEST(EmfPlayback, PathsFillOnlyWhenAsked) {
  auto build = [](int finishing) {
    return EmfBuilder(50, 50)
        .record(37, {0x80000004})  // stock black brush
        .record(37, {0x80000008})  // null pen
        .record(59, {})
        .polygon16(86, {{5, 5}, {45, 5}, {45, 45}, {5, 45}})
        .record(60, {})
        .record(finishing, {0, 0, 0, 0})
        .finish();
  };
  EXPECT_EQ(at(play(build(62)), 25, 25), kBlack);    // FILLPATH
  EXPECT_EQ(at(play(build(64)), 25, 25), kNoColor);  // STROKEPATH with a null pen: nothing
}

TEST(EmfPlayback, WindowAndViewportMapLogicalUnits) {
  // Anisotropic mapping of 0..1000 logical units onto 0..100 pixels.
  const Picture p = play(EmfBuilder(100, 100)
                             .record(17, {8})
                             .record(9, {1000, 1000})
                             .record(11, {100, 100})
                             .record(37, {0x80000004})
                             .record(37, {0x80000008})
                             .record(43, {500, 500, 1000, 1000})
                             .finish());
  EXPECT_EQ(at(p, 75, 75), kBlack);
  EXPECT_EQ(at(p, 25, 25), kNoColor);
}

// STRETCHDIBITS of the 2 x 2 bitmap onto a size x size square at (x, y).
Bytes stretchDibits(int x, int y, int size) {
  const Bytes d = dib2x2();
  Bytes params;
  for (int k = 0; k < 4; ++k) put32(params, 0);                          // bounds
  put32(params, x), put32(params, y);                                    // dest x, y
  put32(params, 0), put32(params, 0), put32(params, 2), put32(params, 2);  // src x, y, w, h
  put32(params, 80), put32(params, 40), put32(params, 80 + 40), put32(params, 2 * 2 * 3 + 4);  // bmi, bits
  put32(params, 0), put32(params, 0x00CC0020), put32(params, size), put32(params, size);  // usage, rop, dest w, h
  params.insert(params.end(), d.begin(), d.end());
  return params;
}

TEST(EmfPlayback, StretchDibitsDrawsTheBitmapUpright) {
  const Picture p = play(EmfBuilder(50, 50).rawRecord(81, stretchDibits(10, 10, 20)).finish());
  EXPECT_EQ(at(p, 12, 12), kRed);
  EXPECT_EQ(at(p, 12, 28), kBlue);
  EXPECT_EQ(at(p, 28, 28), kGreen);
  EXPECT_EQ(at(p, 40, 40), kNoColor);
}

int errorNumberOf(const Bytes& b) {
  try {
    play(b);
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

TEST(MetafileSafety, EveryTruncationGivesTheInvalidPictureErrorOrAPicture) {
  const Bytes wmf = WmfBuilder(100, 50).solidBrush(kRed).select(0).record(0x041B, {40, 50, 10, 10})
                        .record(0x0538, {1, 3, 0, 0, 50, 0, 0, 40}).finish();
  const Bytes emf = EmfBuilder(40, 40).polygon16(86, {{1, 1}, {30, 1}, {1, 30}}).finish();
  for (const Bytes* file : {&wmf, &emf})
    for (std::size_t n = 0; n < file->size(); ++n) {
      const Bytes cut(file->begin(), file->begin() + long(n));
      const int number = errorNumberOf(cut);
      EXPECT_TRUE(number == 0 || number == kErrInvalidPicture) << n;
    }
}

TEST(MetafileSafety, RecordsOfSizeZeroAndHugeCountsAreRefused) {
  WmfBuilder zero(100, 50);
  Bytes z = zero.finish();
  z.insert(z.end() - 6, {0, 0, 0, 0, 0x1B, 0x04});  // a rectangle record claiming 0 words
  EXPECT_EQ(errorNumberOf(z), kErrInvalidPicture);
  // A polygon claiming 65535 points in a record of four words.
  EXPECT_EQ(errorNumberOf(WmfBuilder(100, 50).record(0x0324, {65535, 1, 2}).finish()), kErrInvalidPicture);
  Bytes emf = EmfBuilder(40, 40).record(86, {0, 0, 0, 0, 0x7FFFFFFF}).finish();
  EXPECT_EQ(errorNumberOf(emf), kErrInvalidPicture);
  // A record size running past the end of the file.
  Bytes e2 = EmfBuilder(40, 40).finish();
  set32(e2, 88 + 4, 0x7FFFFFF0u);
  EXPECT_EQ(errorNumberOf(e2), kErrInvalidPicture);
}

TEST(MetafileSafety, HugePicturesAreScaledIntoTheCanvasLimit) {
  int w = 0, h = 0;
  double scale = 0;
  metafile::fitPictureSize(32767.0 * 96, 32767.0 * 96, w, h, scale);  // 32767 inches a side
  EXPECT_TRUE(Surface::sizeAllowed(w, h));
  EXPECT_EQ(w, 16384);
  EXPECT_EQ(h, 16384);
  metafile::fitPictureSize(100000, 10, w, h, scale);  // a long strip keeps its shape
  EXPECT_EQ(w, Surface::kMaxSide);
  EXPECT_EQ(h, 3);
  EXPECT_EQ(errorNumberOf(WmfBuilder(0, 0, 96).finish()), kErrInvalidPicture);  // empty box
}

TEST(MetafileSafety, ShapesFarOutsideThePictureAreClippedQuickly) {
  const Picture p = play(WmfBuilder(100, 50).solidBrush(kRed).select(0)
                             .record(0x041B, {32767, 32767, -32768, -32768})
                             .record(0x0418, {32767, 32767, -32768, -32768})
                             .finish());
  EXPECT_EQ(at(p, 0, 0), kRed);
  EXPECT_EQ(at(p, 99, 49), kRed);
}


// ---- clipping -----------------------------------------------------------------

// A WMF of 100 x 50 pixels with a red brush (object 0) and a null pen (object 1) selected.
WmfBuilder clipWmf() {
  WmfBuilder b(100, 50);
  b.solidBrush(kRed).select(0).pen(5, 0, 0).select(1);
  return b;
}
// Records of 16-bit words for a rectangle l, t, r, b as the clip and fill records want it.
std::vector<int> box(int l, int t, int r, int b) { return {b, r, t, l}; }

TEST(MetafileClip, WmfIntersectClipCutsFillsLinesAndPixelsAtItsExactEdges) {
  const Picture p = play(clipWmf()
                             .record(0x0416, box(30, 0, 60, 50))
                             .record(0x041B, box(0, 0, 100, 50))            // fill everything
                             .pen(0, 1, kBlue).select(2)
                             .record(0x0214, {45, 0}).record(0x0213, {45, 99})  // a line across at y 45
                             .record(0x041F, {int(kGreen & 0xFFFF), 0, 48, 5})   // pixels at (5, 48) and (40, 48)
                             .record(0x041F, {int(kGreen & 0xFFFF), 0, 48, 40})
                             .finish());
  EXPECT_EQ(at(p, 29, 20), kNoColor);
  EXPECT_EQ(at(p, 30, 20), kRed);
  EXPECT_EQ(at(p, 59, 20), kRed);
  EXPECT_EQ(at(p, 60, 20), kNoColor);
  EXPECT_EQ(at(p, 10, 45), kNoColor);
  EXPECT_EQ(at(p, 40, 45), kBlue);
  EXPECT_EQ(at(p, 70, 45), kNoColor);
  EXPECT_EQ(at(p, 5, 48), kNoColor);
  EXPECT_EQ(at(p, 40, 48), kGreen);
}

TEST(MetafileClip, WmfExcludeClipMakesAHoleThroughTheMapping) {
  // Logical units are tenths of a pixel: the hole 400..600 x 200..300 is pixels 40..59 x 20..29.
  const Picture p = play(clipWmf()
                             .record(0x020B, {0, 0}).record(0x020C, {500, 1000})
                             .record(0x0415, box(400, 200, 600, 300))
                             .record(0x041B, box(0, 0, 1000, 500))
                             .finish());
  EXPECT_EQ(at(p, 50, 25), kNoColor);
  EXPECT_EQ(at(p, 40, 20), kNoColor);
  EXPECT_EQ(at(p, 59, 29), kNoColor);
  EXPECT_EQ(at(p, 39, 25), kRed);
  EXPECT_EQ(at(p, 60, 25), kRed);
  EXPECT_EQ(at(p, 50, 30), kRed);
}

TEST(MetafileClip, SaveAndRestoreBringBackTheClip) {
  const Picture p = play(clipWmf()
                             .record(0x0416, box(0, 0, 50, 50))   // outer clip: the left half
                             .record(0x001E, {})                  // save
                             .record(0x0416, box(0, 0, 10, 10))   // inner clip
                             .record(0x041B, box(0, 0, 100, 50))
                             .record(0x0127, {0xFFFF})            // restore -1: the left half again
                             .solidBrush(kBlue).select(2)
                             .record(0x041B, box(0, 20, 100, 50))
                             .finish());
  EXPECT_EQ(at(p, 5, 5), kRed);
  EXPECT_EQ(at(p, 20, 5), kNoColor);  // red stayed inside the inner clip
  EXPECT_EQ(at(p, 40, 30), kBlue);    // blue reaches past the inner clip...
  EXPECT_EQ(at(p, 60, 30), kNoColor); // ...but not past the restored outer one
}

// A region object of scans (top, bottom, then left/right pairs).
std::vector<int> regionWords(const std::vector<std::vector<int>>& scans) {
  std::vector<int> w{0, 6, 0, 0, 0, int(scans.size()), 0, 0, 0, 0, 0};
  for (const auto& scan : scans) {
    const int count = int(scan.size()) - 2;
    w.push_back(count);
    w.insert(w.end(), scan.begin(), scan.end());
    w.push_back(count);
  }
  return w;
}

TEST(MetafileClip, WmfSelectedRegionsClipAndMoveWithTheOffset) {
  const Picture p = play(clipWmf()
                             .record(0x06FF, regionWords({{10, 20, 10, 30, 40, 50}}))  // object 2: two boxes
                             .record(0x012C, {2})
                             .record(0x041B, box(0, 0, 100, 50))
                             .record(0x0220, {20, 50})  // offset x 50, y 20: now 60..80 and 90..100, rows 30..39
                             .solidBrush(kBlue).select(3)
                             .record(0x041B, box(0, 0, 100, 50))
                             .finish());
  EXPECT_EQ(at(p, 20, 15), kRed);
  EXPECT_EQ(at(p, 45, 15), kRed);
  EXPECT_EQ(at(p, 35, 15), kNoColor);
  EXPECT_EQ(at(p, 20, 25), kNoColor);
  EXPECT_EQ(at(p, 70, 35), kBlue);
  EXPECT_EQ(at(p, 95, 35), kBlue);
  EXPECT_EQ(at(p, 85, 35), kNoColor);
  EXPECT_EQ(at(p, 70, 25), kNoColor);

  // Selecting 0 removes the clip; a damaged region selects nothing.
  std::vector<int> damaged = regionWords({{10, 20, 10, 30}});
  damaged[5] = 40;  // forty scans claimed, one present
  const Picture q = play(clipWmf()
                             .record(0x0416, box(0, 0, 10, 10))
                             .record(0x012C, {0})
                             .record(0x06FF, damaged)
                             .record(0x012C, {2})
                             .record(0x041B, box(0, 0, 100, 50))
                             .finish());
  EXPECT_EQ(at(q, 50, 40), kRed);
}

// EMF: a region of rectangles in device units, as the data of EXTSELECTCLIPRGN.
Bytes regionRecordParams(int mode, const std::vector<std::array<int, 4>>& rects, bool withData = true) {
  Bytes p;
  put32(p, withData ? 32 + 16 * std::int64_t(rects.size()) : 0);
  put32(p, mode);
  if (!withData) return p;
  put32(p, 32), put32(p, 1), put32(p, std::int64_t(rects.size())), put32(p, 16 * std::int64_t(rects.size()));
  for (int k = 0; k < 4; ++k) put32(p, 0);
  for (const auto& r : rects)
    for (int v : r) put32(p, v);
  return p;
}

EmfBuilder clipEmf() {
  EmfBuilder b(100, 100);
  b.record(37, {0x80000004}).record(37, {0x80000008});  // black brush, null pen
  return b;
}

TEST(MetafileClip, EmfRegionSelectCopiesCombinesAndResets) {
  const Picture p = play(clipEmf()
                             .rawRecord(75, regionRecordParams(5, {{0, 0, 50, 50}, {60, 0, 80, 50}}))
                             .rawRecord(75, regionRecordParams(4, {{10, 10, 20, 20}}))  // a hole
                             .rawRecord(75, regionRecordParams(3, {{40, 40, 70, 60}}))  // xor
                             .record(43, {0, 0, 100, 100})
                             .finish());
  EXPECT_EQ(at(p, 5, 5), kBlack);
  EXPECT_EQ(at(p, 15, 15), kNoColor);  // the hole
  EXPECT_EQ(at(p, 55, 20), kNoColor);  // between the two rectangles
  EXPECT_EQ(at(p, 70, 20), kBlack);
  EXPECT_EQ(at(p, 45, 45), kNoColor);  // xor took it out
  EXPECT_EQ(at(p, 55, 45), kBlack);    // xor put it in
  EXPECT_EQ(at(p, 55, 55), kBlack);
  EXPECT_EQ(at(p, 90, 90), kNoColor);

  // Copy without data, and copy of an empty region, both remove the clip.
  for (const Bytes& reset : {regionRecordParams(5, {}, false), regionRecordParams(5, {})}) {
    const Picture q = play(clipEmf()
                               .rawRecord(75, regionRecordParams(5, {{0, 0, 10, 10}}))
                               .rawRecord(75, reset)
                               .record(43, {0, 0, 100, 100})
                               .finish());
    EXPECT_EQ(at(q, 90, 90), kBlack);
  }
}

TEST(MetafileClip, EmfClipRectanglesAndOffsetsAreLogical) {
  // Ten logical units a pixel.
  const Picture p = play(clipEmf()
                             .record(17, {8}).record(9, {1000, 1000}).record(11, {100, 100})
                             .record(30, {100, 100, 300, 300})  // pixels 10..29
                             .record(26, {200, 0})              // 20 pixels right: 30..49
                             .record(29, {350, 150, 400, 200})  // exclude 35..39 x 15..19
                             .record(43, {0, 0, 1000, 1000})
                             .finish());
  EXPECT_EQ(at(p, 15, 15), kNoColor);
  EXPECT_EQ(at(p, 30, 10), kBlack);
  EXPECT_EQ(at(p, 49, 29), kBlack);
  EXPECT_EQ(at(p, 50, 20), kNoColor);
  EXPECT_EQ(at(p, 37, 17), kNoColor);
  EXPECT_EQ(at(p, 37, 22), kBlack);
}

TEST(MetafileClip, EmfClipPathCutsToTheFilledShape) {
  const Picture p = play(clipEmf()
                             .record(59, {})
                             .polygon16(86, {{0, 0}, {100, 0}, {0, 100}})  // the upper left triangle
                             .record(60, {})
                             .record(67, {5})
                             .record(43, {0, 0, 100, 100})
                             .finish());
  EXPECT_EQ(at(p, 10, 10), kBlack);
  EXPECT_EQ(at(p, 90, 90), kNoColor);
  EXPECT_EQ(at(p, 60, 30), kBlack);
  EXPECT_EQ(at(p, 30, 80), kNoColor);
}

TEST(MetafileClip, BitmapsAndTextHonourTheClip) {
  Bytes text;
  for (int k = 0; k < 7; ++k) put32(text, 0);  // bounds, mode, scales
  put32(text, 5), put32(text, 5), put32(text, 2), put32(text, 76), put32(text, 0);  // at, count, offset, options
  for (int k = 0; k < 5; ++k) put32(text, 0);  // rectangle, spacing
  put16(text, 'H'), put16(text, 'i');
  std::vector<MetafileTextRun> runs;
  const Picture p = play(EmfBuilder(48, 48)
                             .record(30, {10, 0, 50, 50})
                             .rawRecord(81, stretchDibits(0, 0, 40))
                             .rawRecord(84, text)
                             .finish(),
                         [&](Surface&, const MetafileTextRun& run) { runs.push_back(run); });
  EXPECT_EQ(at(p, 5, 5), kNoColor);   // red quarter, cut off
  EXPECT_EQ(at(p, 12, 5), kRed);
  EXPECT_EQ(at(p, 30, 30), kGreen);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_TRUE(runs[0].clip);
  EXPECT_EQ(*runs[0].clip, (SpanClip{Rect{10, 0, 50, 50}}));

  // Clipped away entirely: the painter is not even asked.
  runs.clear();
  play(EmfBuilder(48, 48).record(30, {10, 10, 10, 40}).rawRecord(84, text).finish(),
       [&](Surface&, const MetafileTextRun& run) { runs.push_back(run); });
  EXPECT_TRUE(runs.empty());
}

TEST(MetafileSafety, HostileClipRecordsNeverCrashNorGrowWithoutBound) {
  // Degenerate, inverted and far-away rectangles.
  const Picture inverted = play(clipWmf().record(0x0416, box(60, 50, 30, 0)).record(0x041B, box(0, 0, 100, 50)).finish());
  EXPECT_EQ(at(inverted, 45, 25), kRed);
  EXPECT_EQ(at(inverted, 20, 25), kNoColor);
  const Picture degenerate = play(clipWmf().record(0x0416, box(30, 0, 30, 50)).record(0x041B, box(0, 0, 100, 50)).finish());
  EXPECT_EQ(at(degenerate, 30, 25), kNoColor);
  const Picture farAway = play(clipWmf()
                                   .record(0x0415, box(-32768, -32768, -30000, -30000))
                                   .record(0x0220, {32767, 32767})
                                   .record(0x0220, {32767, 32767})
                                   .record(0x041B, box(0, 0, 100, 50))
                                   .finish());
  EXPECT_EQ(at(farAway, 50, 25), kRed);

  // A region whose count runs past its data, and one with more rectangles than we keep: both left out.
  Bytes lying = regionRecordParams(5, {{0, 0, 10, 10}});
  set32(lying, 8 + 8, 1000);
  std::vector<std::array<int, 4>> many;
  for (int k = 0; k < 70000; ++k) many.push_back({k % 100, k / 100, k % 100 + 1, k / 100 + 1});
  const Picture p = play(clipEmf().rawRecord(75, lying).rawRecord(75, regionRecordParams(5, many))
                             .record(43, {0, 0, 100, 100}).finish());
  EXPECT_EQ(at(p, 50, 50), kBlack);

  // A comb of 1-pixel excluded columns, then many fills: done within the work budget.
  EmfBuilder comb = clipEmf();
  for (int x = 0; x < 100; x += 2) comb.record(29, {x, 0, x + 1, 100});
  for (int k = 0; k < 200; ++k) comb.record(43, {0, 0, 100, 100});
  const Picture q = play(comb.finish());
  EXPECT_EQ(at(q, 0, 50), kNoColor);
  EXPECT_EQ(at(q, 1, 50), kBlack);
}

// A 24-bit DIB header claiming width x claimedRows, followed by the given bits.
Bytes dibClaiming(int width, int claimedRows, const Bytes& bits) {
  Bytes d;
  put32(d, 40), put32(d, width), put32(d, claimedRows), put16(d, 1), put16(d, 24);
  for (int k = 0; k < 6; ++k) put32(d, 0);
  d.insert(d.end(), bits.begin(), bits.end());
  return d;
}

// CREATEDIBPATTERNBRUSHPT into slot 1, selected, then a filled rectangle.
Bytes emfPatternFill(const Bytes& dib) {
  Bytes params;
  put32(params, 1), put32(params, 0), put32(params, 32), put32(params, 40), put32(params, 72),
      put32(params, std::int64_t(dib.size()) - 40);
  params.insert(params.end(), dib.begin(), dib.end());
  return EmfBuilder(40, 40).rawRecord(94, params).record(37, {1}).record(43, {5, 5, 35, 35}).finish();
}

const Bytes kRedRow{0, 0, 0xFF, 0, 0, 0xFF, 0, 0};  // two red pixels and padding

TEST(MetafileSafety, BitmapsWhoseBitsCannotCoverTheirRowsAreSkipped) {
  // The second record's header claims 16384 rows over the same 16 bytes of bits.
  Bytes shortBits = stretchDibits(30, 30, 10);
  set32(shortBits, 72 + 8, 16384);
  const Picture emf = play(EmfBuilder(50, 50).rawRecord(81, stretchDibits(0, 0, 20)).rawRecord(81, shortBits).finish());
  EXPECT_EQ(at(emf, 2, 2), kRed);
  EXPECT_EQ(at(emf, 35, 35), kNoColor);

  Bytes params;
  put32(params, 0x00CC0020);
  put16(params, 2), put16(params, 2), put16(params, 0), put16(params, 0);
  put16(params, 40), put16(params, 40), put16(params, 5), put16(params, 5);
  // Top-down, so the one row present would be the one drawn.
  const Bytes d = dibClaiming(2, -16384, kRedRow);
  params.insert(params.end(), d.begin(), d.end());
  const Picture wmf = play(WmfBuilder(100, 50).rawRecord(0x0B41, params).finish());
  EXPECT_EQ(at(wmf, 10, 10), kNoColor);
}

TEST(MetafilePlayback, PatternBrushColourIsTheMeanOfThePixelsPresent) {
  // All four of red, white, blue and green.
  EXPECT_EQ(at(play(emfPatternFill(dib2x2())), 20, 20), 0x007F7F7Fu);
  // A header claiming 16384 rows with one row of red present: red, not the
  // missing rows counted as black.
  EXPECT_EQ(at(play(emfPatternFill(dibClaiming(2, 16384, kRedRow))), 20, 20), kRed);
  // No whole row present: the grey of an unreadable pattern.
  EXPECT_EQ(at(play(emfPatternFill(dibClaiming(2, 16384, Bytes{0, 0, 0xFF}))), 20, 20), 0x00808080u);

  Bytes params;
  put16(params, 0), put16(params, 0);  // style, usage
  const Bytes d = dibClaiming(2, 16384, kRedRow);
  params.insert(params.end(), d.begin(), d.end());
  const Picture wmf = play(WmfBuilder(100, 50).rawRecord(0x0142, params).select(0).record(0x041B, {40, 50, 10, 10}).finish());
  EXPECT_EQ(at(wmf, 30, 30), kRed);
}

}  // namespace
}  // namespace pictavo
