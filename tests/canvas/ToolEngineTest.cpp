// The tool engine with a fake main window: the order of the common steps
// around each tool step, the title mark, Cut/Copy enabling, the hint panel,
// the option panels per tool, the pointer readout, and the pencil.
#include "base/Errors.h"
#include "canvas/PencilTool.h"
#include "canvas/Surface.h"
#include "canvas/ToolEngine.h"
#include "ToolTestHost.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace pictavo {
using namespace test;

namespace {

// The tool tests' fake window, recording what the engine tells it.
class FakeHost : public ToolTestHost {
 public:
  FakeHost() { surface = Surface(40, 30, kWhite); }
  std::map<std::string, bool> visible;  // widgets by object name
  std::map<std::string, bool> enabled;  // menu items by object name
  std::string panel2;
  std::string hintText;
  int hintLeft = -1, hintTop = -1;
  std::vector<std::string> log;  // hooks and tool steps, in call order
  int cuts = 0;

  void setWidgetVisible(const std::string& name, bool v) override { visible[name] = v; }
  void setMenuItemEnabled(const std::string& name, bool e) override { enabled[name] = e; }
  void setStatusPanelText(int panel, const std::string& text) override {
    if (panel == 2) panel2 = text;
  }
  void showHint(const std::string& text) override {
    hintText = text;
    hintVisible = true;
  }
  void moveHint(int left, int top) override {
    hintLeft = left;
    hintTop = top;
  }
  void cut() override { ++cuts; }
  void previewPaste(float, float) override { log.push_back("previewPaste"); }
  void commitPaste(float, float) override {
    log.push_back(std::string("commitPaste autoRedraw=") + (surface.AutoRedraw() ? "1" : "0"));
  }
};

// Logs each step with what the engine had set up before it.
class RecordingTool : public Tool {
 public:
  RecordingTool(FakeHost& host, bool pressIsMove = false) : host_(host), pressIsMove_(pressIsMove) {}
  bool pressRunsMoveHandling() const override { return pressIsMove_; }
  void press(ToolContext& ctx, const PointerEvent& e) override { note("press", ctx, e); }
  void move(ToolContext& ctx, const PointerEvent& e) override { note("move", ctx, e); }
  void release(ToolContext& ctx, const PointerEvent& e) override { note("release", ctx, e); }

 private:
  void note(const char* step, ToolContext& ctx, const PointerEvent& e) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s %g,%g fore=%06X autoRedraw=%d fill=%d down=%d start=%g,%g", step, e.x, e.y,
                  ctx.canvas.ForeColor, ctx.canvas.AutoRedraw() ? 1 : 0, ctx.canvas.FillStyle,
                  ctx.state.mouseIsDown ? 1 : 0, ctx.state.startX, ctx.state.startY);
    host_.log.push_back(buf);
  }
  FakeHost& host_;
  bool pressIsMove_;
};

PointerEvent at(float x, float y, int button = kLeftButton, int shift = 0) { return PointerEvent{button, shift, x, y}; }

struct EngineTest : ::testing::Test {
  FakeHost host;
  ToolEngine engine{host};

  // Plugs a recording tool into slot `index` and makes it current.
  void useRecordingTool(int index, bool pressIsMove = false) {
    engine.setTool(index, std::make_unique<RecordingTool>(host, pressIsMove));
    engine.chooseTool(index);
    host.log.clear();
  }
  void click(float x, float y, int button = kLeftButton) {
    engine.mouseDown(at(x, y, button));
    engine.mouseUp(at(x, y, button));
  }
};

// True once the surface draws lines (the figure code may still be a stub).
bool linesAreDrawn() {
  Surface probe(3, 3, kWhite);
  probe.Line(0, 1, 2, 1);
  return probe.GetPixel(1, 1) == kBlack;
}

}  // namespace

// ---- the order of the common steps ------------------------------------------

