#pragma once
// ToolEngine: turns the canvas's mouse events into drawing. It performs the
// steps common to every tool in a fixed order and hands each event to the
// current tool of its 22-entry routing table (Tool.h). It also keeps the
// pointer readout in status panel 2, places the floating hint panel, marks
// the title as modified and sets Cut/Copy enabling at every release.
//
// The main window owns one engine, implements ToolHost, and forwards:
//   tool button i clicked        -> chooseTool(i)
//   canvas press                 -> mouseDown(e)
//   canvas move (button or not)  -> mouseMove(e)
//   canvas release               -> mouseUp(e)
//   canvas double-click          -> doubleClick(), *instead of* mouseDown for
//                                   the second press (the release that
//                                   follows still goes to mouseUp)
//   canvas key release           -> keyUp(keyCode), Windows key codes (46 Delete)
//   choice in cboDW / cboStyle   -> chooseDrawWidth(itemText) / chooseDrawStyle(index)
// Start-up chooses the list items and then runs chooseTool(1).
//
// Tool steps may throw pictavo::Error. The engine lets it through for the
// window to report, but a release still ends the gesture (mouseIsDown and
// pastePending cleared, persistent drawing on, canvas refreshed), so one
// failing step does not leave the canvas stuck in preview mode.

#include "canvas/DrawingState.h"
#include "canvas/Tool.h"

#include <array>
#include <memory>
#include <string>

namespace pictavo {

// Texts of the hint panel.
inline constexpr const char* kSelectHint = "选择一个区域,按Del可删除或可在菜单栏里选择功能";
inline constexpr const char* kPasteHint = "按住鼠标不放,粘贴的图片会出现,继续移动鼠标改变位置";
inline constexpr const char* kCloneHint = "按Alt+鼠标左键,定义新克隆的范围";
inline constexpr const char* kTextHint = "请先在上方主面板选择文字样式,然后单击需要放置文字的区域开始设置";

// The window caption, unmodified and with the modified mark.
inline constexpr const char* kTitle = "Pictavo2012";
inline constexpr const char* kModifiedTitle = "Pictavo2012*";

// Key code of the Delete key at canvas key-up.
inline constexpr int kDeleteKey = 46;

class ToolEngine {
 public:
  explicit ToolEngine(ToolHost& host);
  ToolEngine(const ToolEngine&) = delete;
  ToolEngine& operator=(const ToolEngine&) = delete;

  // The drawing state. Paste and Open set curTool to -1 here directly;
  // Paste also sets pastePending.
  DrawingState& state() { return state_; }
  const DrawingState& state() const { return state_; }

  // Tool button i (0..21): hides the hint, shows the option panels of
  // tool i, makes it current, hides the selection and the clone marker and,
  // for the clone and text tools, shows their hint. Other indexes are ignored.
  void chooseTool(int index);

  void mouseDown(const PointerEvent& e);
  void mouseMove(const PointerEvent& e);
  void mouseUp(const PointerEvent& e);
  void doubleClick();
  void keyUp(int keyCode);

  // cboDW: the canvas DrawWidth := the item's number ("1".."200").
  void chooseDrawWidth(const std::string& itemText);
  // cboStyle: the canvas DrawStyle := the item's index (0 solid .. 4 dash-dot-dot).
  void chooseDrawStyle(int index);

  // The routing table. Every entry exists; an entry not built yet does
  // nothing. setTool replaces an entry (null puts back an empty one).
  Tool& tool(int index);
  void setTool(int index, std::unique_ptr<Tool> tool);

  // Which option panels tool i shows, for the host and the tests.
  static bool panelShownFor(const std::string& panel, int toolIndex);

 private:
  ToolContext context();
  Tool* currentTool();
  void runMoveHandling(const PointerEvent& e);

  ToolHost& host_;
  DrawingState state_;
  std::array<std::unique_ptr<Tool>, kToolCount> tools_;
};

// The status text of a pointer position: each coordinate in its shortest
// decimal form, joined by a comma (120, 45 -> "120,45").
std::string pointerText(float x, float y);

}  // namespace pictavo
