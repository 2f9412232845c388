#pragma once
// TextTool: tool 21. Nothing happens at the press or while dragging; the
// release opens the text dialog (ToolHost::showTextDialog) and, when it is
// accepted, draws the dialog's text with its top-left corner at the release
// point, in the colour of the button used (the engine set ForeColor at the
// press). With the main window's effect "3D 重影特效" (cboTextStyle index 1)
// a second copy in Color2 goes two pixels right and down, over the first.
//
// The text is Unicode and one line: a line break in it never starts a new
// line. Drawing needs Qt's font engine, so this tool lives outside the core
// and the main window plugs it into the engine.

#include "canvas/Tool.h"

#include <string>

class QString;

namespace pictavo {

class TextTool : public Tool {
 public:
  void release(ToolContext& ctx, const PointerEvent& e) override;

  // Draws text in the canvas's ForeColor with the given font settings,
  // top-left corner at (x, y) rounded to whole pixels. The canvas keeps the
  // font afterwards.
  static void placeText(Surface& canvas, float x, float y, const std::string& fontName, int fontSize,
                        int styleIndex, const QString& text);
};

}  // namespace pictavo