TEST_F(EngineTest, PressSetsColourAndPressPointBeforeThePressStepAndStopsPersistentDrawingAfterIt) {
  useRecordingTool(kLineTool);
  host.surface.FillStyle = kFillSolid;
  engine.mouseDown(at(5, 6, kLeftButton));
  ASSERT_EQ(host.log, (std::vector<std::string>{"press 5,6 fore=0000FF autoRedraw=1 fill=0 down=1 start=5,6"}));
  EXPECT_FALSE(host.surface.AutoRedraw());
  EXPECT_EQ(host.surface.FillStyle, kFillTransparent);

  engine.mouseUp(at(5, 6));
  host.log.clear();
  engine.mouseDown(at(7, 8, kRightButton));
  EXPECT_EQ(host.log.at(0), "press 7,8 fore=FF0000 autoRedraw=1 fill=1 down=1 start=7,8");
  engine.mouseUp(at(7, 8));
}

TEST_F(EngineTest, PaletteIsReadAtEachPressAndOtherButtonsKeepTheLastColour) {
  useRecordingTool(kLineTool);
  click(1, 1, kRightButton);
  EXPECT_EQ(host.surface.ForeColor, kBlue);
  host.c1 = 0x00123456u;  // the palette changes between presses
  click(1, 1, kLeftButton);
  EXPECT_EQ(host.surface.ForeColor, 0x00123456u);
  click(1, 1, kMiddleButton);
  EXPECT_EQ(host.surface.ForeColor, 0x00123456u);
  click(1, 1, kLeftButton | kRightButton);  // both at once is neither
  EXPECT_EQ(host.surface.ForeColor, 0x00123456u);
}

TEST_F(EngineTest, ReleaseRestoresPersistentDrawingAndCommitsPasteBeforeTheReleaseStep) {
  useRecordingTool(kLineTool);
  engine.mouseDown(at(2, 3));
  engine.state().pastePending = true;
  host.surface.FillStyle = kFillSolid;  // as a filled shape's move step leaves it
  host.log.clear();
  engine.mouseUp(at(9, 4));
  EXPECT_EQ(host.log, (std::vector<std::string>{"commitPaste autoRedraw=1",
                                                "release 9,4 fore=0000FF autoRedraw=1 fill=1 down=1 start=2,3"}));
  EXPECT_FALSE(engine.state().pastePending);
  EXPECT_FALSE(engine.state().mouseIsDown);
  // The closing Refresh drops whatever preview the visible layer still shows.
  engine.mouseDown(at(1, 1));
  host.surface.SetPixel(3, 3, kBlack);
  engine.mouseUp(at(1, 1));
  EXPECT_EQ(visibleRowsOf(host.surface).at(3).at(3), '.');
}

TEST_F(EngineTest, MovesRunTheToolOnlyWhileAButtonIsDownAndPreviewAPendingPasteFirst) {
  useRecordingTool(kLineTool);
  engine.mouseMove(at(3, 4, 0));
  EXPECT_TRUE(host.log.empty());
  EXPECT_EQ(host.panel2, "3,4");

  engine.state().pastePending = true;
  engine.mouseDown(at(3, 4));
  engine.mouseMove(at(5, 6));
  engine.mouseUp(at(5, 6));
  engine.mouseMove(at(7, 8, 0));  // after the release: no tool step, no preview
  EXPECT_EQ(host.log, (std::vector<std::string>{"press 3,4 fore=0000FF autoRedraw=1 fill=1 down=1 start=3,4",
                                                "previewPaste",
                                                "move 5,6 fore=0000FF autoRedraw=0 fill=1 down=1 start=3,4",
                                                "commitPaste autoRedraw=1",
                                                "release 5,6 fore=0000FF autoRedraw=1 fill=1 down=1 start=3,4"}));
  EXPECT_EQ(host.panel2, "7,8");
}

TEST_F(EngineTest, PressOfAMarkingToolIsTheWholeMoveHandlingAtThePressPoint) {
  useRecordingTool(kSprayTool, /*pressIsMove=*/true);
  engine.state().pastePending = true;
  host.hintVisible = true;
  engine.mouseDown(at(12, 7));
  EXPECT_EQ(host.log, (std::vector<std::string>{"previewPaste",
                                                "move 12,7 fore=0000FF autoRedraw=1 fill=1 down=1 start=12,7"}));
  EXPECT_EQ(host.panel2, "12,7");
  EXPECT_EQ(host.hintLeft, 112 + 12 + 10);
  EXPECT_FALSE(host.surface.AutoRedraw());  // still switched off after the press step
}

