// The undo history over a surface: tile steps, whole-picture steps with
// their size, redo, steps that change nothing, and the limits.
#include "canvas/UndoHistory.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace pictavo {
using namespace test;

namespace {

constexpr Color kRed = composeColor(255, 0, 0);
constexpr Color kBlue = composeColor(0, 0, 255);

// Every pixel of the persistent image, for exact before/after comparisons.
std::vector<std::uint32_t> pixelsOf(const Surface& s) {
  const std::uint32_t* p = s.bits(Surface::Layer::Persistent);
  return {p, p + std::size_t(s.Width()) * std::size_t(s.Height())};
}

void paintGradient(Surface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) s.SetPixel(x, y, composeColor(x & 255, y & 255, (x + y) & 255));
}

}  // namespace

TEST(UndoHistory, GesturesUndoAndRedoInOrderAcrossTileEdges) {
  Surface s(200, 150, kWhite);
  paintGradient(s);
  UndoHistory h(s);
  const auto start = pixelsOf(s);
  s.ForeColor = kRed;
  s.DrawWidth = 5;
  s.Line(10, 10, 190, 140);  // crosses many tiles, including the short edge ones
  ASSERT_TRUE(h.commit());
  const auto afterLine = pixelsOf(s);
  s.SetPixel(199, 149, kBlue);  // the bottom-right edge tile
  ASSERT_TRUE(h.commit());
  const auto afterDot = pixelsOf(s);
  EXPECT_EQ(h.undoCount(), 2u);

  ASSERT_TRUE(h.undo());
  EXPECT_EQ(pixelsOf(s), afterLine);
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(pixelsOf(s), start);
  EXPECT_FALSE(h.undo());
  EXPECT_EQ(h.redoCount(), 2u);
  ASSERT_TRUE(h.redo());
  EXPECT_EQ(pixelsOf(s), afterLine);
  ASSERT_TRUE(h.redo());
  EXPECT_EQ(pixelsOf(s), afterDot);
  EXPECT_FALSE(h.redo());
  // Undo shows on the visible layer too.
  s.SetAutoRedraw(false);
  s.SetAutoRedraw(true);
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(visibleRowsOf(s), rowsOf(s));
}

TEST(UndoHistory, AStepKeepsOnlyTheTilesThatChanged) {
  Surface s(640, 640, kWhite);
  UndoHistory h(s);
  s.SetPixel(70, 70, kBlack);
  s.SetPixel(100, 100, kWhite);  // written, but equal to what was there
  s.SetPixel(300, 300, kWhite);
  ASSERT_TRUE(h.commit());
  EXPECT_EQ(h.bytesUsed(), std::size_t(UndoHistory::kTile * UndoHistory::kTile * 4));
}

TEST(UndoHistory, WritesThatChangeNoPixelMakeNoStep) {
  Surface s(100, 100, kWhite);
  UndoHistory h(s);
  EXPECT_FALSE(h.commit());  // nothing written
  s.ForeColor = kWhite;
  s.Line(0, 0, 99, 99);
  s.SetBackColor(kWhite);  // the whole picture written with what it held
  EXPECT_FALSE(h.commit());
  s.SetAutoRedraw(false);
  s.ForeColor = kBlack;
  s.Line(0, 0, 99, 99);  // a preview only
  s.Refresh();
  s.SetAutoRedraw(true);
  EXPECT_FALSE(h.commit());
  EXPECT_FALSE(h.canUndo());
}

TEST(UndoHistory, SizeChangesComeBackWithTheirPixels) {
  Surface s(120, 80, kWhite);
  paintGradient(s);
  UndoHistory h(s);
  const auto start = pixelsOf(s);
  s.Resize(50, 40);   // a grip drag: several sizes, one step
  s.Resize(300, 90);
  ASSERT_TRUE(h.commit());
  const auto grown = pixelsOf(s);
  s.SetBackColor(kBlue);  // a whole-picture command at the new size
  ASSERT_TRUE(h.commit());

  ASSERT_TRUE(h.undo());
  EXPECT_EQ(pixelsOf(s), grown);
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.Width(), 120);
  EXPECT_EQ(s.Height(), 80);
  EXPECT_EQ(pixelsOf(s), start);
  ASSERT_TRUE(h.redo());
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(pixelsOf(s), grown);
  // A drawing after undoing to the small size is recorded at that size.
  ASSERT_TRUE(h.undo());
  s.SetPixel(119, 79, kRed);
  ASSERT_TRUE(h.commit());
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(pixelsOf(s), start);
}

