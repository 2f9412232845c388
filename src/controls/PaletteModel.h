#pragma once
// PaletteModel: the colour palette without its window. It holds the cell
// table, the two current colours and the last press, runs the press and
// double-click steps, and draws the whole control onto its own Surface
// (256 x 32), which the ColorPalette widget shows. Plain C++.
//
// Drawing: DrawPalette clears the surface to the grey background picture,
// composes every cell in the hidden buffer pSrc (an 18 x 18 framed tile)
// and copies it to the cell's place, then draws the swatches;
// DrawCurrentColors redraws only the two swatches. A colour write redraws
// the swatches only, never the cells.
//
// Hooks (all optional): ItemClick hears of a press on a cell before its
// colour is applied, with references to the cell's table entry and to the
// button, which it may change; PropertyChanged hears the key of every
// property write ("Color1", "Color2", "OpenFullColorDLG").

#include "canvas/Surface.h"
#include "controls/PaletteTable.h"
#include "controls/PropertyBag.h"

#include <cstdint>
#include <functional>
#include <string>

namespace pictavo {

class PaletteModel {
 public:
  using ItemClickHandler = std::function<void(Color& color, std::int32_t& button)>;
  using PropertyChangedHandler = std::function<void(const std::string& key)>;
  // Shows the colour dialog: the initial colour and the full-open flag in,
  // the chosen colour out, or -1 when the user cancels.
  using ColorChooser = std::function<std::int64_t(Color initial, bool fullOpen)>;

  // Mouse buttons as the control reports them.
  static constexpr std::int32_t kLeft = 1, kRight = 2, kMiddle = 4;

  // buttonFace: the system button-face colour (the outline of the swatches
  // and the surface's own background right of the grey picture).
  explicit PaletteModel(Color buttonFace = composeColor(240, 240, 240));

  Color Color1() const { return m_Color1; }
  void SetColor1(Color c);
  Color Color2() const { return m_Color2; }
  void SetColor2(Color c);
  void SwapColors();
  bool OpenFullColorDLG() const { return m_OpenFull; }
  void SetOpenFullColorDLG(bool on);

  // A mouse-down at (x, y) with button 1, 2 or 4.
  void MouseDown(std::int32_t button, double x, double y);
  // A double-click: acts on the cell and button of the mouse-down that
  // began it; the chooser is not called when that press hit no cell.
  void DblClick(const ColorChooser& choose);

  void DrawPalette();
  void DrawCurrentColors();
  void SetButtonFace(Color c) { buttonFace_ = c; }

  // Stored properties "Color1", "Color2", "OpenFullColorDLG" (defaults
  // black, white, true); the values go through the property writes.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  // A control newly placed on a form.
  void InitProperties();

  void setItemClickHandler(ItemClickHandler h) { itemClick_ = std::move(h); }
  void setPropertyChangedHandler(PropertyChangedHandler h) { propertyChanged_ = std::move(h); }

  const Surface& surface() const { return surface_; }
  Surface& surface() { return surface_; }
  Color cellColor(int index) const;
  std::int16_t lastIndex() const { return m_Index; }
  std::int16_t lastColumn() const { return m_Column; }
  std::int16_t lastRow() const { return m_Row; }
  std::int32_t lastButton() const { return m_Button; }

 private:
  void PaintSwatch(Color c);
  void clearBuffer(int width, int height);
  void markChanged(const std::string& key);

  PaletteColors m_Colors;
  Color m_Color1 = kBlack;
  Color m_Color2 = kWhite;
  bool m_OpenFull = true;
  std::int16_t m_Column = 0, m_Row = 0, m_Index = -1;
  std::int32_t m_Button = 0;

  Color buttonFace_;
  Surface surface_;     // the control as shown
  Surface background_;  // the grey background picture
  Surface pSrc;         // where tiles are composed
  Picture frame_;       // pSrc's picture: the framed tile
  ItemClickHandler itemClick_;
  PropertyChangedHandler propertyChanged_;
};

}  // namespace pictavo