TEST_F(EngineTest, WithoutACurrentToolOnlyTheCommonStepsRun) {
  for (int i = 0; i < kToolCount; ++i) engine.setTool(i, std::make_unique<RecordingTool>(host, i % 2 == 1));
  engine.chooseTool(kPencilTool);
  engine.state().curTool = kNoTool;  // as Paste and Open leave it
  host.log.clear();
  engine.mouseDown(at(4, 4, kRightButton));
  EXPECT_TRUE(engine.state().mouseIsDown);
  EXPECT_EQ(host.surface.ForeColor, kBlue);
  EXPECT_EQ(engine.state().startX, 4.0f);
  engine.mouseMove(at(6, 6, kRightButton));
  EXPECT_EQ(host.panel2, "6,6");
  engine.mouseUp(at(6, 6));
  EXPECT_TRUE(host.log.empty());
  EXPECT_EQ(host.title, kModifiedTitle);
  EXPECT_FALSE(engine.state().mouseIsDown);
  EXPECT_TRUE(host.surface.AutoRedraw());
}

TEST_F(EngineTest, AFailingReleaseStepStillEndsTheGesture) {
  struct FailingTool : Tool {
    void release(ToolContext&, const PointerEvent&) override { throw Error(kErrOutOfMemory); }
  };
  engine.setTool(kLineTool, std::make_unique<FailingTool>());
  engine.chooseTool(kLineTool);
  engine.state().pastePending = true;
  engine.mouseDown(at(1, 1));
  host.surface.SetPixel(3, 3, kBlack);  // a preview
  EXPECT_THROW(engine.mouseUp(at(1, 1)), Error);
  EXPECT_FALSE(engine.state().mouseIsDown);
  EXPECT_FALSE(engine.state().pastePending);
  EXPECT_TRUE(host.surface.AutoRedraw());
  EXPECT_EQ(visibleRowsOf(host.surface).at(3).at(3), '.');
  EXPECT_EQ(host.title, kModifiedTitle);
}

// ---- title, menu and keys ------------------------------------------------------

TEST_F(EngineTest, EveryReleaseMarksOnlyTheExactUnmodifiedTitle) {
  engine.chooseTool(kPickerTool);  // a tool that draws nothing
  click(1, 1);
  EXPECT_EQ(host.title, "Pictavo2012*");
  click(1, 1);
  EXPECT_EQ(host.title, "Pictavo2012*");
  for (const char* other : {"pictavo2012", "Pictavo2012 ", "Pictavo2013", "", "Pictavo2012**"}) {
    host.title = other;
    click(1, 1);
    EXPECT_EQ(host.title, other);
  }
}

TEST_F(EngineTest, CutAndCopyFollowTheSelectionAtEachReleaseOnly) {
  engine.chooseTool(kLineTool);
  host.select.visible = true;
  EXPECT_TRUE(host.enabled.empty());  // nothing before a release
  click(1, 1);
  EXPECT_TRUE(host.enabled.at("mnuCut"));
  EXPECT_TRUE(host.enabled.at("mnuCopy"));
  host.select.visible = false;
  click(1, 1);
  EXPECT_FALSE(host.enabled.at("mnuCut"));
  EXPECT_FALSE(host.enabled.at("mnuCopy"));
}

TEST_F(EngineTest, DeleteKeyCutsOnlyWhileASelectionIsShown) {
  engine.keyUp(kDeleteKey);
  host.select.visible = true;
  engine.keyUp(8);   // Backspace
  engine.keyUp(110); // numeric-pad decimal point
  EXPECT_EQ(host.cuts, 0);
  engine.keyUp(kDeleteKey);
  EXPECT_EQ(host.cuts, 1);
}

// ---- the hint panel and the pointer readout -------------------------------------

TEST_F(EngineTest, HintFollowsThePointerOnlyWhileVisible) {
  engine.chooseTool(kLineTool);
  engine.mouseMove(at(120, 45, 0));
  EXPECT_EQ(host.hintLeft, -1);  // hidden: not moved
  host.hintVisible = true;
  engine.mouseMove(at(120, 45, 0));
  EXPECT_EQ(host.hintLeft, 112 + 120 + 10);
  EXPECT_EQ(host.hintTop, 43 + 45 + 10);
  engine.mouseMove(at(-30.5f, 2.5f, 0));  // outside the canvas; halves to even
  EXPECT_EQ(host.hintLeft, 92);            // 91.5 -> 92
  EXPECT_EQ(host.hintTop, 56);             // 55.5 -> 56
}

