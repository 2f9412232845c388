#pragma once
// The delete hint window of "删除(&D)...": explains how to delete a region
// and clears the whole canvas after two deliberate steps (the shredder icon,
// then "删除").
//
// Object names: the window "warndywtd"; instruction "Label3", shredder icon
// "Image2", "删除" "Command2" (hidden until the icon is clicked), its frame
// "Image3", "取消" "Command1".

#include <QDialog>

class QLabel;
class QPushButton;

namespace pictavo {

class ClickableLabel;
class Surface;

class HintWindow : public QDialog {
  Q_OBJECT
 public:
  HintWindow(QWidget* owner, Surface& canvas);

  // Shows a new window modally, owned by the caller's window; returns when
  // it has closed, true when it cleared the canvas.
  static bool ask(QWidget* owner, Surface& canvas);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void armDelete();
  void deletePicture();

  Surface& canvas_;
  QLabel* instruction_ = nullptr;
  QPushButton* delete_ = nullptr;
  QLabel* deleteFrame_ = nullptr;
  bool centred_ = false;
};

}  // namespace pictavo
