// The flat button's looks by state, its events by button, the magenta key
// of its icon and its stored properties.
#include "controls/FlatButton.h"
#include "controls/ToolIcons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSet>
#include <gtest/gtest.h>

#include <memory>

namespace pictavo {
namespace {

void send(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, pos, w.mapToGlobal(pos), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}
// A press gives the focus first, as the platform's press would.
void press(QWidget& w, Qt::MouseButton b = Qt::LeftButton) {
  w.setFocus(Qt::MouseFocusReason);
  send(w, QEvent::MouseButtonPress, {50, 12}, b, b);
}
void release(QWidget& w, Qt::MouseButton b = Qt::LeftButton) {
  send(w, QEvent::MouseButtonRelease, {50, 12}, b, Qt::NoButton);
}

// A window with two buttons, shown and active, so that focus moves as a
// user's clicks move it.
struct Bar {
  QWidget window;
  FlatButton* a = new FlatButton(&window);
  FlatButton* b = new FlatButton(&window);
  Bar() {
    window.resize(240, 60);
    b->move(120, 0);
    window.show();
    QApplication::setActiveWindow(&window);
    a->setFocus();
    b->setFocus();
  }
};

TEST(FlatButtonLook, PressedSelectedAndDisabledEachDrawDifferently) {
  Bar bar;
  FlatButton& button = *bar.a;
  button.setButtonStyle(0);
  const QImage normal = button.image();
  press(button);
  const QImage pressed = button.image();
  EXPECT_NE(pressed, normal);
  release(button);
  const QImage selected = button.image();
  EXPECT_TRUE(button.isSelectedLook());
  EXPECT_NE(selected, normal);
  EXPECT_NE(selected, pressed);
  EXPECT_EQ(selected.pixelColor(60, 3), selected.pixelColor(60, 3).toRgb());
  EXPECT_GT(selected.pixelColor(60, 20).blue(), selected.pixelColor(60, 20).red());  // the blue background

  bar.b->setFocus(Qt::MouseFocusReason);  // focus moves on: back to the normal background
  EXPECT_FALSE(button.isSelectedLook());
  EXPECT_EQ(button.image(), normal);

  button.setEnabled(false);
  EXPECT_NE(button.image(), normal);
}

TEST(FlatButtonLook, HoverChangesNothing) {
  Bar bar;
  const QImage before = bar.a->image();
  int moves = 0;
  QObject::connect(bar.a, &FlatButton::MouseMove, [&](int button, int, float x, float) {
    ++moves;
    EXPECT_EQ(button, 0);
    EXPECT_EQ(x, 30.0f);
  });
  send(*bar.a, QEvent::MouseMove, {30, 10}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(bar.a->image(), before);
}

TEST(FlatButtonLook, ToolBarStyleShowsNoEdgeEvenWhenPressed) {
  Bar bar;
  FlatButton& button = *bar.a;
  button.setButtonStyle(2);
  const QImage normal = button.image();
  press(button);
  EXPECT_EQ(button.image(), normal);
  button.setButtonStyle(1);
  press(button);
  const QImage thinSunken = button.image();
  button.setButtonStyle(0);
  press(button);
  EXPECT_NE(button.image(), thinSunken);
  EXPECT_NE(thinSunken, normal);
}

TEST(FlatButtonEvents, ClickOnlyForTheLeftButton) {
  Bar bar;
  FlatButton& button = *bar.a;
  int clicks = 0, dbl = 0;
  std::vector<int> downs, ups;
  QObject::connect(&button, &FlatButton::Click, [&] { ++clicks; });
  QObject::connect(&button, &FlatButton::DblClick, [&] { ++dbl; });
  QObject::connect(&button, &FlatButton::MouseDown, [&](int b, int, float, float) { downs.push_back(b); });
  QObject::connect(&button, &FlatButton::MouseUp, [&](int b, int, float, float) { ups.push_back(b); });

  press(button, Qt::RightButton);
  release(button, Qt::RightButton);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(button.isSelectedLook());  // selected although no Click

  press(button, Qt::MiddleButton);
  release(button, Qt::MiddleButton);
  press(button);
  release(button);
  EXPECT_EQ(clicks, 1);

  // A double-click: down, up, double-click, up; no second Click.
  press(button);
  release(button);
  send(button, QEvent::MouseButtonDblClick, {50, 12}, Qt::LeftButton, Qt::LeftButton);
  release(button);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(downs, (std::vector<int>{2, 4, 1, 1}));
  EXPECT_EQ(ups, (std::vector<int>{2, 4, 1, 1, 1}));

  // Released off the button: no click.
  press(button);
  send(button, QEvent::MouseButtonRelease, {500, 12}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 2);
}

TEST(FlatButtonIcon, MagentaPixelsAreNotDrawnAndOnlyTheTopLeft16Show) {
  Bar bar;
  FlatButton& button = *bar.a;
  button.setCaption(QString());
  const QImage plain = button.image();

  QImage icon(20, 20, QImage::Format_RGB32);
  icon.fill(QColor(255, 0, 255));
  icon.setPixel(0, 0, qRgb(0, 128, 0));
  icon.setPixel(15, 15, qRgb(0, 128, 0));
  icon.setPixel(16, 3, qRgb(0, 128, 0));  // beyond the 16 x 16 shown
  button.setPicture(icon);
  const QImage shown = button.image();
  const int iy = (button.height() - 16) / 2;
  QSet<QPoint> differing;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != plain.pixel(x, y)) differing.insert(QPoint(x, y));
  EXPECT_EQ(differing, (QSet<QPoint>{QPoint(5, iy), QPoint(20, iy + 15)}));
  EXPECT_EQ(shown.pixel(5, iy), qRgb(0, 128, 0));
}

TEST(FlatButtonCaption, CentredCaptionMovesThreePixelsRightWithAnIcon) {
  Bar bar;
  FlatButton& button = *bar.a;
  button.setButtonStyle(2);
  button.setCaption("WWW");
  const QImage without = button.image();
  QImage blank(16, 16, QImage::Format_RGB32);  // an icon that is all key colour
  blank.fill(QColor(255, 0, 255));
  button.setPicture(blank);
  const QImage with = button.image();
  ASSERT_NE(with, without);
  // The background is the same in every column, so a caption shifted by 3
  // pixels matches the caption without an icon exactly.
  for (int y = 0; y < with.height(); ++y)
    for (int x = 0; x + 3 < with.width(); ++x)
      ASSERT_EQ(with.pixel(x + 3, y), without.pixel(x, y)) << x << "," << y;
}

TEST(FlatButtonProperties, DefaultsAreNotStoredAndLoadingRestores) {
  QWidget form;
  FlatButton fresh(&form);
  PropertyBag empty;
  fresh.WriteProperties(empty);
  EXPECT_EQ(empty.size(), 0u);

  FlatButton button(&form);
  QStringList keys;
  QObject::connect(&button, &FlatButton::propertyChanged, [&](const QString& k) { keys << k; });
  button.setCaption("铅笔");
  button.setButtonStyle(2);
  button.setForeColor(0x404040);
  button.setPicture(toolIcon(1));
  button.setCaptionAlignment(1);  // the default again
  EXPECT_EQ(keys, (QStringList{"Caption", "ButtonStyle", "ForeColor", "Picture", "CaptionAlignment"}));
  PropertyBag bag;
  button.WriteProperties(bag);
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"ButtonStyle", "Caption", "ForeColor", "Picture"}));

  FlatButton loaded(&form);
  loaded.ReadProperties(bag);
  EXPECT_EQ(loaded.Caption(), QString("铅笔"));
  EXPECT_EQ(loaded.ButtonStyle(), 2);
  EXPECT_EQ(loaded.ForeColor(), 0x404040u);
  EXPECT_EQ(loaded.Picture().convertToFormat(QImage::Format_RGB32), toolIcon(1));
  EXPECT_EQ(loaded.image(), button.image());
}

}  // namespace
}  // namespace pictavo
