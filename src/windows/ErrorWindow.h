#pragma once
// The error window: the one place where the program reports an error. The
// caller fills the code line and the reason and shows it modally; the window
// beeps five times when it is created and, while it is open, adds the hint
// for an invalid picture.
//
// Object names: the window "errbox"; code line "Label2", reason "Label3",
// hint "Label4"; "我知道啦!" "Command1", "我要反馈" "Command2".

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;

namespace pictavo {

class Error;

class ErrorWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ErrorWindow(QWidget* owner);

  void setCodeLine(const QString& text);
  void setReason(const QString& text);
  QString codeLine() const;
  QString reason() const;
  QString hint() const;

  // "错误代码:" followed by the number in decimal.
  static QString codeLineFor(int number);

  // Fills a new window and shows it modally, owned by the caller's window;
  // returns when it has closed.
  static void report(QWidget* owner, const QString& codeLine, const QString& reason);
  // The same for a run-time error: its number and its description.
  static void report(QWidget* owner, const Error& error);

 private:
  void updateHint();
  void sendFeedback();

  QLabel* codeLine_ = nullptr;
  QLabel* reason_ = nullptr;
  QLabel* hint_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace pictavo
