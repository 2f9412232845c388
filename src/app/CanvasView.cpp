#include "app/CanvasView.h"

#include "app/ViewportLayout.h"
#include "canvas/Surface.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace pictavo {

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
  setObjectName("SrcDc");
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);  // moves without a button update the position readout
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

CanvasView::~CanvasView() {
  if (surface_) surface_->setChangeListener({});
}

void CanvasView::setSurface(Surface* surface) {
  if (surface_) surface_->setChangeListener({});
  surface_ = surface;
  if (surface_) {
    surface_->setChangeListener([this](const Rect& r) {
      renderer_.invalidate(r);
      update(viewRect(r.left, r.top, r.right, r.bottom));
    });
  }
  syncSize();
  update();
}

void CanvasView::setViewport(const ViewportLayout* viewport) {
  viewport_ = viewport;
  syncSize();
}

ZoomFactor CanvasView::zoom() const { return viewport_ ? viewport_->zoom() : ZoomFactor{}; }

void CanvasView::syncSize() {
  if (surface_) {
    const ZoomFactor z = zoom();
    const QSize shown(int(z.displayed(surface_->Width())), int(z.displayed(surface_->Height())));
    if (size() != shown) resize(shown);
  }
  update();
}

void CanvasView::releaseReducedLevels() { renderer_.releaseLevels(); }

void CanvasView::setGridShown(bool shown) {
  if (grid_ == shown) return;
  grid_ = shown;
  update();
}

QRect CanvasView::viewRect(int left, int top, int right, int bottom) const {
  const ZoomFactor z = zoom();
  if (z.isActualSize()) return QRect(left, top, right - left, bottom - top);
  if (right <= left || bottom <= top) return {};
  const std::int64_t l = z.viewStart(left), t = z.viewStart(top), r = z.viewEnd(right), b = z.viewEnd(bottom);
  auto clampInt = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30)); };
  return QRect(QPoint(clampInt(l), clampInt(t)), QPoint(clampInt(r) - 1, clampInt(b) - 1));
}

void CanvasView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (!surface_) {
    p.fillRect(event->rect(), Qt::white);
    return;
  }
  const QRect painted = event->rect();
  if (zoom().isActualSize()) {
    // The image wraps the surface's own words; a const buffer is only read.
    // Only the painted part of the visible layer is brought up to date.
    const Rect needed{painted.left(), painted.top(), painted.right() + 1, painted.bottom() + 1};
    const QImage image(reinterpret_cast<const uchar*>(surface_->visibleBits(needed)), surface_->Width(),
                       surface_->Height(), surface_->stride() * 4, QImage::Format_RGB32);
    const QRect r = painted.intersected(image.rect());
    if (!r.isEmpty()) p.drawImage(r.topLeft(), image, r);
  } else {
    paintZoomed(p, painted);
  }
  for (const OutlineShape* shape : {&selection_, &cloneMarker_}) {
    if (shape->visible) paintDottedOutline(p, shapeRect(*shape), painted);
  }
}

// Every other pixel of the rectangle's edge, by the parity of x + y: the
// dots stay in step whatever part of the view a repaint covers.
void CanvasView::paintDottedOutline(QPainter& p, const QRect& outline, const QRect& painted) {
  const QRect r = outline.intersected(painted);
  if (r.isEmpty()) return;
  QList<QPoint> dots;
  auto row = [&](int y) {
    if (y < r.top() || y > r.bottom()) return;
    for (int x = r.left() + ((r.left() + y) & 1); x <= r.right(); x += 2) dots.append(QPoint(x, y));
  };
  auto column = [&](int x) {
    if (x < r.left() || x > r.right()) return;
    for (int y = r.top() + ((r.top() + x) & 1); y <= r.bottom(); y += 2) dots.append(QPoint(x, y));
  };
  row(outline.top());
  if (outline.bottom() != outline.top()) row(outline.bottom());
  column(outline.left());
  if (outline.right() != outline.left()) column(outline.right());
  p.setPen(QPen(QColor(64, 64, 64), 1));
  p.drawPoints(dots.constData(), int(dots.size()));
}

void CanvasView::paintZoomed(QPainter& p, const QRect& painted) {
  const QRect r = painted.intersected(rect());
  if (r.isEmpty()) return;
  if (scratch_.width() < r.width() || scratch_.height() < r.height()) {
    scratch_ = QImage(std::max(scratch_.width(), r.width()), std::max(scratch_.height(), r.height()), QImage::Format_RGB32);
  }
  auto* bits = reinterpret_cast<std::uint32_t*>(scratch_.bits());
  renderer_.render(*surface_, zoom(), grid_, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, bits,
                   std::size_t(scratch_.bytesPerLine() / 4));
  p.drawImage(r.topLeft(), scratch_, QRect(0, 0, r.width(), r.height()));
}

// The outline covers the picture pixels left .. left + width (both included).
QRect CanvasView::shapeRect(const OutlineShape& s) const {
  const int left = roundCoord(s.left), top = roundCoord(s.top);
  const int w = std::max(1, roundCoord(s.width) + 1), h = std::max(1, roundCoord(s.height) + 1);
  const QRect shown = viewRect(left, top, left + w, top + h);
  return shown.isEmpty() ? QRect(shown.topLeft(), QSize(1, 1)) : shown;
}

void CanvasView::updateShape(const OutlineShape& before, const OutlineShape& after) {
  if (before == after) return;
  if (before.visible) update(shapeRect(before).adjusted(-1, -1, 1, 1));
  if (after.visible) update(shapeRect(after).adjusted(-1, -1, 1, 1));
}

void CanvasView::setSelection(const OutlineShape& shape) {
  const OutlineShape before = selection_;
  selection_ = shape;
  updateShape(before, shape);
}

void CanvasView::setCloneMarker(const OutlineShape& shape) {
  const OutlineShape before = cloneMarker_;
  cloneMarker_ = shape;
  updateShape(before, shape);
}

int CanvasView::buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
  }
}

int CanvasView::buttonsCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= kLeftButton;
  if (buttons & Qt::RightButton) code |= kRightButton;
  if (buttons & Qt::MiddleButton) code |= kMiddleButton;
  return code;
}

int CanvasView::shiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= kShiftKey;
  if (modifiers & Qt::ControlModifier) code |= kCtrlKey;
  if (modifiers & Qt::AltModifier) code |= kAltKey;
  return code;
}

namespace {
PointerEvent pointerEvent(int button, const QMouseEvent* e) {
  const QPointF p = e->position();
  return PointerEvent{button, CanvasView::shiftCode(e->modifiers()), float(p.x()), float(p.y())};
}
}  // namespace

void CanvasView::mousePressEvent(QMouseEvent* e) {
  if (listener_.mouseDown) listener_.mouseDown(pointerEvent(buttonCode(e->button()), e));
}

void CanvasView::mouseMoveEvent(QMouseEvent* e) {
  if (listener_.mouseMove) listener_.mouseMove(pointerEvent(buttonsCode(e->buttons()), e));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* e) {
  if (listener_.mouseUp) listener_.mouseUp(pointerEvent(buttonCode(e->button()), e));
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent*) {
  if (listener_.doubleClick) listener_.doubleClick();
}

void CanvasView::keyPressEvent(QKeyEvent* e) {
  // Presses are the main window's (it sees x before any control does).
  e->ignore();
}

void CanvasView::keyReleaseEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;
  if (e->key() == Qt::Key_Delete && listener_.keyUp) listener_.keyUp(46);
  e->ignore();
}

}  // namespace pictavo