TEST(UndoHistory, ANewStepClearsTheRedoListAndUncommittedWorkIsNotLost) {
  Surface s(256, 256, kWhite);  // each dot changes one tile of 16
  UndoHistory h(s);
  s.SetPixel(1, 1, kBlack);
  h.commit();
  s.SetPixel(2, 2, kBlack);
  h.commit();
  h.undo();
  ASSERT_TRUE(h.canRedo());
  s.SetPixel(3, 3, kRed);
  ASSERT_TRUE(h.commit());
  EXPECT_FALSE(h.canRedo());
  EXPECT_EQ(h.undoCount(), 2u);
  // A change nobody committed becomes a step of its own before undoing.
  s.SetPixel(4, 4, kBlue);
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.GetPixel(4, 4), kWhite);
  EXPECT_EQ(s.GetPixel(3, 3), kRed);
  // The step drawn after an undo goes back to the undone picture, not to
  // the one before the undo.
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.GetPixel(3, 3), kWhite);
  EXPECT_EQ(s.GetPixel(2, 2), kWhite);
  EXPECT_EQ(s.GetPixel(1, 1), kBlack);
}

TEST(UndoHistory, ClearStartsOverFromThePictureShown) {
  Surface s(64, 64, kWhite);
  UndoHistory h(s);
  s.SetPixel(1, 1, kBlack);
  h.commit();
  s.Resize(10, 10);  // an Open of a smaller picture
  s.SetBackColor(kRed);
  h.clear();
  EXPECT_FALSE(h.canUndo());
  EXPECT_FALSE(h.canRedo());
  EXPECT_EQ(h.bytesUsed(), 0u);
  EXPECT_FALSE(h.commit());
}

TEST(UndoHistory, TheBudgetDropsTheOldestStepsFirst) {
  Surface s(128, 128, kWhite);
  const std::size_t tileBytes = UndoHistory::kTile * UndoHistory::kTile * 4;
  UndoHistory h(s, {100, 3 * tileBytes});
  for (int i = 0; i < 5; ++i) {
    s.SetPixel(i, 0, kBlack);  // always tile 0: one tile each
    ASSERT_TRUE(h.commit());
  }
  EXPECT_EQ(h.undoCount(), 3u);
  EXPECT_LE(h.bytesUsed(), 3 * tileBytes);
  while (h.undo()) {
  }
  // The two oldest dots could not be taken back.
  EXPECT_EQ(rowsOf(s)[0].substr(0, 6), "##....");

  // One step larger than the whole budget empties the history.
  h.redo();
  s.SetBackColor(kRed);  // 4 tiles
  EXPECT_FALSE(h.commit());
  EXPECT_FALSE(h.canUndo());
  EXPECT_FALSE(h.canRedo());
  s.SetPixel(0, 0, kBlack);  // the big change is the base of the next step
  ASSERT_TRUE(h.commit());
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.GetPixel(0, 0), kRed);
}

// Undoing a size increase puts the larger picture in the redo list: the
// history must still fit its budget afterwards, dropping the oldest steps.
TEST(UndoHistory, UndoingAGrowthStaysWithinTheBudget) {
  Surface s(64, 64, kWhite);
  const std::size_t small = 64 * 64 * 4, large = 128 * 128 * 4;
  UndoHistory h(s, {100, large + small});
  s.SetPixel(0, 0, kBlack);
  ASSERT_TRUE(h.commit());  // one tile: 16 KiB
  s.SetPixel(1, 0, kBlack);
  ASSERT_TRUE(h.commit());
  s.Resize(128, 128);
  ASSERT_TRUE(h.commit());  // keeps the 64 x 64 picture
  EXPECT_LE(h.bytesUsed(), large + small);
  ASSERT_TRUE(h.undo());  // now the redo step holds the 128 x 128 picture
  EXPECT_LE(h.bytesUsed(), large + small);
  EXPECT_EQ(s.Width(), 64);
  ASSERT_TRUE(h.redo());
  EXPECT_EQ(s.Width(), 128);
  EXPECT_LE(h.bytesUsed(), large + small);
}

