#pragma once
// FlatButton: the button control dFlatButton. It draws a background
// picture, an optional 3-D edge (ButtonStyle 0 raised/sunken, 1 thin
// raised/sunken line, 2 none), a 16 x 16 icon at (5, (H - 16) div 2) with
// magenta transparent, and its caption. A mouse-up on it switches to the
// blue "selected" background until it loses the keyboard focus.
//
// API (every property write redraws and emits propertyChanged(key), except
// MouseIcon and MousePointer, which only emit):
//   CaptionAlignment  0 left, 1 centre (default), 2 right
//   backcolor         colour 0x00BBGGRR or system colour; default button face 0x8000000F
//   ForeColor         caption colour; default button text 0x80000012
//   Caption           default "FlatButton"
//   ShowFocusRect     default true
//   Picture           the icon (a QImage; only its top-left 16 x 16 is drawn)
//   ButtonStyle       default 1
//   MousePointer, MouseIcon   pointer shape (classic numbers; 99 uses MouseIcon)
//   setFont / setEnabled      QWidget's, redraw and emit "Font" / "Enabled";
//                             disabled buttons draw an embossed caption and take no input
//   Size(w, h)        resizes
//   ReadProperties(bag), WriteProperties(bag), InitProperties()
// Signals, in the order the button raises them:
//   MouseDown(button, shift, x, y)   after its own handling (buttons 1 left, 2 right,
//                                    4 middle; shift 1 Shift, 2 Ctrl, 4 Alt)
//   MouseUp(button, shift, x, y)     after its own handling
//   Click()                          a release on the button after a left press only
//   DblClick()                       every double-click
//   MouseMove(button, shift, x, y)   every move (button: the buttons held)

#include "canvas/Color.h"
#include "controls/PropertyBag.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace pictavo {

class FlatButton : public QWidget {
  Q_OBJECT

 public:
  explicit FlatButton(QWidget* parent = nullptr);

  std::int32_t CaptionAlignment() const { return m_CaptionAlignment; }
  void setCaptionAlignment(std::int32_t alignment);
  Color backcolor() const { return backColor_; }
  void setBackcolor(Color c);
  Color ForeColor() const { return foreColor_; }
  void setForeColor(Color c);
  QString Caption() const { return m_Caption; }
  void setCaption(const QString& caption);
  bool ShowFocusRect() const { return m_ShowFocusRect; }
  void setShowFocusRect(bool on);
  QImage Picture() const { return PicImg; }
  void setPicture(const QImage& icon);
  std::int32_t ButtonStyle() const { return m_ButtonStyle; }
  void setButtonStyle(std::int32_t style);
  std::int16_t MousePointer() const { return mousePointer_; }
  void setMousePointer(std::int16_t pointer);
  QImage MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(const QImage& icon);
  void Size(int width, int height) { resize(width, height); }

  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  void InitProperties();

  // For tests and the replay driver: what the button shows, whether the
  // selected background is up, and the focus flag the button keeps.
  QImage image() const { return surface_; }
  bool isSelectedLook() const { return selected_; }
  bool hasFocusFlag() const { return m_HasFocus; }

 signals:
  void Click();
  void DblClick();
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);
  void MouseDown(int button, int shift, float x, float y);
  void propertyChanged(const QString& key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void DrawButton(bool pressed);
  int DrawCaption(QImage* dc, int x, int y, const QString& text, bool enabled, Color color);
  void DrawFocus();
  void setSelected(bool selected);
  void clearSurface();
  void changed(const char* key);

  struct RectL {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  };

  bool m_HasFocus = false;
  RectL m_Rect;
  std::int32_t m_CaptionAlignment = 1;
  std::int32_t m_LastButton = 0;
  QString m_Caption;
  bool m_ShowFocusRect = true;
  std::int32_t m_ButtonStyle = 1;

  Color backColor_ = 0x8000000Fu;
  Color foreColor_ = 0x80000012u;
  std::int16_t mousePointer_ = 0;
  QImage mouseIcon_;
  QImage PicImg;
  QImage surface_;          // the button as drawn
  bool selected_ = false;   // Image1 is the background picture
  bool afterDblClick_ = false;
  bool quiet_ = false;      // reading stored properties
};

}  // namespace pictavo
