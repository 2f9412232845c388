#pragma once
// Drives modal windows from a test: while the code under test sits in a
// modal loop, act on the window once it is the active modal widget, the way
// a user (or a replay script) would.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace pictavo::test {

// Runs `act` once a modal widget with this object name is active; gives up
// after a few seconds (the test then fails on what it expected to see).
inline void whenModal(const QString& objectName, std::function<void(QWidget*)> act) {
  auto* poll = new QTimer(qApp);
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  QObject::connect(poll, &QTimer::timeout, qApp, [=] {
    QWidget* w = QApplication::activeModalWidget();
    if (w && w->objectName() == objectName && w->isVisible()) {
      poll->stop();
      poll->deleteLater();
      act(w);
    } else if (started->elapsed() > 5000) {
      poll->stop();
      poll->deleteLater();
    }
  });
  poll->start(5);
}

// Keeps the event loop running for about `ms` milliseconds.
inline void spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

template <class T = QWidget>
T* child(QWidget* window, const char* name) {
  return window->findChild<T*>(QString::fromLatin1(name));
}

inline QString labelText(QWidget* window, const char* name) {
  auto* label = child<QLabel>(window, name);
  return label ? label->text() : QStringLiteral("<missing>");
}

// Drags the named slider's thumb to `position` and lets go, as a user does.
inline void dragSlider(QWidget* window, const char* name, int position) {
  auto* slider = child<QAbstractSlider>(window, name);
  if (!slider) return;
  slider->setSliderDown(true);
  slider->setSliderPosition(position);
  slider->setSliderDown(false);
}

inline void click(QWidget* window, const char* name) {
  if (auto* button = child<QAbstractButton>(window, name)) button->click();
}

// A left press and release in the middle of a widget.
inline void mouseClick(QWidget* widget) {
  const QPointF at = QPointF(widget->rect().center());
  const QPointF global = QPointF(widget->mapToGlobal(at.toPoint()));
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

inline void pressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

// Closes any modal window left open after `ms` milliseconds, so a test that
// failed to close its window fails instead of hanging.
class Watchdog {
 public:
  explicit Watchdog(int ms = 8000) {
    timer_.setInterval(ms);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      fired_ = true;
      timer_.setInterval(50);
      if (QWidget* w = QApplication::activeModalWidget()) w->hide();
    });
    timer_.start();
  }
  bool fired() const { return fired_; }

 private:
  QTimer timer_;
  bool fired_ = false;
};

}  // namespace pictavo::test
