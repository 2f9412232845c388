#pragma once
// ToolBar: the tool bar panel pTools with the 22 tool buttons cmdtool(0..21)
// (object names "cmdtool0".."cmdtool21"), stacked from the top; button 18,
// the colour picker, is a square without caption. A left click on button i
// reports i.

#include <QFrame>

#include <array>
#include <functional>

namespace pictavo {

class ToolBar : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kButtonCount = 22;
  explicit ToolBar(QWidget* parent);
  void setClickHandler(std::function<void(int)> handler) { clicked_ = std::move(handler); }
  QWidget* button(int index) const;

 private:
  std::array<QWidget*, kButtonCount> buttons_{};
  std::function<void(int)> clicked_;
};

}  // namespace pictavo
