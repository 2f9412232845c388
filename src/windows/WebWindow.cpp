#include "windows/WebWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QWebEngineView>

#include <algorithm>
#include <cmath>

namespace pictavo {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kWidthMarginTwips = 125.0;
constexpr double kHeightMarginTwips = 400.0;

QPointer<WebWindow>& instance() {
  static QPointer<WebWindow> window;
  return window;
}

}  // namespace

WebWindow::WebWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("Fm1"));
  setWindowTitle(QStringLiteral("Vellora"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser_ = new QWebEngineView(this);
  browser_->setObjectName(QStringLiteral("WebBrowser1"));
  browser_->move(0, 0);
  resize(928, 468);
  if (QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  fitBrowser();
}

WebWindow* WebWindow::current() { return instance().data(); }

WebWindow* WebWindow::showWindow() {
  QPointer<WebWindow>& window = instance();
  if (!window) {
    window = new WebWindow();
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window.data();
}

void WebWindow::discard() { delete instance().data(); }

void WebWindow::navigate(const QUrl& url) {
  address_ = url;
  browser_->setUrl(url);
}

QSize WebWindow::browserSize(const QSize& outer, double dpiX, double dpiY) {
  const int marginX = int(std::lround(kWidthMarginTwips * dpiX / kTwipsPerInch));
  const int marginY = int(std::lround(kHeightMarginTwips * dpiY / kTwipsPerInch));
  return {std::max(0, outer.width() - marginX), std::max(0, outer.height() - marginY)};
}

void WebWindow::fitBrowser() {
  // The outer size includes the frame once the window system has one.
  const QSize outer = isVisible() ? frameGeometry().size() : size();
  browser_->resize(browserSize(outer, logicalDpiX(), logicalDpiY()));
}

void WebWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitBrowser();
}

void WebWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  fitBrowser();
}

}  // namespace pictavo
