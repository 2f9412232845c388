#include "canvas/Clipboard.h"

#include "base/Errors.h"
#include "canvas/ToolEngine.h"

#include <algorithm>
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

void Clipboard::checkBufferSize(std::int64_t width, std::int64_t height) {
  if (!Surface::sizeAllowed(width, height)) {
    throw Error(kErrOutOfMemory, "选择区域过大: " + std::to_string(width) + " x " + std::to_string(height));
  }
}

void Clipboard::CopySelection(Surface& canvas, Surface& buffer, const OutlineShape& selection, bool copy,
                              bool erase) {
  if (!copy) return;
  const SelectionPixels p = pixelsOf(selection);
  const std::int64_t width = std::int64_t(p.width) + 1;
  const std::int64_t height = std::int64_t(p.height) + 1;
  checkBufferSize(width, height);
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

Rect Clipboard::areaOnCanvas(const OutlineShape& selection, const Surface& canvas) {
  const SelectionPixels p = pixelsOf(selection);
  // In 64 bits: a corner far outside plus its extent must not wrap round.
  auto within = [](std::int64_t v, int limit) { return int(std::clamp<std::int64_t>(v, 0, limit)); };
  const Rect area{within(p.left, canvas.Width()), within(p.top, canvas.Height()),
                  within(std::int64_t(p.left) + p.width + 1, canvas.Width()),
                  within(std::int64_t(p.top) + p.height + 1, canvas.Height())};
  return area.isEmpty() ? Rect{} : area;
}

namespace {

// The part of a selection's buffer that lay on the canvas, in buffer pixels.
Rect areaInBuffer(const OutlineShape& selection, const Surface& canvas) {
  const Rect onCanvas = Clipboard::areaOnCanvas(selection, canvas);
  if (onCanvas.isEmpty()) return {};
  const SelectionPixels p = Clipboard::pixelsOf(selection);
  return Rect{onCanvas.left - p.left, onCanvas.top - p.top, onCanvas.right - p.left, onCanvas.bottom - p.top};
}

}  // namespace

bool Clipboard::copy() {
  if (!host_.selection().visible) return false;
  state_.pastePending = false;
  bool filled = false;
  try {
    if (Surface* buffer = host_.copyBuffer()) {
      const OutlineShape selection = host_.selection();
      CopySelection(host_.canvas(), *buffer, selection, true, false);
      copiedArea_ = areaInBuffer(selection, host_.canvas());
      hasContent_ = filled = true;
    }
  } catch (const std::exception&) {
    // Copy goes on past a failure; the selection still goes away.
  }
  host_.hideSelection();
  return filled;
}

bool Clipboard::cut() {
  if (!host_.selection().visible) return false;
  state_.pastePending = false;
  bool filled = false;
  if (Surface* buffer = host_.copyBuffer()) {
    const OutlineShape selection = host_.selection();
    CopySelection(host_.canvas(), *buffer, selection, true, true);
    copiedArea_ = areaInBuffer(selection, host_.canvas());
    hasContent_ = filled = true;
  }
  host_.hideSelection();
  return filled;
}

Picture Clipboard::copiedPicture() {
  const Surface* buffer = host_.copyBuffer();
  const Rect area = buffer ? copiedArea_.intersected(buffer->bounds()) : Rect{};
  if (!hasContent_ || area.isEmpty()) return {};
  Picture picture(area.width(), area.height());
  const std::uint32_t* bits = buffer->bits(Surface::Layer::Persistent);
  for (int y = 0; y < area.height(); ++y) {
    const std::uint32_t* row = bits + std::size_t(area.top + y) * std::size_t(buffer->stride()) + std::size_t(area.left);
    for (int x = 0; x < area.width(); ++x) picture.at(x, y) = 0xFF000000u | row[x];
  }
  return picture;
}

void Clipboard::takePicture(const Picture& picture) {
  checkBufferSize(picture.width, picture.height);
  Surface* buffer = host_.copyBuffer();
  if (!buffer || picture.isNull()) return;
  // Over white, as an opened picture over the white canvas background.
  Picture opaque = picture;
  for (std::uint32_t& p : opaque.pixels) p = pixelOverBackground(p, pixelFromColor(kWhite));
  buffer->SetPicture(opaque);
  buffer->Refresh();
  copiedArea_ = buffer->bounds();
  hasContent_ = true;
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
