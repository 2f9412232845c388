#include "controls/ColorPalette.h"

#include "controls/MousePointer.h"
#include "controls/PictureImage.h"
#include "controls/SystemColors.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

namespace {

// Qt's buttons as the control reports them; 0 for buttons it ignores.
std::int32_t buttonNumber(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return PaletteModel::kLeft;
    case Qt::RightButton: return PaletteModel::kRight;
    case Qt::MiddleButton: return PaletteModel::kMiddle;
    default: return 0;
  }
}

QColor qcolorOf(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

}  // namespace

ColorPalette::ColorPalette(QWidget* parent) : QWidget(parent) {
  setFixedSize(kPaletteWidth, kPaletteHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  model_.SetButtonFace(buttonFace());
  model_.setItemClickHandler([this](Color& color, std::int32_t& button) { emit ItemClick(color, button); });
  model_.setPropertyChangedHandler([this](const std::string& key) {
    if (!quiet_) emit propertyChanged(QString::fromStdString(key));
  });
  model_.surface().setChangeListener(
      [this](const Rect& r) { update(QRect(r.left, r.top, r.width(), r.height())); });
  model_.DrawPalette();
}

Color ColorPalette::buttonFace() const {
  const QColor q = palette().color(QPalette::Button);
  return composeColor(q.red(), q.green(), q.blue());
}

void ColorPalette::setMousePointer(std::int16_t pointer) {
  mousePointer_ = pointer;
  applyMousePointer(*this, mousePointer_, mouseIcon_);
  if (!quiet_) emit propertyChanged(QStringLiteral("MousePointer"));
}

void ColorPalette::setMouseIcon(const QImage& icon) {
  mouseIcon_ = icon;
  applyMousePointer(*this, mousePointer_, mouseIcon_);
  if (!quiet_) emit propertyChanged(QStringLiteral("MouseIcon"));
}

void ColorPalette::ReadProperties(const PropertyBag& bag) {
  model_.ReadProperties(bag);
  const PictureRef icon = bag.ReadProperty<PictureRef>("MouseIcon", nullptr);
  setMouseIcon(icon ? imageFromPicture(*icon) : QImage());
  quiet_ = true;
  setMousePointer(bag.ReadProperty<std::int16_t>("MousePointer", 0));
  setEnabled(bag.ReadProperty<bool>("Enabled", true));
  quiet_ = false;
}

void ColorPalette::WriteProperties(PropertyBag& bag) const {
  model_.WriteProperties(bag);
  PictureRef icon;
  if (!mouseIcon_.isNull()) icon = std::make_shared<const Picture>(pictureFromImage(mouseIcon_));
  bag.WriteProperty<PictureRef>("MouseIcon", icon, nullptr);
  bag.WriteProperty<std::int16_t>("MousePointer", mousePointer_, 0);
  bag.WriteProperty<bool>("Enabled", isEnabled(), true);
}

void ColorPalette::InitProperties() { model_.InitProperties(); }

QImage ColorPalette::image() const {
  const Surface& s = model_.surface();
  return QImage(reinterpret_cast<const uchar*>(s.visibleBits()), s.Width(), s.Height(), s.stride() * 4,
                QImage::Format_RGB32)
      .copy();
}

void ColorPalette::mousePressEvent(QMouseEvent* event) {
  const std::int32_t button = buttonNumber(event->button());
  if (button == 0) return;
  const QPointF p = event->position();
  model_.MouseDown(button, p.x(), p.y());
}

void ColorPalette::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click is no new mouse-down: the dialog
  // acts on the cell and button of the press that began it.
  if (buttonNumber(event->button()) == 0) return;
  model_.DblClick([this](Color initial, bool fullOpen) { return ShowColorDialog(initial, fullOpen); });
}

std::int64_t ColorPalette::ShowColorDialog(Color initial, bool fullOpen) {
  const auto ramp = customColorRamp(initial);
  for (int k = 0; k < 16; ++k) QColorDialog::setCustomColor(k, qcolorOf(ramp[std::size_t(k)]));

  QColorDialog dialog(this);
  dialog.setObjectName(kColorDialogName);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  // Qt's own dialog always shows its custom-colour part; the flag is kept
  // on the dialog for whoever inspects it.
  dialog.setProperty("fullOpen", fullOpen);
  const std::optional<Color> translated = OleTranslateColor(initial);
  if (translated)
    dialog.setCurrentColor(qcolorOf(*translated));
  else if (initial == 0)
    dialog.setCurrentColor(Qt::black);
  if (dialog.exec() != QDialog::Accepted) return -1;
  const QColor chosen = dialog.selectedColor();
  if (!chosen.isValid()) return -1;
  return composeColor(chosen.red(), chosen.green(), chosen.blue());
}

void ColorPalette::paintEvent(QPaintEvent* event) {
  const Surface& s = model_.surface();
  const QImage shown(reinterpret_cast<const uchar*>(s.visibleBits()), s.Width(), s.Height(), s.stride() * 4,
                     QImage::Format_RGB32);
  QPainter painter(this);
  painter.drawImage(event->rect(), shown, event->rect());
}

void ColorPalette::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  model_.SetButtonFace(buttonFace());
  model_.DrawPalette();
}

void ColorPalette::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !quiet_) emit propertyChanged(QStringLiteral("Enabled"));
}

}  // namespace pictavo
