#include "controls/FlatButton.h"

#include "controls/ButtonDrawing.h"
#include "controls/FlatButtonArtwork.h"
#include "controls/FlatButtonLayout.h"
#include "controls/MousePointer.h"
#include "controls/PictureImage.h"
#include "controls/SystemColors.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace pictavo {

namespace {

int buttonNumber(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int heldButtons(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

QColor qcolorOf(Color c, QColor fallback) {
  const std::optional<Color> plain = OleTranslateColor(c);
  if (!plain) return fallback;
  return QColor(redOf(*plain), greenOf(*plain), blueOf(*plain));
}

SurfaceFont surfaceFontOf(const QFont& f) {
  SurfaceFont s;
  s.name = f.family().toStdString();
  s.size = f.pointSizeF();
  s.bold = f.bold();
  s.italic = f.italic();
  s.underline = f.underline();
  return s;
}

QFont qfontOf(const SurfaceFont& s, QFont base) {
  base.setFamily(QString::fromStdString(s.name));
  if (s.size > 0) base.setPointSizeF(s.size);
  base.setBold(s.bold);
  base.setItalic(s.italic);
  base.setUnderline(s.underline);
  return base;
}

}  // namespace

FlatButton::FlatButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  InitProperties();
  resize(normalButtonBackground().size());
  DrawButton(false);
}

void FlatButton::InitProperties() {
  quiet_ = true;
  m_CaptionAlignment = kAlignCenter;
  m_ButtonStyle = 1;
  m_Caption = QStringLiteral("FlatButton");
  m_ShowFocusRect = true;
  setFont(parentWidget() ? parentWidget()->font() : QApplication::font());
  quiet_ = false;
}

void FlatButton::changed(const char* key) {
  if (!quiet_) emit propertyChanged(QString::fromLatin1(key));
}

void FlatButton::setCaptionAlignment(std::int32_t alignment) {
  m_CaptionAlignment = alignment;
  DrawButton(false);
  changed("CaptionAlignment");
}

void FlatButton::setBackcolor(Color c) {
  backColor_ = c;
  DrawButton(false);
  changed("BackColor");
}

void FlatButton::setForeColor(Color c) {
  foreColor_ = c;
  DrawButton(false);
  changed("ForeColor");
}

void FlatButton::setCaption(const QString& caption) {
  m_Caption = caption;
  DrawButton(false);
  changed("Caption");
}

void FlatButton::setShowFocusRect(bool on) {
  m_ShowFocusRect = on;
  DrawButton(false);
  changed("ShowFocusRect");
}

void FlatButton::setPicture(const QImage& icon) {
  PicImg = icon;
  DrawButton(false);
  changed("Picture");
}

void FlatButton::setButtonStyle(std::int32_t style) {
  m_ButtonStyle = style;
  DrawButton(false);
  changed("ButtonStyle");
}

void FlatButton::setMousePointer(std::int16_t pointer) {
  mousePointer_ = pointer;
  applyMousePointer(*this, mousePointer_, mouseIcon_);
  changed("MousePointer");
}

void FlatButton::setMouseIcon(const QImage& icon) {
  mouseIcon_ = icon;
  applyMousePointer(*this, mousePointer_, mouseIcon_);
  changed("MouseIcon");
}

void FlatButton::ReadProperties(const PropertyBag& bag) {
  const QFont containerFont = parentWidget() ? parentWidget()->font() : QApplication::font();
  quiet_ = true;
  m_CaptionAlignment = bag.ReadProperty<std::int32_t>("CaptionAlignment", kAlignCenter);
  backColor_ = bag.ReadProperty<Color>("BackColor", kSysButtonFace);
  setFont(qfontOf(bag.ReadProperty<SurfaceFont>("Font", surfaceFontOf(containerFont)), containerFont));
  foreColor_ = bag.ReadProperty<Color>("ForeColor", kSysButtonText);
  quiet_ = false;
  const PictureRef icon = bag.ReadProperty<PictureRef>("MouseIcon", nullptr);
  setMouseIcon(icon ? imageFromPicture(*icon) : QImage());
  quiet_ = true;
  mousePointer_ = bag.ReadProperty<std::int16_t>("MousePointer", 0);
  applyMousePointer(*this, mousePointer_, mouseIcon_);
  m_Caption = QString::fromStdString(bag.ReadProperty<std::string>("Caption", "FlatButton"));
  m_ShowFocusRect = bag.ReadProperty<bool>("ShowFocusRect", true);
  quiet_ = false;
  const PictureRef picture = bag.ReadProperty<PictureRef>("Picture", nullptr);
  setPicture(picture ? imageFromPicture(*picture) : QImage());
  quiet_ = true;
  setEnabled(bag.ReadProperty<bool>("Enabled", true));
  quiet_ = false;
  setButtonStyle(bag.ReadProperty<std::int32_t>("ButtonStyle", 1));
}

void FlatButton::WriteProperties(PropertyBag& bag) const {
  const QFont containerFont = parentWidget() ? parentWidget()->font() : QApplication::font();
  auto pictureOf = [](const QImage& image) {
    return image.isNull() ? PictureRef() : std::make_shared<const ::pictavo::Picture>(pictureFromImage(image));
  };
  bag.WriteProperty<std::int32_t>("CaptionAlignment", m_CaptionAlignment, kAlignCenter);
  bag.WriteProperty<Color>("BackColor", backColor_, kSysButtonFace);
  bag.WriteProperty<SurfaceFont>("Font", surfaceFontOf(font()), surfaceFontOf(containerFont));
  bag.WriteProperty<Color>("ForeColor", foreColor_, kSysButtonText);
  bag.WriteProperty<PictureRef>("MouseIcon", pictureOf(mouseIcon_), nullptr);
  bag.WriteProperty<std::int16_t>("MousePointer", mousePointer_, 0);
  bag.WriteProperty<std::string>("Caption", m_Caption.toStdString(), "FlatButton");
  bag.WriteProperty<bool>("ShowFocusRect", m_ShowFocusRect, true);
  bag.WriteProperty<PictureRef>("Picture", pictureOf(PicImg), nullptr);
  bag.WriteProperty<bool>("Enabled", isEnabled(), true);
  bag.WriteProperty<std::int32_t>("ButtonStyle", m_ButtonStyle, 1);
}

void FlatButton::clearSurface() {
  if (surface_.size() != size()) surface_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  surface_.fill(qcolorOf(backColor_, palette().color(QPalette::Button)));
  QPainter painter(&surface_);
  painter.drawImage(0, 0, selected_ ? selectedButtonBackground() : normalButtonBackground());
}

void FlatButton::DrawButton(bool pressed) {
  clearSurface();
  const int w = width(), h = height();
  m_Rect = RectL{0, 0, w, h};
  const int iy = iconTop(h);
  const bool hasIcon = !PicImg.isNull();
  drawEdge(surface_, m_Rect.left, m_Rect.top, m_Rect.right, m_Rect.bottom, buttonEdge(m_ButtonStyle, pressed),
           palette());
  const int textWidth = QFontMetrics(font()).horizontalAdvance(m_Caption);
  const CaptionPos pos = captionPosition(m_CaptionAlignment, w, h, textWidth, hasIcon);
  m_Rect.left = pos.left;
  m_Rect.top = pos.top;
  if (hasIcon) drawKeyedIcon(surface_, PicImg, kIconLeft, iy);
  DrawCaption(&surface_, pos.left, pos.top, m_Caption, isEnabled(), foreColor_);
  update();
}

int FlatButton::DrawCaption(QImage* dc, int x, int y, const QString& text, bool enabled, Color color) {
  if (!dc || dc->isNull()) return 0;
  drawStateText(*dc, x, y, text, font(), qcolorOf(color, palette().color(QPalette::ButtonText)), enabled,
                palette());
  return 1;
}

void FlatButton::DrawFocus() {
  if (!m_HasFocus || !m_ShowFocusRect) return;
  const FocusRect r = focusRect(width(), height());
  m_Rect = RectL{r.left, r.top, r.right, r.bottom};
  drawFocusRect(surface_, r.left, r.top, r.right, r.bottom);
  update();
}

void FlatButton::setSelected(bool selected) {
  // Changing the background picture repaints the whole button.
  selected_ = selected;
  DrawButton(false);
}

void FlatButton::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), surface_, event->rect());
}

void FlatButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  DrawButton(false);
}

void FlatButton::mousePressEvent(QMouseEvent* event) {
  const int button = buttonNumber(event->button());
  if (button == 0) return;
  afterDblClick_ = false;
  m_LastButton = button;
  if (button == 1) DrawButton(true);
  const QPointF p = event->position();
  emit MouseDown(button, shiftState(event->modifiers()), float(p.x()), float(p.y()));
}

void FlatButton::mouseReleaseEvent(QMouseEvent* event) {
  const int button = buttonNumber(event->button());
  if (button == 0) return;
  if (m_LastButton == 1) {
    DrawButton(false);
    DrawFocus();
  }
  setSelected(true);
  const QPointF p = event->position();
  emit MouseUp(button, shiftState(event->modifiers()), float(p.x()), float(p.y()));
  // A release over the button is a click, except the release that ends a
  // double-click.
  const bool click = !afterDblClick_ && rect().contains(p.toPoint());
  afterDblClick_ = false;
  if (click && m_LastButton == 1) emit Click();
}

void FlatButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (buttonNumber(event->button()) == 0) return;
  afterDblClick_ = true;
  emit DblClick();
}

void FlatButton::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseMove(heldButtons(event->buttons()), shiftState(event->modifiers()), float(p.x()), float(p.y()));
}

void FlatButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  m_HasFocus = true;
}

void FlatButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // Another window or a menu taking over keeps the button the focus of
  // its own window; only a move of the focus within the window counts.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  m_HasFocus = false;
  DrawButton(false);
  setSelected(false);
}

void FlatButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    if (quiet_) return;
    DrawButton(false);
    changed("Enabled");
  } else if (event->type() == QEvent::FontChange) {
    if (quiet_) return;
    DrawButton(false);
    changed("Font");
  }
}

}  // namespace pictavo