// The state number tells a picture back at a state from one that merely
// looks the same by accident of the step list: undo and redo return to the
// numbers the states had; a change, recorded or too large to keep, is new.
TEST(UndoHistory, StatesComeBackWithUndoAndRedo) {
  Surface s(64, 64, kWhite);
  UndoHistory h(s, {100, 64 * 64 * 4 * 2});
  const std::uint64_t opened = h.state();
  s.SetPixel(0, 0, kBlack);
  EXPECT_TRUE(h.pending());
  ASSERT_TRUE(h.commit());
  EXPECT_FALSE(h.pending());
  const std::uint64_t drawn = h.state();
  EXPECT_NE(drawn, opened);
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(h.state(), opened);
  ASSERT_TRUE(h.redo());
  EXPECT_EQ(h.state(), drawn);
  // Writes that change nothing keep the state.
  s.SetPixel(0, 0, kBlack);
  EXPECT_FALSE(h.commit());
  EXPECT_EQ(h.state(), drawn);
  // A change too large to keep (the 100 x 100 picture is over the budget)
  // is a new state all the same.
  s.Resize(100, 100);
  ASSERT_TRUE(h.commit());
  s.Resize(120, 120);
  EXPECT_FALSE(h.commit());
  EXPECT_NE(h.state(), drawn);
  EXPECT_NE(h.state(), opened);
  const std::uint64_t big = h.state();
  h.clear();
  EXPECT_NE(h.state(), big);
}

TEST(UndoHistory, AtMostTheStepLimitIsKept) {
  Surface s(8, 8, kWhite);
  UndoHistory h(s, {4, 1u << 20});
  for (int i = 0; i < 7; ++i) {
    s.SetPixel(i, 0, kBlack);
    h.commit();
  }
  EXPECT_EQ(h.undoCount(), 4u);
  EXPECT_EQ(UndoHistory::Limits{}.maxSteps, 100u);
  EXPECT_LE(UndoHistory::defaultBudget(), std::size_t(1) << 30);
  EXPECT_GT(UndoHistory::defaultBudget(), 0u);
}

// The history keeps only what a write is about to lose: nothing for a
// picture that is looked at, the tiles under a stroke, and for a whole-picture
// change the old buffer itself, which undo swaps back without a copy.
TEST(UndoHistory, KeepsOnlyWhatAWriteIsAboutToLose) {
  Surface s(1000, 800, kWhite);
  paintGradient(s);
  UndoHistory h(s);
  const auto start = pixelsOf(s);
  EXPECT_FALSE(h.commit());
  EXPECT_EQ(h.bytesUsed(), 0u);

  s.ForeColor = kRed;
  s.Line(10, 10, 100, 10);  // two tiles
  EXPECT_TRUE(h.pending());
  ASSERT_TRUE(h.commit());
  EXPECT_LE(h.bytesUsed(), 4u * 64 * 64 * sizeof(std::uint32_t));
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(pixelsOf(s), start);

  h.clear();
  const std::uint32_t* before = s.bits(Surface::Layer::Persistent);
  s.Resize(120, 90);
  ASSERT_TRUE(h.commit());
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.bits(Surface::Layer::Persistent), before);
  EXPECT_EQ(pixelsOf(s), start);

  h.clear();
  s.SetBackColor(kBlue);
  ASSERT_TRUE(h.commit());
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.bits(Surface::Layer::Persistent), before);
  EXPECT_EQ(pixelsOf(s), start);
}

// Strokes, then a new size, then more strokes, all in one step: undo brings
// back the picture of the last commit, not one with the strokes in it.
TEST(UndoHistory, TilesWrittenBeforeANewSizeGoBackIntoTheOldPicture) {
  Surface s(300, 200, kWhite);
  paintGradient(s);
  UndoHistory h(s);
  const auto start = pixelsOf(s);
  s.ForeColor = kRed;
  s.Line(0, 0, 299, 199);
  s.Resize(400, 250);
  s.Line(0, 199, 399, 0);
  ASSERT_TRUE(h.commit());
  const auto after = pixelsOf(s);
  ASSERT_TRUE(h.undo());
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(pixelsOf(s), start);
  ASSERT_TRUE(h.redo());
  EXPECT_EQ(pixelsOf(s), after);
}

}  // namespace pictavo

