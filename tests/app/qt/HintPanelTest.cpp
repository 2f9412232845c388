// The floating hint panel: it never takes a click meant for the canvas
// under it, and it stays inside the window beside the pointer.
#include "app/HintPanel.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace pictavo {
namespace {

class PressCounter : public QWidget {
 public:
  using QWidget::QWidget;
  int presses = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

TEST(HintPanel, ClicksOnItReachTheWidgetUnderIt) {
  QWidget window;
  window.resize(300, 200);
  PressCounter canvas(&window);
  canvas.setGeometry(0, 0, 300, 200);
  HintPanel hint(&window);
  hint.setText(QStringLiteral("按住鼠标不放,粘贴的图片会出现,继续移动鼠标改变位置"));
  hint.place(20, 20);
  hint.show();
  hint.raise();
  window.show();
  const QPoint inside = hint.geometry().center();
  EXPECT_EQ(window.childAt(inside), &canvas);
  // Through the window, as the window system delivers a press.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(inside), QPointF(window.mapToGlobal(inside)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.windowHandle(), &press);
  EXPECT_EQ(canvas.presses, 1);
}

TEST(HintPanel, GoesToThePointersOtherSideRatherThanPastTheEdge) {
  const QSize panel(200, 24), area(640, 480);
  // Room on the right and below: the corner stays 10 pixels past the pointer.
  EXPECT_EQ(hintCorner(110, 60, panel, area), QPoint(110, 60));
  // The pointer near the right edge (at x 600): the panel ends 10 pixels
  // before it; near the bottom (y 470), it sits above.
  EXPECT_EQ(hintCorner(610, 60, panel, area), QPoint(600 - 10 - 200, 60));
  EXPECT_EQ(hintCorner(110, 480, panel, area), QPoint(110, 470 - 10 - 24));
  // Fitting on neither side, it is held at the edge it would cross.
  EXPECT_EQ(hintCorner(150, 60, QSize(600, 24), area), QPoint(0, 60));
  EXPECT_EQ(hintCorner(-50, -50, panel, area), QPoint(0, 0));

  // The panel itself: its whole text shown inside its window.
  QWidget window;
  window.resize(640, 480);
  HintPanel hint(&window);
  hint.setText(QStringLiteral("请先在上方主面板选择文字样式,然后单击需要放置文字的区域开始设置"));
  hint.place(630, 100);
  EXPECT_LE(hint.geometry().right(), 639);
  EXPECT_EQ(hint.x(), 620 - 10 - hint.width());
  // A longer text at the same corner does not reach past the edge either.
  hint.setText(QStringLiteral("选择"));
  hint.place(560, 100);
  hint.setText(QStringLiteral("选择一个区域,按Del可删除或可在菜单栏里选择功能"));
  EXPECT_LE(hint.geometry().right(), 639);
}

}  // namespace
}  // namespace pictavo
