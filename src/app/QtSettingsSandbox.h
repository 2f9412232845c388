#pragma once
// Qt's own dialogs remember things in Qt's user-scope settings
// (~/.config/QtProject.conf): the file dialog its last folder, history,
// sidebar and column widths, the colour dialog its custom colours. The
// program keeps nothing between runs, so for one run those settings live in
// a private temporary folder that goes away with this object.
//
// Make it before the QApplication and keep it beyond it: the colour dialog
// writes its colours while the application shuts down.

#include <QTemporaryDir>

namespace pictavo {

class QtSettingsSandbox {
 public:
  QtSettingsSandbox();
  ~QtSettingsSandbox();
  QtSettingsSandbox(const QtSettingsSandbox&) = delete;
  QtSettingsSandbox& operator=(const QtSettingsSandbox&) = delete;

  // Where Qt's settings go for this run.
  QString folder() const;
  // Removes the folder now, for an exit that runs no destructors.
  static void discard();

 private:
  QTemporaryDir dir_;
};

}  // namespace pictavo
