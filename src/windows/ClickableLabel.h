#pragma once
// A label or picture that acts on a click, as the links and the shredder
// icon do. Like a button, a click is a left press and release both inside
// the label; it shows a hand pointer when it is a link.

#include <QLabel>

namespace pictavo {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace pictavo
