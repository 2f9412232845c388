#include "canvas/TextTool.h"

#include "base/Globals.h"
#include "canvas/SurfaceText.h"
#include "canvas/TextStyles.h"

#include <QString>

namespace pictavo {

namespace {

// The ghost copy's offset, in pixels right and down.
constexpr float kGhostOffset = 2.0f;
// cboTextStyle's "3D 重影特效".
constexpr int kGhostEffect = 1;

}  // namespace

void TextTool::placeText(Surface& canvas, float x, float y, const std::string& fontName, int fontSize,
                         int styleIndex, const QString& text) {
  canvas.Font.name = fontName;
  canvas.Font.size = fontSize;
  const TextAttributes a = textAttributes(styleIndex);
  canvas.Font.bold = a.bold;
  canvas.Font.italic = a.italic;
  canvas.Font.underline = a.underline;
  TextOut(canvas, roundCoord(x), roundCoord(y), text);
}

void TextTool::release(ToolContext& ctx, const PointerEvent& e) {
  ctx.host.showTextDialog();
  Globals& g = globals();
  if (g.dlgResult == 1) {
    const QString text = QString::fromStdString(g.textString);
    placeText(ctx.canvas, e.x, e.y, g.textFontName, g.textFontSize, g.textStyleIndex, text);
    if (ctx.host.listIndex("cboTextStyle") == kGhostEffect) {
      ctx.canvas.ForeColor = ctx.host.color2();
      placeText(ctx.canvas, e.x + kGhostOffset, e.y + kGhostOffset, g.textFontName, g.textFontSize,
                g.textStyleIndex, text);
    }
  }
  ctx.state.mouseIsDown = false;
  g.dlgResult = 2;
}

}  // namespace pictavo
