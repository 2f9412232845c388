#pragma once
// AboutBox: the window "frmAbout" of "关于 Pictavo2012(&A)...": the version
// text lblVersion over a large picture, the link picture Image1 (the
// maker's home page in the web window) and "确定(&O)" (cmdOK), which Enter
// and Esc press too.

#include <QDialog>

namespace pictavo {

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* owner);

  // Shows the box modally over the owner; returns when it has closed.
  static void ask(QWidget* owner);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void followLink();
};

}  // namespace pictavo