TEST_F(EngineTest, SelectToolShowsItsHintOnEveryMoveAndTheReleaseHidesIt) {
  engine.chooseTool(kSelectTool);
  EXPECT_FALSE(host.hintVisible);
  engine.mouseMove(at(10, 20, 0));
  EXPECT_TRUE(host.hintVisible);
  EXPECT_EQ(host.hintText, kSelectHint);
  EXPECT_EQ(host.hintLeft, 132);
  engine.mouseDown(at(10, 20));
  engine.mouseUp(at(10, 20));
  EXPECT_FALSE(host.hintVisible);
}

TEST_F(EngineTest, CloneAndTextHintsAppearOnChoiceInPlaceAndGoAtTheFirstRelease) {
  host.hintLeft = 7;
  engine.chooseTool(kCloneTool);
  EXPECT_TRUE(host.hintVisible);
  EXPECT_EQ(host.hintText, "按Alt+鼠标左键,定义新克隆的范围");
  EXPECT_EQ(host.hintLeft, 7);  // stays where it was until the pointer moves over the canvas
  engine.chooseTool(kTextTool);
  EXPECT_EQ(host.hintText, "请先在上方主面板选择文字样式,然后单击需要放置文字的区域开始设置");
  engine.mouseMove(at(1, 2, 0));
  EXPECT_EQ(host.hintLeft, 123);
  click(1, 2);
  EXPECT_FALSE(host.hintVisible);
  engine.chooseTool(kCloneTool);
  engine.chooseTool(kPencilTool);  // any other tool hides it
  EXPECT_FALSE(host.hintVisible);
}

TEST(PointerText, ShortestDecimalOfEachCoordinate) {
  EXPECT_EQ(pointerText(120, 45), "120,45");
  EXPECT_EQ(pointerText(120.5f, 0.25f), "120.5,0.25");
  EXPECT_EQ(pointerText(0.1f, -3), "0.1,-3");  // the float nearest 0.1, not 0.100000001
  EXPECT_EQ(pointerText(-0.0f, 100000), "0,100000");
}

// ---- choosing a tool ----------------------------------------------------------

TEST_F(EngineTest, EachToolShowsExactlyItsOptionPanels) {
  // One character per tool 0..21: '1' shown.
  const std::map<std::string, std::string> expected = {
      {"pDrawWidth", "0111111111110111010000"}, {"pFillType", "0000000000001000000000"},
      {"pBrush", "0000000000000000100000"},     {"pErase", "0000000000000000010000"},
      {"pClone", "0000000000000000000100"},     {"pGrad", "0000000000000000000010"},
      {"pTextStyle", "0000000000000000000001"}, {"lblStyle", "1011111111111101111111"},
      {"cboStyle", "1011111111111101111111"}};
  for (const auto& [name, shown] : expected) {
    for (int i = 0; i < kToolCount; ++i) {
      host.visible[name] = shown[std::size_t(i)] == '0';  // the opposite, so a missed call shows
      engine.chooseTool(i);
      EXPECT_EQ(host.visible[name], shown[std::size_t(i)] == '1') << name << " tool " << i;
      EXPECT_EQ(engine.state().curTool, i);
    }
  }
  EXPECT_EQ(host.visible.size(), expected.size());
}

TEST_F(EngineTest, ChoosingAToolHidesSelectionAndCloneMarkerButKeepsTheirGeometry) {
  host.select = {10, 20, 30, 40, true};
  host.clone = {1, 2, 10, 10, true};
  engine.state().cloneSourcePending = true;
  engine.state().polygonOpen = true;
  engine.state().pastePending = true;
  engine.chooseTool(kCloneTool);
  EXPECT_EQ(host.select, (OutlineShape{10, 20, 30, 40, false}));
  EXPECT_EQ(host.clone, (OutlineShape{1, 2, 10, 10, false}));
  EXPECT_FALSE(engine.state().cloneSourcePending);
  EXPECT_TRUE(engine.state().polygonOpen);   // only a double-click ends it
  EXPECT_TRUE(engine.state().pastePending);  // only a release clears it
}

