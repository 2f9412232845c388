// Layers, AutoRedraw, Refresh and change tracking, pixels, Cls, resizing.
#include "base/Errors.h"
#include "canvas/Surface.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <utility>

namespace pictavo {
using namespace test;

TEST(SurfaceStorage, PixelReadsOutsideGiveNoColourAndWritesAreIgnored) {
  Surface s(3, 2, kWhite);
  EXPECT_EQ(s.GetPixel(-1, 0), kNoColor);
  EXPECT_EQ(s.GetPixel(3, 0), kNoColor);
  EXPECT_EQ(s.GetPixel(0, 2), kNoColor);
  s.SetPixel(-1, 0, kBlack);
  s.SetPixel(3, 1, kBlack);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"...", "..."}));
  s.SetPixel(2, 1, 0x00123456u);
  EXPECT_EQ(s.GetPixel(2, 1), 0x00123456u);
}

TEST(SurfaceStorage, PointRoundsHalfToEven) {
  Surface s(4, 1, kWhite);
  s.SetPixel(2, 0, kBlack);
  EXPECT_EQ(s.Point(2.5, 0), kBlack);    // 2.5 -> 2
  EXPECT_EQ(s.Point(1.5, 0), kBlack);    // 1.5 -> 2
  EXPECT_EQ(s.Point(3.5, 0), kNoColor);  // 3.5 -> 4, outside
  EXPECT_EQ(s.Point(0.5, 0), kWhite);    // 0.5 -> 0
}

TEST(SurfaceStorage, DrawingWithAutoRedrawOffIsLostAtRefresh) {
  Surface s(4, 3, kWhite);
  s.SetPixel(0, 0, kBlack);  // persistent
  s.SetAutoRedraw(false);
  s.SetPixel(3, 2, kBlack);  // visible only
  EXPECT_EQ(visibleRowsOf(s), (std::vector<std::string>{"#...", "....", "...#"}));
  s.SetAutoRedraw(true);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"#...", "....", "...."}));
  s.Refresh();
  EXPECT_EQ(visibleRowsOf(s), (std::vector<std::string>{"#...", "....", "...."}));
}

TEST(SurfaceStorage, PersistentDrawingShowsOnTheVisibleLayerAtOnce) {
  Surface s(3, 1, kWhite);
  s.SetAutoRedraw(false);
  s.SetAutoRedraw(true);
  s.SetPixel(1, 0, kBlack);
  EXPECT_EQ(visibleRowsOf(s), (std::vector<std::string>{".#."}));
}

TEST(SurfaceStorage, ListenerHearsOnlyTheChangedRectangles) {
  Surface s(100, 100, kWhite);
  std::vector<Rect> heard;
  s.setChangeListener([&](const Rect& r) { heard.push_back(r); });
  s.SetAutoRedraw(false);
  s.SetPixel(10, 20, kBlack);
  s.SetPixel(200, 20, kBlack);  // outside: nothing
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], (Rect{10, 20, 11, 21}));
  heard.clear();
  s.Refresh();
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], (Rect{10, 20, 11, 21}));
  heard.clear();
  s.Refresh();  // nothing left to show
  EXPECT_TRUE(heard.empty());
}

TEST(SurfaceStorage, ClsClearsTheDrawingLayerToBackColor) {
  Surface s(2, 2, kBlack);
  s.SetAutoRedraw(false);
  s.Cls();
  s.SetAutoRedraw(true);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"##", "##"}));  // persistent untouched
  s.SetBackColor(kWhite);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"..", ".."}));
}

TEST(SurfaceStorage, ResizeKeepsWhatRemainsAndFillsNewPixelsWithBackColor) {
  Surface s = surfaceFromRows({"#.", ".#"});
  s.SetBackColor(kWhite);  // clears
  s.SetPixel(0, 0, kBlack);
  s.SetPixel(1, 1, kBlack);
  s.Resize(3, 1);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"#.."}));
  s.Resize(1, 3);
  EXPECT_EQ(rowsOf(s), (std::vector<std::string>{"#", ".", "."}));
}

TEST(SurfaceStorage, RefusesImpossibleSizesAndStaysUnchanged) {
  EXPECT_THROW(Surface(0, 10), Error);
  EXPECT_THROW(Surface(32768, 1), Error);
  EXPECT_THROW(Surface(20000, 20000), Error);  // above 16384 * 16384 pixels
  Surface s(2, 2, kWhite);
  try {
    s.Resize(-1, 5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrOutOfMemory);
  }
  EXPECT_EQ(s.Width(), 2);
  EXPECT_TRUE(Surface::sizeAllowed(32767, 1));
  EXPECT_TRUE(Surface::sizeAllowed(16384, 16384));
  EXPECT_FALSE(Surface::sizeAllowed(16385, 16384));
}

