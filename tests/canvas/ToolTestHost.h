#pragma once
// A fake main window for the tool tests: a real canvas, the palette colours,
// the option lists by name, the pattern and brush pictures, the clone marker.
// Gestures go through the real tool engine, so every tool runs inside the
// engine's common steps as it does in the program.

#include "canvas/Surface.h"
#include "canvas/ToolEngine.h"

#include <map>
#include <optional>
#include <string>

namespace pictavo::test {

inline constexpr Color kRed = 0x000000FFu;
inline constexpr Color kGreen = 0x0000FF00u;
inline constexpr Color kBlue = 0x00FF0000u;

class ToolTestHost : public ToolHost {
 public:
  Surface surface{60, 50, kWhite};
  Color c1 = kRed, c2 = kBlue;
  std::string title = kTitle;
  bool hintVisible = false;
  OutlineShape select, clone;
  std::map<std::string, int> lists;  // chosen index by list name
  std::map<std::string, std::string> texts;  // chosen item text by list name
  std::optional<Picture> pattern;
  std::optional<Surface> brush;
  Surface stamp = Surface::hiddenBuffer();

  Surface& canvas() override { return surface; }
  Color color1() const override { return c1; }
  Color color2() const override { return c2; }
  void setColor1(Color c) override { c1 = c; }
  void setColor2(Color c) override { c2 = c; }
  void setWidgetVisible(const std::string&, bool) override {}
  void setMenuItemEnabled(const std::string&, bool) override {}
  void setStatusPanelText(int, const std::string&) override {}
  std::string windowTitle() const override { return title; }
  void setWindowTitle(const std::string& t) override { title = t; }
  void showHint(const std::string&) override { hintVisible = true; }
  void hideHint() override { hintVisible = false; }
  bool isHintVisible() const override { return hintVisible; }
  void moveHint(int, int) override {}
  int toolsPanelWidth() const override { return 112; }
  int topPanelHeight() const override { return 43; }
  OutlineShape selection() const override { return select; }
  void setSelection(const OutlineShape& s) override { select = s; }
  OutlineShape cloneMarker() const override { return clone; }
  void setCloneMarker(const OutlineShape& s) override { clone = s; }
  int listIndex(const std::string& name) const override {
    auto it = lists.find(name);
    return it == lists.end() ? -1 : it->second;
  }
  std::string listText(const std::string& name) const override {
    auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
  }
  const Picture* patternPicture() const override { return pattern ? &*pattern : nullptr; }
  Surface* brushPicture() override { return brush ? &*brush : nullptr; }
  Surface* brushStamp() override { return &stamp; }
};

// The engine around a fake window, with gesture helpers.
struct ToolBench {
  ToolTestHost host;
  ToolEngine engine{host};

  explicit ToolBench(int tool, int drawWidth = 1) {
    host.surface.DrawWidth = drawWidth;
    engine.chooseTool(tool);
  }
  static PointerEvent at(float x, float y, int button = kLeftButton, int shift = 0) {
    return PointerEvent{button, shift, x, y};
  }
  void down(float x, float y, int button = kLeftButton, int shift = 0) { engine.mouseDown(at(x, y, button, shift)); }
  void move(float x, float y, int button = kLeftButton, int shift = 0) { engine.mouseMove(at(x, y, button, shift)); }
  void up(float x, float y, int button = kLeftButton) { engine.mouseUp(at(x, y, button)); }
  void click(float x, float y, int button = kLeftButton, int shift = 0) {
    down(x, y, button, shift);
    up(x, y, button);
  }
  // Down, `steps` evenly spaced moves to the end point, up there.
  void drag(float x1, float y1, float x2, float y2, int button = kLeftButton, int steps = 4) {
    down(x1, y1, button);
    for (int i = 1; i <= steps; ++i)
      move(x1 + (x2 - x1) * float(i) / float(steps), y1 + (y2 - y1) * float(i) / float(steps), button);
    up(x2, y2, button);
  }
  // A pixel of the persistent image; kNoColor outside.
  Color pixel(int x, int y) const {
    if (!host.surface.bounds().contains(x, y)) return kNoColor;
    return colorFromPixel(host.surface.bits(Surface::Layer::Persistent)[std::size_t(y) * std::size_t(host.surface.stride()) + std::size_t(x)]);
  }
  // Pixels of the persistent image that are not white.
  int markedPixels() const {
    int n = 0;
    for (int y = 0; y < host.surface.Height(); ++y)
      for (int x = 0; x < host.surface.Width(); ++x) n += pixel(x, y) != kWhite;
    return n;
  }
};

}  // namespace pictavo::test
