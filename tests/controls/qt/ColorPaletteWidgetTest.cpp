// The palette widget: Qt's mouse events reach the right steps, the colour
// dialog is a findable modal child with the custom-colour ramp, and the
// widget's own properties are stored.
#include "controls/ColorPalette.h"

#include <QApplication>
#include <QColorDialog>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace pictavo {
namespace {

void send(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, pos, w.mapToGlobal(pos), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

void doubleClick(QWidget& w, QPointF pos, Qt::MouseButton button) {
  send(w, QEvent::MouseButtonPress, pos, button);
  send(w, QEvent::MouseButtonRelease, pos, button);
  send(w, QEvent::MouseButtonDblClick, pos, button);
  send(w, QEvent::MouseButtonRelease, pos, button);
}

// Answers the next modal colour dialog: records its custom colours, then
// picks `pick` (or cancels when pick is invalid).
struct DialogAnswer {
  explicit DialogAnswer(QColor p) : pick(p) {}
  QColor pick;
  bool seen = false;
  QString name;
  std::vector<QColor> custom;
  void arm() {
    QTimer::singleShot(0, [this] {
      auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = true;
      name = dialog->objectName();
      for (int k = 0; k < 16; ++k) custom.push_back(QColorDialog::customColor(k));
      if (pick.isValid()) {
        dialog->setCurrentColor(pick);
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
  }
};

TEST(ColorPaletteWidget, ItemClickCarriesTheButtonOfThePress) {
  ColorPalette palette;
  std::vector<std::int32_t> buttons;
  QObject::connect(&palette, &ColorPalette::ItemClick,
                   [&](Color&, std::int32_t& b) { buttons.push_back(b); });
  send(palette, QEvent::MouseButtonPress, {40, 8}, Qt::LeftButton);
  send(palette, QEvent::MouseButtonPress, {40, 24}, Qt::RightButton);
  send(palette, QEvent::MouseButtonPress, {60, 8}, Qt::MiddleButton);
  send(palette, QEvent::MouseButtonPress, {60, 8}, Qt::BackButton);  // not a button the control knows
  send(palette, QEvent::MouseButtonPress, {20, 8}, Qt::LeftButton);  // swatch area
  EXPECT_EQ(buttons, (std::vector<std::int32_t>{1, 2, 4}));
  EXPECT_EQ(palette.Color1(), kBlack);
  EXPECT_EQ(palette.Color2(), composeColor(70, 70, 70));
}

TEST(ColorPaletteWidget, DoubleClickOpensTheDialogWithTheRampAndUsesItsColour) {
  ColorPalette palette;
  palette.show();
  DialogAnswer answer{QColor(10, 20, 30)};
  answer.arm();
  doubleClick(palette, {40, 8}, Qt::LeftButton);  // black cell
  ASSERT_TRUE(answer.seen);
  EXPECT_EQ(answer.name, QString(ColorPalette::kColorDialogName));
  ASSERT_EQ(answer.custom.size(), 16u);
  EXPECT_EQ(answer.custom.front(), QColor(15, 15, 15));
  EXPECT_EQ(answer.custom.back(), QColor(240, 240, 240));
  EXPECT_EQ(palette.Color1(), composeColor(10, 20, 30));
  EXPECT_EQ(palette.model().cellColor(0), composeColor(10, 20, 30));

  DialogAnswer white{QColor(1, 2, 3)};
  white.arm();
  doubleClick(palette, {40, 24}, Qt::RightButton);  // white cell
  ASSERT_TRUE(white.seen);
  for (const QColor& c : white.custom) EXPECT_EQ(c, QColor(255, 255, 255));
  EXPECT_EQ(palette.Color2(), composeColor(1, 2, 3));
  EXPECT_EQ(palette.Color1(), composeColor(10, 20, 30));

  DialogAnswer cancel{QColor()};
  cancel.arm();
  doubleClick(palette, {56, 8}, Qt::LeftButton);
  ASSERT_TRUE(cancel.seen);
  EXPECT_EQ(palette.Color1(), palette.model().cellColor(2));  // from the press only
  EXPECT_EQ(palette.model().cellColor(2), composeColor(70, 70, 70));
}

TEST(ColorPaletteWidget, KeepsItsSizeWhateverTheContainerAsks) {
  ColorPalette palette;
  palette.resize(400, 60);
  EXPECT_EQ(palette.size(), QSize(256, 32));
}

TEST(ColorPaletteWidget, PointerAndEnabledAreMarkedAndStored) {
  ColorPalette palette;
  QStringList keys;
  QObject::connect(&palette, &ColorPalette::propertyChanged, [&](const QString& k) { keys << k; });
  palette.setMousePointer(1);
  palette.setEnabled(false);
  EXPECT_EQ(keys, (QStringList{"MousePointer", "Enabled"}));

  PropertyBag bag;
  palette.WriteProperties(bag);
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"Enabled", "MousePointer"}));

  ColorPalette loaded;
  QStringList loadKeys;
  QObject::connect(&loaded, &ColorPalette::propertyChanged, [&](const QString& k) { loadKeys << k; });
  loaded.ReadProperties(bag);
  EXPECT_FALSE(loaded.isEnabled());
  EXPECT_EQ(loaded.MousePointer(), 1);
  EXPECT_FALSE(loadKeys.contains("Enabled"));  // loading sets them on the control directly
}

}  // namespace
}  // namespace pictavo
