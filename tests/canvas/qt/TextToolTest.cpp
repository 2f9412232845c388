// The text tool inside the real engine with a fake window whose "dialog"
// fills the text variables: placement at the release point, colour by
// button, the ghost copy, styles switched off again, Unicode text.
// Pixels are compared with TextOut on a reference surface, so the tests
// hold for any font the system has.
#include "base/Globals.h"
#include "canvas/Surface.h"
#include "canvas/SurfaceText.h"
#include "canvas/TextTool.h"
#include "canvas/ToolEngine.h"
#include "canvas/ToolTestHost.h"

#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace pictavo {
namespace {

constexpr Color kRed = 0x000000FFu;
constexpr Color kBlue = 0x00FF0000u;

// The tool tests' fake window, with a text dialog the test scripts.
class TextHost : public test::ToolTestHost {
 public:
  int dialogs = 0;
  std::function<void()> dialog;  // what the user does in the dialog

  TextHost() {
    surface = Surface(120, 80, kWhite);
    lists["cboTextStyle"] = 0;
  }
  void showTextDialog() override {
    ++dialogs;
    if (dialog) dialog();
  }
};

// The dialog accepted with these settings.
std::function<void()> accepted(const std::string& text, int style = 0, int size = 14) {
  return [=] {
    Globals& g = globals();
    g.textFontName = "DejaVu Sans";
    g.textFontSize = std::int16_t(size);
    g.textStyleIndex = std::int16_t(style);
    g.textString = text;
    g.dlgResult = 1;
  };
}

struct TextToolTest : ::testing::Test {
  TextHost host;
  ToolEngine engine{host};

  TextToolTest() {
    engine.setTool(kTextTool, std::make_unique<TextTool>());
    engine.chooseTool(kTextTool);
    globals().dlgResult = 2;
  }
  void gesture(float x1, float y1, float x2, float y2, int button = kLeftButton) {
    engine.mouseDown(PointerEvent{button, 0, x1, y1});
    engine.mouseMove(PointerEvent{button, 0, x2, y2});
    engine.mouseUp(PointerEvent{button, 0, x2, y2});
  }
};

// TextOut of the same text on a white surface of the canvas's size.
struct Reference {
  Surface s{120, 80, kWhite};
  Reference& text(int x, int y, Color c, const QString& t, int style = 0, int size = 14) {
    TextTool::placeText(s, 0, 0, "DejaVu Sans", size, style, QString());  // sets the font only
    s.ForeColor = c;
    TextOut(s, x, y, t);
    return *this;
  }
};

bool samePixels(const Surface& a, const Surface& b) {
  const auto* pa = a.bits(Surface::Layer::Persistent);
  const auto* pb = b.bits(Surface::Layer::Persistent);
  return std::equal(pa, pa + a.Width() * a.Height(), pb);
}

bool blank(const Surface& s) { return samePixels(s, Reference().s); }

}  // namespace

TEST_F(TextToolTest, TextGoesToTheReleasePointInTheButtonsColour) {
  host.dialog = accepted("Ab");
  gesture(5, 5, 30.5f, 20.5f);  // halves go to the even neighbour
  EXPECT_EQ(host.dialogs, 1);
  EXPECT_TRUE(samePixels(host.surface, Reference().text(30, 20, kRed, "Ab").s));
  EXPECT_EQ(globals().dlgResult, 2);
  EXPECT_FALSE(engine.state().mouseIsDown);

  host.surface.Cls();
  gesture(60, 40, 60, 40, kRightButton);
  EXPECT_TRUE(samePixels(host.surface, Reference().text(60, 40, kBlue, "Ab").s));
}

TEST_F(TextToolTest, TheGhostCopyLiesTwoPixelsRightAndDownInColor2) {
  host.lists["cboTextStyle"] = 1;
  host.dialog = accepted("Ab");
  gesture(10, 10, 10, 10);
  EXPECT_TRUE(samePixels(host.surface, Reference().text(10, 10, kRed, "Ab").text(12, 12, kBlue, "Ab").s));
  host.surface.Cls();
  gesture(10, 10, 10, 10, kRightButton);
  EXPECT_TRUE(samePixels(host.surface, Reference().text(10, 10, kBlue, "Ab").text(12, 12, kBlue, "Ab").s));
}

TEST_F(TextToolTest, EachStyleSetsAllThreeAttributes) {
  host.dialog = accepted("Ab", 7);
  gesture(10, 10, 10, 10);
  EXPECT_TRUE(host.surface.Font.bold && host.surface.Font.italic && host.surface.Font.underline);
  host.dialog = accepted("Ab", 5);
  gesture(10, 40, 10, 40);
  EXPECT_TRUE(host.surface.Font.bold && !host.surface.Font.italic && host.surface.Font.underline);
  // A plain placement after the underlined ones draws exactly plain text.
  host.surface.Cls();
  host.dialog = accepted("Ab", 0);
  gesture(10, 10, 10, 10);
  EXPECT_TRUE(samePixels(host.surface, Reference().text(10, 10, kRed, "Ab").s));
}

TEST_F(TextToolTest, TextIsUnicode) {
  const QString chinese = QString::fromUtf8("中文");
  host.dialog = accepted(chinese.toStdString(), 0, 20);
  gesture(10, 10, 10, 10);
  EXPECT_FALSE(blank(host.surface));
  EXPECT_TRUE(samePixels(host.surface, Reference().text(10, 10, kRed, chinese, 0, 20).s));
}

}  // namespace pictavo
