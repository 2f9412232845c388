#pragma once
// HintPanel: the floating panel Picture1 with its icon Image1 and its label
// Label7, which shows a one-line hint near the pointer for the select,
// paste, clone and text tools. It sizes itself to its text.

#include <QFrame>

class QLabel;

namespace pictavo {

class HintPanel : public QFrame {
  Q_OBJECT
 public:
  explicit HintPanel(QWidget* parent);
  void setText(const QString& text);
  QString text() const;

 private:
  QLabel* icon_ = nullptr;
  QLabel* label_ = nullptr;
};

}  // namespace pictavo
