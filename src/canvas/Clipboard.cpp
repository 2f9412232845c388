#include "canvas/Clipboard.h"

#include "app/Errors.h"
#include "canvas/ToolEngine.h"

#include <cstdint>

namespace pictavo {

SelectionPixels Clipboard::pixelsOf(const OutlineShape& s) {
  return SelectionPixels{roundCoord(s.left), roundCoord(s.top), roundCoord(s.width), roundCoord(s.height)};
}

int Clipboard::pasteLeft(float x, int width) {
  // The pointer is single precision; the half size is subtracted before the
  // rounding, as the pointer arrives.
  return roundCoord(double(x - float(width / 2)));
}

void Clipboard::CopySelection(Surface& canvas, Surface& buffer, const OutlineShape& selection, bool copy,
                              bool erase) {
  if (!copy) return;
  const SelectionPixels p = pixelsOf(selection);
  const std::int64_t width = std::int64_t(p.width) + 1;
  const std::int64_t height = std::int64_t(p.height) + 1;
  if (!Surface::sizeAllowed(width, height)) {
    throw Error(kErrOutOfMemory, "选择区域过大: " + std::to_string(width) + " x " + std::to_string(height));
  }
  buffer.Resize(int(width), int(height));
  // Without this, the parts of a selection that reach beyond the canvas
  // would keep pixels of an older copy.
  buffer.Cls();
  const bool wasPersistent = canvas.AutoRedraw();
  canvas.SetAutoRedraw(true);  // read the picture, never a preview
  buffer.BitBlt(0, 0, int(width), int(height), canvas, p.left, p.top);
  canvas.SetAutoRedraw(wasPersistent);
  buffer.Refresh();
  if (!erase) return;

  // A one-pixel pen, so the hole is exactly the copied area whatever the
  // line width chosen for the drawing tools.
  const int drawWidth = canvas.DrawWidth;
  canvas.DrawWidth = 1;
  canvas.Line(p.left, p.top, double(p.left) + p.width, double(p.top) + p.height, canvas.BackColor(),
              LineKind::FilledBox);
  canvas.DrawWidth = drawWidth;
  canvas.Refresh();
}

void Clipboard::hideSelection() {
  OutlineShape s = host_.selection();
  s.visible = false;
  host_.setSelection(s);
}

void Clipboard::copy() {
  if (!host_.selection().visible) return;
  state_.pastePending = false;
  try {
    if (Surface* buffer = host_.copyBuffer()) {
      CopySelection(host_.canvas(), *buffer, host_.selection(), true, false);
      hasContent_ = true;
    }
  } catch (const std::exception&) {
    // Copy goes on past a failure; the selection still goes away.
  }
  hideSelection();
}

void Clipboard::cut() {
  if (!host_.selection().visible) return;
  state_.pastePending = false;
  if (Surface* buffer = host_.copyBuffer()) {
    CopySelection(host_.canvas(), *buffer, host_.selection(), true, true);
    hasContent_ = true;
  }
  hideSelection();
}

void Clipboard::paste() {
  state_.pastePending = true;
  state_.curTool = kNoTool;
  host_.showHint(kPasteHint);
}

void Clipboard::drawBuffer(float x, float y) {
  Surface* buffer = host_.copyBuffer();
  if (!buffer || !hasContent_) return;
  const int width = buffer->Width(), height = buffer->Height();
  Surface& canvas = host_.canvas();
  const int left = pasteLeft(x, width), top = pasteLeft(y, height);
  if (host_.transparentPaste()) {
    canvas.TransparentBlt(left, top, width, height, *buffer, 0, 0, width, height, canvas.BackColor());
  } else {
    canvas.BitBlt(left, top, width, height, *buffer, 0, 0);
  }
}

void Clipboard::previewPaste(float x, float y) {
  // Refresh removes the previous preview from the visible layer.
  host_.canvas().Refresh();
  drawBuffer(x, y);
}

void Clipboard::commitPaste(float x, float y) { drawBuffer(x, y); }

}  // namespace pictavo
