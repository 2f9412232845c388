#pragma once
// HintPanel: the floating panel Picture1 with its icon Image1 and its label
// Label7, which shows a one-line hint near the pointer for the select,
// paste, clone and text tools. It sizes itself to its text, lets every
// mouse event through to what lies under it (a click on it after Paste
// places the paste), and stays inside its parent.

#include <QFrame>

class QLabel;

namespace pictavo {

// The corner place() chooses, for a panel of that size in an area of that size.
QPoint hintCorner(int left, int top, QSize panel, QSize area);

class HintPanel : public QFrame {
  Q_OBJECT
 public:
  explicit HintPanel(QWidget* parent);
  void setText(const QString& text);
  QString text() const;
  // Places the top-left corner at (left, top), the pointer 10 pixels above
  // and left of it, in the parent's pixels. Where the panel would cross the
  // parent's right or bottom edge it goes to the pointer's other side, and
  // it never leaves the parent (unless the parent is smaller than it).
  void place(int left, int top);

 private:
  QLabel* icon_ = nullptr;
  QLabel* label_ = nullptr;
};

}  // namespace pictavo