TEST_F(EngineTest, ButtonIndexesOutsideTheToolBarChangeNothing) {
  engine.chooseTool(kPencilTool);
  host.visible.clear();
  engine.chooseTool(-1);
  engine.chooseTool(kToolCount);
  EXPECT_EQ(engine.state().curTool, kPencilTool);
  EXPECT_TRUE(host.visible.empty());
}

TEST_F(EngineTest, WidthAndStyleChoicesSetTheCanvasAndThePencilKeepsTheStyle) {
  engine.chooseDrawWidth("3");
  engine.chooseDrawStyle(kDashDot);
  EXPECT_EQ(host.surface.DrawWidth, 3);
  engine.chooseDrawWidth("200");
  EXPECT_EQ(host.surface.DrawWidth, 200);
  engine.chooseTool(kPencilTool);  // its style list is hidden, the style stays
  EXPECT_EQ(host.surface.DrawStyle, kDashDot);
}

// ---- the pencil -------------------------------------------------------------------

TEST_F(EngineTest, PencilClickLeavesOneDotOfTheLineWidth) {
  if (!linesAreDrawn()) GTEST_SKIP() << "lines are not drawn yet";
  host.surface.DrawWidth = 1;
  engine.chooseTool(kPencilTool);
  click(3, 2);
  auto rows = rowsOf(host.surface);
  EXPECT_EQ(rows[2].substr(0, 6), "...r..");
  EXPECT_EQ(rows[1].substr(0, 6), "......");

  host.surface.DrawWidth = 5;
  click(20, 20);
  rows = rowsOf(host.surface, {{'.', kWhite}, {'r', kRed}});
  EXPECT_EQ(rows[20][20], 'r');
  EXPECT_EQ(rows[20][18], 'r');  // two pixels each side at width 5
  EXPECT_EQ(rows[20][22], 'r');
  EXPECT_EQ(rows[20][23], '.');
  EXPECT_EQ(rows[20][17], '.');
}

TEST_F(EngineTest, PencilDrawsByButtonAndIntoThePersistentImage) {
  if (!linesAreDrawn()) GTEST_SKIP() << "lines are not drawn yet";
  host.surface.DrawWidth = 1;
  engine.chooseTool(kPencilTool);
  engine.mouseDown(at(1, 1, kRightButton));
  engine.mouseMove(at(5, 1, kRightButton));
  // The stroke is final while the button is held: visible and persistent agree.
  EXPECT_EQ(visibleRowsOf(host.surface)[1].substr(0, 7), ".bbbbb.");
  engine.mouseMove(at(5, 3, kRightButton));  // continues from the last point, not the press
  engine.mouseUp(at(5, 3, kRightButton));
  const auto rows = rowsOf(host.surface);
  EXPECT_EQ(rows[1].substr(0, 7), ".bbbbb.");
  EXPECT_EQ(rows[2].substr(0, 7), ".....b.");

  engine.mouseDown(at(1, 5, kMiddleButton));  // keeps the right press's colour
  engine.mouseMove(at(3, 5, kMiddleButton));
  engine.mouseUp(at(3, 5, kMiddleButton));
  EXPECT_EQ(rowsOf(host.surface)[5].substr(0, 5), ".bbb.");
}

TEST_F(EngineTest, PencilStrokeLeavingTheCanvasIsClipped) {
  if (!linesAreDrawn()) GTEST_SKIP() << "lines are not drawn yet";
  host.surface.DrawWidth = 1;
  engine.chooseTool(kPencilTool);
  engine.mouseDown(at(35, 5));
  engine.mouseMove(at(60, 5));
  engine.mouseMove(at(60, -20));
  engine.mouseMove(at(-1e6f, -1e6f));  // far away: no crash, no wrap-around
  engine.mouseUp(at(-1e6f, -1e6f));
  EXPECT_EQ(rowsOf(host.surface)[5].substr(34), ".rrrrr");
  EXPECT_EQ(host.panel2, "-1000000,-1000000");
}

}  // namespace pictavo
