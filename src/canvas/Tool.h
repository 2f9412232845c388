#pragma once
// Tool: one entry of the tool engine's routing table. A tool says what it
// does at the press, at each drag movement and at the release, and nothing
// else; the engine runs the steps common to every tool around them (colour
// by button, press point, persistent drawing off for previews and back on
// before the release, the title mark, the closing Refresh).
//
// The base class does nothing at every step, so a tool not built yet is a
// plain Tool.

#include "canvas/DrawingState.h"
#include "canvas/ToolHost.h"

#include <optional>

namespace pictavo {

class Surface;

// Mouse buttons and shift states as the canvas events report them. On a
// move, `button` holds every button still down.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// One canvas mouse event: button(s), shift state, position in picture
// pixels. Positions outside the canvas are passed on as they are (drawing
// clips). When the view is zoomed, `shown` also gives the pointer's place on
// the canvas widget (screen pixels), where the hint panel follows it.
struct PointerEvent {
  struct ViewPoint {
    float x = 0.0f, y = 0.0f;
  };
  int button = 0;
  int shift = 0;
  float x = 0.0f;
  float y = 0.0f;
  std::optional<ViewPoint> shown = std::nullopt;
};

// What a tool step may touch: the window facade, the drawing state and the
// canvas (the same object as host.canvas(), fetched once per event).
struct ToolContext {
  ToolHost& host;
  DrawingState& state;
  Surface& canvas;
};

class Tool {
 public:
  virtual ~Tool() = default;

  // True for tools whose press is the engine's whole mouse-move handling run
  // once at the press point (paste preview if pending, the move step, the
  // position readout, the hint panel), so that a click alone leaves a mark.
  // press() is then not called.
  virtual bool pressRunsMoveHandling() const { return false; }

  // Press step: after ForeColor, startX/startY and mouseIsDown are set and
  // before persistent drawing is switched off.
  virtual void press(ToolContext&, const PointerEvent&) {}
  // Move step: only while mouseIsDown, after the paste preview.
  virtual void move(ToolContext&, const PointerEvent&) {}
  // Release step: persistent drawing is on and FillStyle transparent; a
  // pending paste has been committed; the engine refreshes afterwards.
  virtual void release(ToolContext&, const PointerEvent&) {}
};

}  // namespace pictavo