TEST(SurfaceStorage, HiddenBuffersAreMagentaAndAlwaysPersistent) {
  Surface b = Surface::hiddenBuffer(2, 1);
  EXPECT_EQ(b.GetPixel(0, 0), kMagenta);
  b.SetAutoRedraw(false);
  EXPECT_TRUE(b.AutoRedraw());
  b.SetPixel(1, 0, kBlack);
  b.Refresh();
  EXPECT_EQ(b.GetPixel(1, 0), kBlack);
}

TEST(SurfaceStorage, PictureTakesItsSizeAndTransparentPixelsShowBackColor) {
  Surface s(5, 5, kBlack);
  Picture p(2, 1);
  p.at(0, 0) = 0xFF0000FFu;  // opaque blue
  p.at(1, 0) = 0x00123456u;  // transparent
  s.SetPicture(p);
  EXPECT_EQ(s.Width(), 2);
  EXPECT_EQ(s.Height(), 1);
  EXPECT_EQ(s.GetPixel(0, 0), 0x00FF0000u);
  EXPECT_EQ(s.GetPixel(1, 0), kBlack);
}

// A picture whose words do not match its size (more words than 2 x 2 here)
// used to be copied past the end of the surface's buffer.
TEST(SurfaceStorage, APictureWhoseWordsDoNotFitItsSizeIsRefusedUntouched) {
  for (const bool taken : {false, true}) {
    Surface s(3, 3, kBlack);
    Picture p(2, 2);
    p.pixels.resize(100, 0xFFFFFFFFu);
    try {
      if (taken)
        s.SetPicture(std::move(p));
      else
        s.SetPicture(p);
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrInvalidPicture);
    }
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.GetPixel(2, 2), kBlack);
  }
}

TEST(SurfaceStorage, TakenPictureKeepsItsMemoryAndShowsBackColorThroughItsHoles) {
  Surface s(5, 5, kBlack);
  s.SetAutoRedraw(false);  // a visible layer must follow the new picture too
  Picture p(3, 1);
  p.at(0, 0) = 0xFF0000FFu;  // opaque blue
  p.at(1, 0) = 0x00123456u;  // transparent
  p.at(2, 0) = 0x80FFFFFFu;  // half-transparent white over black
  const std::uint32_t* memory = p.pixels.data();
  s.SetPicture(std::move(p));
  EXPECT_TRUE(p.pixels.empty());
  EXPECT_EQ(s.bits(Surface::Layer::Persistent), memory);
  EXPECT_EQ(s.Width(), 3);
  EXPECT_EQ(s.Height(), 1);
  EXPECT_EQ(s.GetPixel(0, 0), 0x00FF0000u);
  EXPECT_EQ(s.GetPixel(1, 0), kBlack);
  EXPECT_EQ(s.GetPixel(2, 0), 0x00808080u);
  s.SetAutoRedraw(true);
  EXPECT_EQ(s.GetPixel(2, 0), 0x00808080u);
}

}  // namespace pictavo

namespace pictavo {
using namespace test;

TEST(SurfaceStorage, PersistentDrawingReachesTheVisibleLayerWhenShownOrRead) {
  Surface s(4, 1, kWhite);
  s.SetAutoRedraw(false);
  s.SetAutoRedraw(true);  // the visible layer now exists
  s.SetPixel(0, 0, kBlack);
  s.SetPixel(3, 0, kBlack);
  // Showing only the left half copies only that half...
  const std::uint32_t* shown = s.visibleBits(Rect{0, 0, 2, 1});
  EXPECT_EQ(colorFromPixel(shown[0]), kBlack);
  EXPECT_EQ(colorFromPixel(shown[3]), kWhite);
  // ...and anything that reads or draws on the visible layer sees it all.
  EXPECT_EQ(visibleRowsOf(s), (std::vector<std::string>{"#..#"}));
}

TEST(SurfaceStorage, PreviewsSurvivePaintingButNotRefresh) {
  Surface s(3, 1, kWhite);
  s.SetAutoRedraw(false);
  s.SetPixel(1, 0, kBlack);  // a preview on the visible layer
  s.visibleBits(Rect{0, 0, 3, 1});
  EXPECT_EQ(visibleRowsOf(s), (std::vector<std::string>{".#."}));
  s.SetAutoRedraw(true);
  s.SetPixel(2, 0, kBlack);  // persistent drawing elsewhere
  s.Refresh();
  EXPECT_EQ(visibleRowsOf(s), (std::vector<std::string>{"..#"}));
}

}  // namespace pictavo
