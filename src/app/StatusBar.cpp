#include "app/StatusBar.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "app/KeyboardIndicators.h"

namespace pictavo {

namespace {
// Fixed widths of panels 2..10; panel 1 takes the rest.
constexpr int kWidths[StatusBar::kPanelCount] = {0, 90, 230, 44, 44, 36, 44, 80, 50, 50};

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("sbar1");
  for (int i = 0; i < kPanelCount; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("panel%1").arg(i + 1));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(3, 0, 3, 0);
    if (i >= 3) label->setAlignment(Qt::AlignCenter);
    if (i == 9) label->setText(QStringLiteral("100%"));
    panels_[std::size_t(i)] = label;
  }
  resize(400, kHeight);
  LockStates states;
  fromX11_ = readKeyboardIndicators(states);
  qApp->installEventFilter(this);
  clock_ = new QTimer(this);
  connect(clock_, &QTimer::timeout, this, &StatusBar::updateClock);
  clock_->start(1000);
  if (fromX11_) {
    lockPoll_ = new QTimer(this);
    connect(lockPoll_, &QTimer::timeout, this, &StatusBar::updateLocks);
    lockPoll_->start(300);
  }
  updateClock();
  updateLocks();
}

StatusBar::~StatusBar() {
  if (qApp) qApp->removeEventFilter(this);
}

void StatusBar::setPanelText(int panel, const QString& text) {
  if (panel < 1 || panel > kPanelCount) return;
  panels_[std::size_t(panel - 1)]->setText(text);
}

QString StatusBar::panelText(int panel) const {
  if (panel < 1 || panel > kPanelCount) return {};
  return panels_[std::size_t(panel - 1)]->text();
}

void StatusBar::updateClock() {
  const QDateTime now = QDateTime::currentDateTime();
  setPanelText(8, now.toString(QStringLiteral("yyyy/M/d")));
  setPanelText(9, now.toString(QStringLiteral("HH:mm")));
}

void StatusBar::updateLocks() {
  LockStates states;
  if (fromX11_ && readKeyboardIndicators(states)) {
    caps_ = states.caps;
    num_ = states.num;
    scroll_ = states.scroll;
  }
  showLocks();
}

void StatusBar::showLocks() {
  setPanelText(4, caps_ ? QStringLiteral("CAPS") : QString());
  setPanelText(5, num_ ? QStringLiteral("NUM") : QString());
  setPanelText(6, insert_ ? QStringLiteral("INS") : QString());
  setPanelText(7, scroll_ ? QStringLiteral("SCRL") : QString());
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
  // Only a window's own key events count once (the same event also passes
  // its parents when they are not accepted).
  QWidget* target = QApplication::focusWidget();
  if (!target) target = QApplication::activeWindow();
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == target) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      switch (key->key()) {
        case Qt::Key_Insert: insert_ = !insert_; break;
        case Qt::Key_CapsLock: if (!fromX11_) caps_ = !caps_; break;
        case Qt::Key_NumLock: if (!fromX11_) num_ = !num_; break;
        case Qt::Key_ScrollLock: if (!fromX11_) scroll_ = !scroll_; break;
        default: break;
      }
      showLocks();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void StatusBar::resizeEvent(QResizeEvent*) { arrange(); }

void StatusBar::arrange() {
  int fixed = 0;
  for (int i = 1; i < kPanelCount; ++i) fixed += kWidths[i] + 2;
  const int first = std::max(40, width() - fixed - 16);  // room for the size grip corner
  int x = 0;
  for (int i = 0; i < kPanelCount; ++i) {
    const int w = i == 0 ? first : kWidths[i];
    panels_[std::size_t(i)]->setGeometry(x, 2, w, height() - 3);
    x += w + 2;
  }
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  p.setPen(palette().mid().color());
  p.drawLine(0, 0, width(), 0);
}

}  // namespace pictavo
