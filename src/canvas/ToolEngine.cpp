#include "canvas/ToolEngine.h"

#include "base/NumberEntry.h"
#include "canvas/Surface.h"
#include "canvas/ToolCatalog.h"

#include <charconv>
#include <cmath>
#include <initializer_list>

namespace pictavo {

namespace {

struct PanelTools {
  const char* panel;
  std::initializer_list<int> tools;
};

// Which option panel each tool shows.
const PanelTools kPanels[] = {
    {"pDrawWidth", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 17}},
    {"pFillType", {12}},
    {"pBrush", {16}},
    {"pErase", {17}},
    {"pClone", {19}},
    {"pGrad", {20}},
    {"pTextStyle", {21}},
};

bool validTool(int index) { return index >= 0 && index < kToolCount; }

std::string shortestDecimal(float v) {
  if (v == 0.0f) v = 0.0f;  // no "-0"
  // Fixed notation: a readout of 100000 must not turn into "1e+05".
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

}  // namespace

std::string pointerText(float x, float y) { return shortestDecimal(x) + "," + shortestDecimal(y); }

ToolEngine::ToolEngine(ToolHost& host) : host_(host) {
  for (int i = 0; i < kToolCount; ++i) tools_[std::size_t(i)] = makeTool(i);
}

Tool& ToolEngine::tool(int index) {
  static Tool none;
  return validTool(index) ? *tools_[std::size_t(index)] : none;
}

void ToolEngine::setTool(int index, std::unique_ptr<Tool> tool) {
  if (!validTool(index)) return;
  tools_[std::size_t(index)] = tool ? std::move(tool) : std::make_unique<Tool>();
}

bool ToolEngine::panelShownFor(const std::string& panel, int toolIndex) {
  if (panel == "lblStyle" || panel == "cboStyle") return toolIndex != kPencilTool && toolIndex != kCurveTool;
  for (const auto& p : kPanels) {
    if (panel != p.panel) continue;
    for (int t : p.tools)
      if (t == toolIndex) return true;
    return false;
  }
  return false;
}

ToolContext ToolEngine::context() { return ToolContext{host_, state_, host_.canvas()}; }

Tool* ToolEngine::currentTool() {
  return validTool(state_.curTool) ? tools_[std::size_t(state_.curTool)].get() : nullptr;
}

void ToolEngine::chooseTool(int index) {
  if (!validTool(index)) return;
  host_.hideHint();
  for (const auto& p : kPanels) host_.setWidgetVisible(p.panel, panelShownFor(p.panel, index));
  const bool styleShown = panelShownFor("lblStyle", index);
  host_.setWidgetVisible("lblStyle", styleShown);
  host_.setWidgetVisible("cboStyle", styleShown);
  state_.curTool = index;

  OutlineShape selection = host_.selection();
  selection.visible = false;
  host_.setSelection(selection);
  state_.cloneSourcePending = false;
  OutlineShape marker = host_.cloneMarker();
  marker.visible = false;
  host_.setCloneMarker(marker);

  // The hint stays where it was last placed until the pointer crosses the canvas.
  if (index == kCloneTool) host_.showHint(kCloneHint);
  if (index == kTextTool) host_.showHint(kTextHint);
}

void ToolEngine::mouseDown(const PointerEvent& e) {
  {
    Surface& canvas = host_.canvas();
    // Read the palette now: the colours may have changed since the last press.
    // A middle press keeps whatever colour the last left or right press set.
    if (e.button == kLeftButton) canvas.ForeColor = host_.color1();
    if (e.button == kRightButton) canvas.ForeColor = host_.color2();
  }
  state_.startX = e.x;
  state_.startY = e.y;
  state_.mouseIsDown = true;

  // At most one tool's press applies: the current one. The clone tool checks
  // for Alt alone itself.
  if (Tool* t = currentTool()) {
    if (t->pressRunsMoveHandling()) {
      runMoveHandling(e);
    } else {
      ToolContext ctx = context();
      t->press(ctx, e);
    }
  }

  // Until the release, figures are previews on the visible layer.
  Surface& canvas = host_.canvas();
  canvas.SetAutoRedraw(false);
  canvas.FillStyle = kFillTransparent;
}

void ToolEngine::mouseMove(const PointerEvent& e) { runMoveHandling(e); }

void ToolEngine::runMoveHandling(const PointerEvent& e) {
  if (state_.mouseIsDown) {
    if (state_.pastePending) host_.previewPaste(e.x, e.y);
    if (Tool* t = currentTool()) {
      ToolContext ctx = context();
      t->move(ctx, e);
    }
  }
  host_.setStatusPanelText(2, pointerText(e.x, e.y));
  if (state_.curTool == kSelectTool) host_.showHint(kSelectHint);
  if (host_.isHintVisible()) {
    const float x = e.shown ? e.shown->x : e.x, y = e.shown ? e.shown->y : e.y;
    const int left = roundCoord(double(host_.toolsPanelWidth()) + double(x) + 10.0);
    const int top = roundCoord(double(host_.topPanelHeight()) + double(y) + 10.0);
    host_.moveHint(left, top);
  }
}

void ToolEngine::mouseUp(const PointerEvent& e) {
  // Any release on the canvas counts as a modification, even one that drew nothing.
  if (host_.windowTitle() == kTitle) host_.setWindowTitle(kModifiedTitle);

  const bool selected = host_.selection().visible;
  host_.setMenuItemEnabled("mnuCopy", selected);
  host_.setMenuItemEnabled("mnuCut", selected);
  host_.hideHint();

  {
    Surface& canvas = host_.canvas();
    canvas.FillStyle = kFillTransparent;
    canvas.SetAutoRedraw(true);
  }
  // The gesture ends even when the paste or the release step throws.
  struct EndGesture {
    ToolEngine& engine;
    ~EndGesture() {
      engine.state_.pastePending = false;
      engine.state_.mouseIsDown = false;
      engine.host_.canvas().Refresh();
    }
  } endGesture{*this};

  if (state_.pastePending) host_.commitPaste(e.x, e.y);
  if (Tool* t = currentTool()) {
    ToolContext ctx = context();
    t->release(ctx, e);
  }
}

void ToolEngine::doubleClick() { state_.polygonOpen = false; }

void ToolEngine::keyUp(int keyCode) {
  if (keyCode == kDeleteKey && host_.selection().visible) host_.cut();
}

void ToolEngine::chooseDrawWidth(const std::string& itemText) {
  host_.canvas().DrawWidth = leadingInteger(itemText);
}

void ToolEngine::chooseDrawStyle(int index) { host_.canvas().DrawStyle = index; }

}  // namespace pictavo
