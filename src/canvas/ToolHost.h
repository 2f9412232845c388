#pragma once
// ToolHost: the narrow window the tool engine and the tools see of the main
// window. The engine knows nothing of widgets; the main window implements
// this interface, and the engine's tests implement it with a fake.
//
// Widgets are named by their object names ("pDrawWidth", "lblStyle",
// "mnuCut", "cboWidth", ...), so the main window can answer with
// findChild(name). Texts are UTF-8.
//
// The first group is what the engine itself needs (pure virtual). The later
// groups serve the tools plugged into the engine's table; they have default
// bodies so a host compiles before those tools exist.

#include "canvas/Color.h"
#include "canvas/Picture.h"

#include <string>

namespace pictavo {

class Surface;

// An outline shape lying over the canvas (shpSelect, shpClone): not part of
// the picture. Canvas pixels, single precision, as the shape's own fields.
struct OutlineShape {
  float left = 0.0f;
  float top = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  bool visible = false;
  bool operator==(const OutlineShape&) const = default;
};

class ToolHost {
 public:
  virtual ~ToolHost() = default;

  // ---- used by the engine ------------------------------------------------
  // The canvas SrcDc. Asked for at every event, so the host may rebuild it.
  virtual Surface& canvas() = 0;

  // The palette's foreground (Color1) and background (Color2) colours, read
  // at the moment of the press. The setters serve the colour picker.
  virtual Color color1() const = 0;
  virtual Color color2() const = 0;
  virtual void setColor1(Color) {}
  virtual void setColor2(Color) {}

  // Shows or hides a widget of the option row by object name: the panels
  // "pDrawWidth", "pFillType", "pBrush", "pErase", "pClone", "pGrad",
  // "pTextStyle", and "lblStyle" / "cboStyle" inside pDrawWidth.
  virtual void setWidgetVisible(const std::string& objectName, bool visible) = 0;

  // Enables or disables a menu item by object name ("mnuCut", "mnuCopy").
  virtual void setMenuItemEnabled(const std::string& objectName, bool enabled) = 0;

  // Status bar text; panels are numbered 1..9 from the left. The engine
  // writes panel 2 (the pointer position).
  virtual void setStatusPanelText(int panel, const std::string& text) = 0;

  // The window caption (the modified mark lives there).
  virtual std::string windowTitle() const = 0;
  virtual void setWindowTitle(const std::string& title) = 0;

  // The floating hint panel Picture1 with its label Label7. showHint sets
  // the label's text and makes the panel visible without moving it;
  // moveHint places its top-left corner in main-window pixels.
  virtual void showHint(const std::string& text) = 0;
  virtual void hideHint() = 0;
  virtual bool isHintVisible() const = 0;
  virtual void moveHint(int left, int top) = 0;
  // Sizes the hint placement is measured from: the width of the tool bar
  // panel pTools and the height of the top panel pTop, in pixels.
  virtual int toolsPanelWidth() const = 0;
  virtual int topPanelHeight() const = 0;

  // The selection rectangle shpSelect. Its visibility says whether a
  // selection exists (Cut/Copy enabling, the Delete key).
  virtual OutlineShape selection() const = 0;
  virtual void setSelection(const OutlineShape& shape) = 0;
  // Hides the selection outline when it shows; its geometry stays.
  void hideSelection() {
    OutlineShape s = selection();
    if (s.visible) {
      s.visible = false;
      setSelection(s);
    }
  }

  // The clone marker shpClone.
  virtual OutlineShape cloneMarker() const = 0;
  virtual void setCloneMarker(const OutlineShape& shape) = 0;

  // The Cut command (mnuCut), which the Delete key runs while a selection
  // exists. It reports its own errors.
  virtual void cut() {}

  // ---- paste hooks -----------------------------------------------------------
  // While pastePending: the preview on every drag movement (before the
  // tool's own move step) and the commit at the release (before the tool's
  // release step, with persistent drawing already on). (x, y) is the pointer.
  virtual void previewPaste(float /*x*/, float /*y*/) {}
  virtual void commitPaste(float /*x*/, float /*y*/) {}

  // ---- for the tools -----------------------------------------------------
  // An option list by object name ("cboFillType", "cboWidth", "cboEraseType",
  // "cboCloneSize", "cboGrade", "cboTextStyle", "cboBrush", "cboPatten"):
  // the chosen index (-1 when none) and the chosen item's text.
  virtual int listIndex(const std::string& /*listName*/) const { return -1; }
  virtual std::string listText(const std::string& /*listName*/) const { return {}; }

  // The pattern picture ImgPatten (flood fill with a pattern); null when no
  // pattern was loaded (an empty pattern folder).
  virtual const Picture* patternPicture() const { return nullptr; }
  // The brush picture SrcBrush1 and the stamp buffer SrcBrush2 (magic bag);
  // the copy buffer pSrc21 (selection, paste). Null when the host has none.
  virtual Surface* brushPicture() { return nullptr; }
  virtual Surface* brushStamp() { return nullptr; }
  virtual Surface* copyBuffer() { return nullptr; }
  // The check mark of the transparent-paste item MnuDQue.
  virtual bool transparentPaste() const { return false; }

  // Shows the text dialog frmText modally over the main window. The dialog
  // leaves its outcome in globals().dlgResult and the text variables.
  virtual void showTextDialog() {}
};

}  // namespace pictavo
