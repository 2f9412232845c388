// Selection and clipboard through the real tool engine with a fake window,
// for what the replay scripts cannot see or reach: the hole of a cut under a
// wide pen, refused buffer sizes, selections beyond the canvas, half-pixel
// pointers, the preview on the visible layer only, and the pending paste's
// life across tool changes and Copy/Cut.
#include "base/Errors.h"
#include "canvas/Clipboard.h"
#include "canvas/SelectTool.h"
#include "canvas/Surface.h"
#include "canvas/ToolEngine.h"
#include "canvas/ToolTestHost.h"

#include <gtest/gtest.h>

#include <map>

namespace pictavo {

namespace {

// Every pixel its own colour, none of them white: copies can be traced back.
Color tracer(int x, int y) { return composeColor(x, y, 100); }

// The tool tests' fake window with the copy buffer, the menu states and
// the paste hooks handed to the clipboard.
class ClipHost : public test::ToolTestHost {
 public:
  Surface buffer = Surface::hiddenBuffer();
  std::map<std::string, bool> enabled;
  std::string hint;
  bool transparent = false;
  Clipboard* clipboard = nullptr;

  ClipHost() {
    surface = Surface(130, 120, kWhite);
    c1 = kBlack;
    c2 = kWhite;
    for (int y = 0; y < surface.Height(); ++y)
      for (int x = 0; x < surface.Width(); ++x) surface.SetPixel(x, y, tracer(x, y));
  }
  void setMenuItemEnabled(const std::string& name, bool e) override { enabled[name] = e; }
  void showHint(const std::string& text) override {
    hint = text;
    ToolTestHost::showHint(text);
  }
  void cut() override { clipboard->cut(); }
  void previewPaste(float x, float y) override { clipboard->previewPaste(x, y); }
  void commitPaste(float x, float y) override { clipboard->commitPaste(x, y); }
  Surface* copyBuffer() override { return &buffer; }
  bool transparentPaste() const override { return transparent; }
};

PointerEvent at(float x, float y) { return PointerEvent{kLeftButton, 0, x, y}; }

struct ClipboardTest : ::testing::Test {
  ClipHost host;
  ToolEngine engine{host};
  Clipboard clipboard{host, engine.state()};

  ClipboardTest() { host.clipboard = &clipboard; }

