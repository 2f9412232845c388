#pragma once
// DialogAnswers: how the replay driver answers the modal dialogs that open
// while a command runs. `answer ...` lines queue answers; when a modal
// dialog shows, the next answer is taken and worked through the dialog's own
// widgets, found by object name, as a user would. The error window and
// message boxes need no answer: they are printed and closed with their
// default button.
//
// The answer kinds are one table (kAnswerKinds in the .cpp): a kind word,
// which dialogs it fits, and what it does. A dialog of a later feature adds
// its row there.

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>

class QWidget;

namespace pictavo::replay {

struct Answer {
  int line = 0;        // script line that queued it
  QStringList words;   // the words after "answer"
};

class DialogAnswers : public QObject {
  Q_OBJECT
 public:
  // fail(exitCode, message) ends the run (script error 2).
  explicit DialogAnswers(std::function<void(int, const QString&)> fail);
  ~DialogAnswers() override;

  // Checks that the kind is known and its arguments are well formed; an
  // empty result means the answer was queued, else the error text.
  QString queue(const Answer& answer);
  bool empty() const { return answers_.empty(); }
  // A standing answer for the question before New, Open or a drop
  // ("discard" or "cancel"; empty for none), used when the next queued
  // answer is no "keep" answer.
  void setKeepDefault(const QString& word) { keepDefault_ = word; }
  const Answer& front() const { return answers_.front(); }

  // The open top-level windows (object names), in the order they were
  // first shown.
  QStringList openWindows() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void handle(QPointer<QWidget> dialog);
  void report(QPointer<QWidget> dialog);
  void answer(QWidget* dialog);

  std::function<void(int, const QString&)> fail_;
  std::deque<Answer> answers_;
  QString keepDefault_;
  QList<QPointer<QWidget>> shown_;
};

// The name a dialog is known by in messages: its object name, else its class.
QString dialogName(const QWidget* dialog);

}  // namespace pictavo::replay
