#pragma once
// OptionRow: the contents of the top panel pTop: the tool option panels
// with their labelled drop-down lists (pDrawWidth, pFillType, pBrush, pErase,
// pClone, pGrad, pTextStyle), the colour palette dColorPallete1 and the
// label advertising another product of the maker. Widgets are found by
// object name; the lists start empty (start-up fills them).

#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;

namespace pictavo {

class ColorPalette;

class OptionRow {
 public:
  // The option lists in the order the dump reports them.
  static const QStringList& listNames();

  explicit OptionRow(QWidget* top);
  QComboBox* list(const QString& name) const;
  ColorPalette* palette() const { return palette_; }

 private:
  QWidget* top_;
  ColorPalette* palette_ = nullptr;
};

}  // namespace pictavo
