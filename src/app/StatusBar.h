#pragma once
// StatusBar: the main window's status bar sbar1 with ten text panels.
// Panels 1 to 3 carry what the program writes (document, pointer position,
// canvas size), panel 10 the view's zoom. The others keep themselves up to date: 4 to 7 show Caps
// Lock, Num Lock, Insert and Scroll Lock (the key's name while it is on,
// blank while off), 8 and 9 the date and the time.
//
// The lock states come from the X server's keyboard indicators when the
// program runs on X11; elsewhere (the offscreen platform, Wayland) they
// follow the key presses the program sees. Insert has no indicator and
// always follows the presses.

#include <QWidget>

#include <array>

class QLabel;
class QTimer;

namespace pictavo {

class StatusBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPanelCount = 10;
  static constexpr int kHeight = 22;

  explicit StatusBar(QWidget* parent);
  ~StatusBar() override;

  // Panel 1..9; other numbers are ignored / give an empty text.
  void setPanelText(int panel, const QString& text);
  QString panelText(int panel) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void updateClock();
  void updateLocks();
  void showLocks();
  void arrange();

  std::array<QLabel*, kPanelCount> panels_{};
  QTimer* clock_ = nullptr;
  QTimer* lockPoll_ = nullptr;
  bool caps_ = false, num_ = false, insert_ = false, scroll_ = false;
  bool fromX11_ = false;
};

}  // namespace pictavo
