#pragma once
// Clipboard: the Edit commands on the selection and the pending paste. The
// buffer is the main window's hidden surface pSrc21 (ToolHost::copyBuffer);
// the window exchanges its pictures with the system clipboard
// (copiedPicture, takePicture), this engine knows nothing of it.
//
//   copy()   mnuCopy: the selected pixels into the buffer; ignores failures
//   cut()    mnuCut and the Delete key: copy, then fill the hole with the
//            canvas background colour; failures are thrown (pictavo::Error)
//            for the window to report
//            (both return whether they filled the buffer)
//   paste()  mnuPaste: the next drag on the canvas shows the buffer centred
//            on the pointer (previewPaste) and places it at the release
//            (commitPaste); no tool runs until a tool button is chosen
//
// A selection of Width x Height covers (Width + 1) x (Height + 1) pixels: the
// outline's right and bottom edges lie on pixels that belong to it. Its
// corner and extents are taken to whole pixels (halves to even), so the
// copied and the erased areas are always the same pixels.
//
// With the transparent option (MnuDQue) the paste skips buffer pixels of
// exactly the canvas's background colour. Until the first copy the buffer
// holds nothing, and a paste places nothing.

#include "canvas/DrawingState.h"
#include "canvas/Surface.h"
#include "canvas/ToolHost.h"

namespace pictavo {

// Where a selection lies in whole pixels: both corners included.
struct SelectionPixels {
  int left = 0, top = 0, width = 0, height = 0;  // width, height: outline extents
  int right() const { return left + width; }      // included
  int bottom() const { return top + height; }     // included
};

class Clipboard {
 public:
  Clipboard(ToolHost& host, DrawingState& state) : host_(host), state_(state) {}

  bool copy();
  bool cut();
  void paste();

  // What the last copy took from the canvas: the buffer without the margin
  // that lay beyond the canvas (empty when all of it did). After
  // takePicture, the whole buffer.
  Picture copiedPicture();
  // A picture from elsewhere becomes the buffer, its transparent parts laid
  // over white. Throws the selection-size error when the buffer cannot
  // take it (checkBufferSize first spares converting a huge picture).
  void takePicture(const Picture& picture);
  // Throws the selection-size error (pictavo::Error) unless a buffer of
  // width x height is allowed.
  static void checkBufferSize(std::int64_t width, std::int64_t height);
  void previewPaste(float x, float y);
  void commitPaste(float x, float y);

  // True once a copy has filled the buffer.
  bool hasContent() const { return hasContent_; }

  // Copies the selected pixels of canvas's persistent image into buffer,
  // sized (width + 1) x (height + 1); parts outside the canvas stay the
  // buffer's magenta. With erase, then fills the same pixels of the canvas
  // with its background colour. Nothing happens when copy is false.
  // Throws pictavo::Error when the buffer cannot take that size.
  static void CopySelection(Surface& canvas, Surface& buffer, const OutlineShape& selection, bool copy, bool erase);

  static SelectionPixels pixelsOf(const OutlineShape& selection);
  // The canvas pixels a copy of the selection takes: both outline corners
  // included, clipped to the canvas (empty when none lies on it).
  static Rect areaOnCanvas(const OutlineShape& selection, const Surface& canvas);

  // Top-left corner of a buffer of width x height centred on (x, y).
  static int pasteLeft(float x, int width);

 private:
  void drawBuffer(float x, float y);

  ToolHost& host_;
  DrawingState& state_;
  bool hasContent_ = false;
  Rect copiedArea_;  // in buffer pixels
};

}  // namespace pictavo