  void drag(float x1, float y1, float x2, float y2) {
    engine.mouseDown(at(x1, y1));
    engine.mouseMove(at((x1 + x2) / 2, (y1 + y2) / 2));
    engine.mouseMove(at(x2, y2));
    engine.mouseUp(at(x2, y2));
  }
  void select(float x1, float y1, float x2, float y2) {
    engine.chooseTool(kSelectTool);
    drag(x1, y1, x2, y2);
  }
  // Fills the canvas with one colour, keeping the buffer.
  void paintCanvas(Color c) {
    for (int y = 0; y < host.surface.Height(); ++y)
      for (int x = 0; x < host.surface.Width(); ++x) host.surface.SetPixel(x, y, c);
  }
  // The pixels of the picture (the persistent image) that differ from c,
  // as a rectangle.
  Rect changedFrom(Color c) const {
    const Surface& s = host.surface;
    const std::uint32_t* bits = s.bits(Surface::Layer::Persistent);
    Rect r{s.Width(), s.Height(), 0, 0};
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x)
        if (colorFromPixel(bits[y * s.stride() + x]) != c) r = Rect{std::min(r.left, x), std::min(r.top, y),
                                                       std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    return r;
  }
};

}  // namespace

// ---- the select tool --------------------------------------------------------

TEST_F(ClipboardTest, ADragInAnyDirectionGivesANormalisedRectangle) {
  select(40, 30, 10, 50);
  EXPECT_EQ(host.select, (OutlineShape{10, 30, 30, 20, true}));
  EXPECT_TRUE(host.enabled["mnuCopy"]);
  EXPECT_TRUE(host.enabled["mnuCut"]);
  EXPECT_FALSE(host.hintVisible);  // shown while moving, hidden at the release

  // A new press hides the selection but keeps its geometry; a click without
  // a drag leaves none and disables both items.
  engine.mouseDown(at(5, 5));
  EXPECT_EQ(host.select, (OutlineShape{10, 30, 30, 20, false}));
  engine.mouseUp(at(5, 5));
  EXPECT_FALSE(host.enabled["mnuCopy"]);
  EXPECT_FALSE(host.enabled["mnuCut"]);
}

// ---- copy and cut ---------------------------------------------------------------

TEST_F(ClipboardTest, CutFillsExactlyTheCopiedPixelsWhateverTheLineWidth) {
  host.surface.DrawWidth = 9;
  select(40, 30, 10, 50);
  clipboard.cut();
  EXPECT_EQ(host.buffer.GetPixel(30, 20), tracer(40, 50));
  for (int y = 29; y <= 51; ++y) {
    for (int x = 9; x <= 41; ++x) {
      const bool inside = x >= 10 && x <= 40 && y >= 30 && y <= 50;
      ASSERT_EQ(host.surface.GetPixel(x, y), inside ? kWhite : tracer(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(host.surface.DrawWidth, 9);
  EXPECT_FALSE(host.select.visible);
}

TEST_F(ClipboardTest, CopyAndCutWithoutASelectionDoNothing) {
  clipboard.paste();
  clipboard.copy();
  clipboard.cut();
  EXPECT_TRUE(engine.state().pastePending);
  EXPECT_FALSE(clipboard.hasContent());
}

TEST_F(ClipboardTest, ASelectionTooLargeForABufferFailsCutButNotCopy) {
  select(0, 0, 40000, 10);
  const Surface::Layer layer = host.surface.drawLayer();
  EXPECT_THROW(clipboard.cut(), Error);
  // The canvas and the selection stay as they were.
  EXPECT_TRUE(host.select.visible);
  EXPECT_EQ(host.surface.GetPixel(5, 5), tracer(5, 5));
  EXPECT_EQ(host.surface.drawLayer(), layer);
  EXPECT_NO_THROW(clipboard.copy());
  EXPECT_FALSE(host.select.visible);
  EXPECT_FALSE(clipboard.hasContent());
}

TEST_F(ClipboardTest, PartsOfASelectionBeyondTheCanvasAreMagentaNotAnOlderCopy) {
  select(0, 0, 20, 20);
  clipboard.copy();
  select(120, 110, 140, 130);
  clipboard.copy();
  EXPECT_EQ(host.buffer.GetPixel(9, 9), tracer(129, 119));
  EXPECT_EQ(host.buffer.GetPixel(10, 10), kMagenta);
  EXPECT_EQ(host.buffer.GetPixel(0, 20), kMagenta);
}

// What Crop keeps: the pixels Copy takes, both outline edges included,
// clipped to the canvas, empty when none of them lies on it.
TEST(ClipboardArea, IsTheCopiedPixelsOnTheCanvas) {
  const Surface canvas(130, 120);
  auto shape = [](float left, float top, float width, float height) {
    OutlineShape s;
    s.left = left, s.top = top, s.width = width, s.height = height, s.visible = true;
    return s;
  };
  EXPECT_EQ(Clipboard::areaOnCanvas(shape(10, 30, 30, 20), canvas), (Rect{10, 30, 41, 51}));
  EXPECT_EQ(Clipboard::areaOnCanvas(shape(2.5f, 3.5f, 0, 0), canvas), (Rect{2, 4, 3, 5}));  // halves to even
  EXPECT_EQ(Clipboard::areaOnCanvas(shape(-5, 100, 20, 40), canvas), (Rect{0, 100, 16, 120}));
  EXPECT_TRUE(Clipboard::areaOnCanvas(shape(130, 0, 5, 5), canvas).isEmpty());
  EXPECT_TRUE(Clipboard::areaOnCanvas(shape(-20, -20, 10, 10), canvas).isEmpty());
  // A corner far out with a huge extent does not wrap round into the canvas.
  EXPECT_TRUE(Clipboard::areaOnCanvas(shape(2.1e9f, 0, 2.1e9f, 10), canvas).isEmpty());
}

TEST_F(ClipboardTest, TheCopiedPictureIsWhatLayOnTheCanvasWithoutTheMargin) {
  select(120, 110, 140, 130);  // 21 x 21, of which 10 x 10 on the canvas
  EXPECT_TRUE(clipboard.copy());
  const Picture copied = clipboard.copiedPicture();
  ASSERT_EQ(copied.width, 10);
  ASSERT_EQ(copied.height, 10);
  EXPECT_EQ(copied.at(0, 0), 0xFF000000u | pixelFromColor(tracer(120, 110)));
  EXPECT_EQ(copied.at(9, 9), 0xFF000000u | pixelFromColor(tracer(129, 119)));
  // A selection that starts left of and above the canvas is cut the same way.
  select(-5, -3, 2, 1);
  EXPECT_TRUE(clipboard.cut());
  const Picture cut = clipboard.copiedPicture();
  ASSERT_EQ(cut.width, 3);
  ASSERT_EQ(cut.height, 2);
  EXPECT_EQ(cut.at(0, 0), 0xFF000000u | pixelFromColor(tracer(0, 0)));
  // Wholly beyond the canvas: nothing to hand on, the buffer all the same.
  select(200, 200, 210, 210);
  EXPECT_TRUE(clipboard.copy());
  EXPECT_TRUE(clipboard.copiedPicture().isNull());
  EXPECT_FALSE(clipboard.copy());  // no selection left
}

TEST_F(ClipboardTest, APictureFromElsewhereBecomesTheBufferOverWhite) {
  Picture picture(3, 1);
  picture.pixels = {0xFF102030u, 0x00123456u, 0x800000FFu};
  clipboard.takePicture(picture);
  ASSERT_EQ(host.buffer.Width(), 3);
  ASSERT_EQ(host.buffer.Height(), 1);
  EXPECT_EQ(host.buffer.GetPixel(0, 0), composeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(host.buffer.GetPixel(1, 0), kWhite);
  EXPECT_EQ(host.buffer.GetPixel(2, 0), composeColor(0x7F, 0x7F, 0xFF));
  EXPECT_EQ(clipboard.copiedPicture().pixels, (std::vector<std::uint32_t>{0xFF102030u, 0xFFFFFFFFu, 0xFF7F7FFFu}));
  paintCanvas(kBlack);
  clipboard.paste();
  engine.mouseDown(at(10, 10));
  engine.mouseUp(at(10, 10));
  EXPECT_EQ(host.surface.GetPixel(9, 10), composeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(host.surface.GetPixel(10, 10), kWhite);

  // Too large for a buffer: the selection-size error, the buffer kept.
  EXPECT_THROW(Clipboard::checkBufferSize(16385, 16384), Error);
  EXPECT_THROW(Clipboard::checkBufferSize(32768, 1), Error);
  EXPECT_NO_THROW(Clipboard::checkBufferSize(16384, 16384));
  EXPECT_EQ(host.buffer.Width(), 3);
}

// ---- paste -------------------------------------------------------------------

TEST_F(ClipboardTest, PasteCentresTheBufferOnTheReleasePointAndKeepsIt) {
  select(40, 30, 10, 50);  // 31 x 21
  clipboard.copy();
  for (int round = 0; round < 2; ++round) {  // the buffer survives a paste
    paintCanvas(kWhite);
    clipboard.paste();
    EXPECT_EQ(engine.state().curTool, kNoTool);
    engine.mouseDown(at(60.5f, 40.5f));
    engine.mouseUp(at(60.5f, 40.5f));
    // 60.5 - 15 = 45.5 and 40.5 - 10 = 30.5 go to the even neighbours.
    EXPECT_EQ(changedFrom(kWhite), (Rect{46, 30, 77, 51}));
    EXPECT_EQ(host.surface.GetPixel(46, 30), tracer(10, 30));
  }
}

TEST_F(ClipboardTest, ThePreviewFollowsThePointerOnTheVisibleLayerOnly) {
  select(0, 0, 4, 4);
  clipboard.copy();
  paintCanvas(kWhite);
  clipboard.paste();
  engine.mouseDown(at(50, 50));
  engine.mouseMove(at(50, 50));
  engine.mouseMove(at(70, 60));
  const std::uint32_t* shown = host.surface.visibleBits();
  auto shownAt = [&](int x, int y) { return colorFromPixel(shown[y * host.surface.stride() + x]); };
  EXPECT_EQ(shownAt(68, 58), tracer(0, 0));
  EXPECT_EQ(shownAt(48, 48), kWhite);  // the earlier preview is gone
  EXPECT_EQ(changedFrom(kWhite), (Rect{host.surface.Width(), host.surface.Height(), 0, 0}));
  engine.mouseUp(at(70, 60));
  EXPECT_EQ(changedFrom(kWhite), (Rect{68, 58, 73, 63}));
}

TEST_F(ClipboardTest, APendingPasteSurvivesAToolChangeAndRunsWithTheTool) {
  select(0, 0, 2, 2);
  clipboard.copy();
  paintCanvas(kWhite);
  clipboard.paste();
  engine.chooseTool(kSelectTool);
  EXPECT_TRUE(engine.state().pastePending);
  drag(10, 10, 30, 30);
  EXPECT_EQ(host.surface.GetPixel(29, 29), tracer(0, 0));  // placed
  EXPECT_TRUE(host.select.visible);                        // and selected
  EXPECT_FALSE(engine.state().pastePending);
}

TEST_F(ClipboardTest, BeforeTheFirstCopyAPastePlacesNothing) {
  clipboard.paste();
  engine.mouseDown(at(5, 5));
  engine.mouseUp(at(5, 5));
  EXPECT_EQ(host.surface.GetPixel(5, 5), tracer(5, 5));
}

TEST_F(ClipboardTest, CopyAndCutCancelAPendingPaste) {
  for (bool cut : {false, true}) {
    clipboard.paste();
    host.select = OutlineShape{0, 0, 2, 2, true};
    if (cut) clipboard.cut();
    else clipboard.copy();
    EXPECT_FALSE(engine.state().pastePending) << cut;
  }
}

}  // namespace pictavo
