#pragma once
// The new-canvas dialog: asks for the pixel size and background colour of a
// blank canvas and writes them to the program-wide variables canvasWidth,
// canvasHeight, canvasBackColor and dlgResult (1 accepted, left at 2
// otherwise). The caller builds the canvas from them.
//
// Object names: the window "frmNew"; "Image1", "lblWidth", "txtWidth",
// "lblHeight", "txtHeight", "lblImagebk", "cboColor", "Label1", "cmdOK",
// "CmdCancel".

#include "canvas/Color.h"

#include <QDialog>

#include <functional>
#include <utility>

class QComboBox;
class QLineEdit;

namespace pictavo {

enum class Link;

class NewCanvasDialog : public QDialog {
  Q_OBJECT
 public:
  // The palette's current Color1 and Color2, asked at the moment of the
  // click on "开始绘画>".
  using PaletteColors = std::function<std::pair<Color, Color>()>;

  // Without palette colours the last two list items give the palette's own
  // defaults, black and white.
  explicit NewCanvasDialog(QWidget* owner, PaletteColors paletteColors = {});

  // Shows a new dialog modally, owned by the caller's window, and returns
  // dlgResult once it has closed.
  static int ask(QWidget* owner, PaletteColors paletteColors = {});

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void startDrawing();
  void cancel();
  void follow(Link link);
  Color chosenColor() const;

  PaletteColors paletteColors_;
  QLineEdit* width_ = nullptr;
  QLineEdit* height_ = nullptr;
  QComboBox* color_ = nullptr;
  bool centred_ = false;
};

}  // namespace pictavo
