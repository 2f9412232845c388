#pragma once
// ColorPalette: the palette control dColorPallete, 256 x 32 pixels, fixed.
// Shows 28 colour cells and, at its left end, the background swatch
// (Color2) under the foreground swatch (Color1). The drawing and the press
// logic live in PaletteModel; this widget shows the model's surface and
// turns Qt's events into the model's steps.
//
// API for the window that holds it:
//   Color1(), setColor1(c), Color2(), setColor2(c)   colours 0x00BBGGRR;
//       a write redraws the swatches and emits propertyChanged("Color1"/"Color2")
//   SwapColors()                                  exchanges the two (the window calls it on 'x')
//   OpenFullColorDLG(), setOpenFullColorDLG(on)   default true
//   MousePointer(), setMousePointer(n)            classic pointer numbers (1 arrow)
//   MouseIcon(), setMouseIcon(image)              pointer picture for MousePointer 99
//   setEnabled(on)                                QWidget's; emits propertyChanged("Enabled")
//   ReadProperties(bag), WriteProperties(bag), InitProperties()
// Signals:
//   ItemClick(color, button)  on a press on a cell, before its colour is
//       applied; the references are the cell's table entry and the button
//       (1 left, 2 right, 4 middle); a directly connected slot may change
//       both. Connect it directly only (the default for a same-thread slot).
//   propertyChanged(key)      after every property write
//
// A press with the left button makes the cell's colour Color1, with the
// right or middle button Color2. A double-click opens the colour dialog
// (a modal QColorDialog child named kColorDialogName, found through
// QApplication::activeModalWidget()); the colour chosen replaces the
// cell's colour and becomes Color1 or Color2 by the button of the press.

#include "canvas/Color.h"
#include "controls/PaletteModel.h"
#include "controls/PropertyBag.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace pictavo {

class ColorPalette : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kColorDialogName = "dColorPalleteDialog";

  explicit ColorPalette(QWidget* parent = nullptr);

  Color Color1() const { return model_.Color1(); }
  void setColor1(Color c) { model_.SetColor1(c); }
  Color Color2() const { return model_.Color2(); }
  void setColor2(Color c) { model_.SetColor2(c); }
  void SwapColors() { model_.SwapColors(); }
  bool OpenFullColorDLG() const { return model_.OpenFullColorDLG(); }
  void setOpenFullColorDLG(bool on) { model_.SetOpenFullColorDLG(on); }
  std::int16_t MousePointer() const { return mousePointer_; }
  void setMousePointer(std::int16_t pointer);
  QImage MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(const QImage& icon);

  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  void InitProperties();

  // For tests and the replay driver: the cell table, the last press, and
  // the picture the control shows.
  const PaletteModel& model() const { return model_; }
  QImage image() const;

 signals:
  void ItemClick(pictavo::Color& color, std::int32_t& button);
  void propertyChanged(const QString& key);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  std::int64_t ShowColorDialog(Color initial, bool fullOpen);
  Color buttonFace() const;

  PaletteModel model_;
  std::int16_t mousePointer_ = 0;
  QImage mouseIcon_;
  bool quiet_ = false;  // reading stored properties: no change marks
};

}  // namespace pictavo