namespace pictavo {
using namespace test;

// Every kind of write the engine has, each its own step: each announces
// where it writes before it writes, so undoing them all brings back the
// picture exactly and redoing them all the drawing.
TEST(UndoHistory, EveryKindOfWriteIsKeptBeforeItHappens) {
  Surface s(333, 222, kWhite);
  paintGradient(s);
  UndoHistory h(s);
  Surface other(90, 70, kBlue);
  other.Line(0, 0, 89, 69, kRed);
  Picture pattern(3, 2, 0xFF00FF00u);
  pattern.at(1, 1) = 0xFF0000FFu;
  const auto start = pixelsOf(s);
  std::vector<std::vector<std::uint32_t>> states;

  const std::vector<std::function<void()>> writes = {
      [&] { s.SetPixel(70, 65, kRed); },
      [&] { s.PSet(100, 100, kBlue); },
      [&] {
        s.DrawWidth = 7;
        s.Line(5, 200, 320, 20, kRed);
        s.DrawWidth = 1;
      },
      [&] { s.Line(10, 10, 200, 150, kBlue, LineKind::FilledBox); },
      [&] {
        s.FillStyle = kFillSolid;
        s.FillColor = kRed;
        s.Circle(250, 120, 60);
        s.Ellipse(20, 130, 140, 215);
        s.RoundRect(150, 5, 320, 90);
      },
      [&] { s.ExtFloodFill(12, 12, s.GetPixel(12, 12)); },
      [&] {
        s.Line(0, 0, 332, 221, kBlack, LineKind::Box);
        s.FillColor = kWhite;
        s.ExtFloodFill(0, 221, s.GetPixel(0, 221));
      },
      [&] {
        const PatternBrush brush = s.CreatePatternBrush(pattern);
        s.SelectObject(brush);
        s.ExtFloodFill(1, 1, s.GetPixel(1, 1));
        s.DeleteObject(brush);
      },
      [&] { s.GradientFill(TriVertex{30, 40, 0xFF00, 0, 0, 0}, TriVertex{300, 160, 0, 0, 0xFF00, 0}, kGradientVertical); },
      [&] { s.BitBlt(200, 150, 90, 70, other, 0, 0); },
      [&] { s.BitBlt(10, 30, 150, 100, s, 40, 20); },
      [&] { s.StretchBlt(332, 0, -333, 222, s, 0, 0, 333, 222); },
      [&] { s.StretchBlt(5, 5, 180, 140, other, 0, 0, 90, 70); },
      [&] {
        s.SetStretchBltMode(kStretchHalftone);
        s.StretchBlt(100, 60, 45, 35, s, 0, 0, 90, 70);
        s.SetStretchBltMode(kStretchNearest);
      },
      [&] { s.TransparentBlt(150, 100, 90, 70, other, 0, 0, 90, 70, kBlue); },
      [&] { s.Cls(); },
  };
  for (const auto& write : writes) {
    write();
    ASSERT_TRUE(h.commit());
    states.push_back(pixelsOf(s));
  }
  for (std::size_t i = writes.size(); i-- > 0;) {
    ASSERT_TRUE(h.undo());
    EXPECT_EQ(pixelsOf(s), i == 0 ? start : states[i - 1]) << "undo of write " << i;
  }
  for (std::size_t i = 0; i < writes.size(); ++i) {
    ASSERT_TRUE(h.redo());
    EXPECT_EQ(pixelsOf(s), states[i]) << "redo of write " << i;
  }
}

// Drawing on the visible layer only (AutoRedraw off) is not a change of
// the picture: nothing is kept, no step is made.
TEST(UndoHistory, DrawingThatIsNotPersistentKeepsNothing) {
  Surface s(200, 200, kWhite);
  UndoHistory h(s);
  s.SetAutoRedraw(false);
  s.Line(0, 0, 199, 199, kRed, LineKind::FilledBox);
  s.ExtFloodFill(5, 5, kRed);
  EXPECT_FALSE(h.pending());
  EXPECT_FALSE(h.commit());
  EXPECT_EQ(h.bytesUsed(), 0u);
}

}  // namespace pictavo
