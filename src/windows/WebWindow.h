#pragma once
// WebWindow: the window "Fm1" in which every link of the program opens, an
// embedded web view "WebBrowser1" at its top-left corner. There is one for
// the whole program: a link shows it (creating it on first use) without an
// owner and without waiting, so the main window stays usable, and
// navigates it. Closing it discards it; the next link makes a new one.
//
// The view is 125 twips narrower and 400 twips lower than the window's
// outer size (at 96 dpi 8 and 27 pixels), a margin kept for the frame and
// the title bar; a window smaller than that gives the view no room at all.

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace pictavo {

class WebWindow : public QWidget {
  Q_OBJECT
  // The address last asked for (the replay driver's dump reads it).
  Q_PROPERTY(QString address READ address)
 public:
  // The open web window, or null.
  static WebWindow* current();
  // Shows the web window (making it when there is none) in front of the
  // others and returns it.
  static WebWindow* showWindow();
  // Deletes the web window if there is one. The program calls it once its
  // event loop has ended: a web view must not outlive the application
  // object, whose destructor tears the browser engine down.
  static void discard();

  void navigate(const QUrl& url);
  QString address() const { return address_.toString(); }
  QWebEngineView* browser() const { return browser_; }

  // The view's size for a window of this outer size, in pixels.
  static QSize browserSize(const QSize& outer, double dpiX, double dpiY);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  WebWindow();
  void fitBrowser();

  QWebEngineView* browser_ = nullptr;
  QUrl address_;
};

}  // namespace pictavo
