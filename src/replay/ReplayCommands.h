#pragma once
// The replay script's commands: one table row each (name, how many words
// may follow, the handler). The driver looks a line's first word up here,
// checks the word count and runs the handler with a CommandContext, which
// reads the words and reports script errors and failed expectations.

#include "replay/ScriptLine.h"

#include <QString>

#include <Qt>

#include <string>
#include <string_view>

namespace pictavo {
class MainWindow;
}

namespace pictavo::replay {

class DialogAnswers;

// Prints one line of the driver's output on standard output at once.
void printLine(const QString& line);
// Ends the run with that status, printing the message first (if any).
[[noreturn]] void finishRun(int status, const QString& message);

// Optional BUTTON and MOD words (and `steps N`) after a mouse command's
// fixed arguments.
struct PointerWords {
  Qt::MouseButton button = Qt::LeftButton;
  Qt::KeyboardModifiers modifiers;
  int steps = 8;
};

class CommandContext {
 public:
  CommandContext(const ScriptLine& line, MainWindow& window, DialogAnswers& answers, bool& started);

  MainWindow& window;
  DialogAnswers& answers;
  bool& started;  // the program's start-up has run

  int lineNumber() const { return line_.number; }
  const std::string& name() const { return line_.tokens[0]; }
  // Words after the command name, from 1.
  std::size_t wordCount() const { return line_.tokens.size() - 1; }
  const std::string& word(std::size_t i) const;
  QString text(std::size_t i) const { return QString::fromStdString(word(i)); }
  double number(std::size_t i) const;  // a coordinate (may be fractional)
  int integer(std::size_t i) const;
  Rgb colour(std::size_t i) const;  // #RRGGBB
  // BUTTON, MOD (and, when allowed, `steps N`) words from word `from` on.
  PointerWords pointerWords(std::size_t from, bool allowSteps) const;
  // Only MOD words from word `from` on.
  Qt::KeyboardModifiers modifierWords(std::size_t from) const;

  // A fault of the script (status 2) and a failed expectation (status 1).
  [[noreturn]] void scriptError(const QString& message) const;
  [[noreturn]] void fail(const QString& what) const;

 private:
  const ScriptLine& line_;
};

struct ReplayCommand {
  std::string_view name;
  int minWords;  // words after the name
  int maxWords;
  void (*run)(CommandContext&);
};

// The command of that name; null when there is none.
const ReplayCommand* findReplayCommand(std::string_view name);

// "none", or "#RRGGBB" of a canvas pixel (persistent image).
QString canvasPixelText(MainWindow& window, int x, int y);

}  // namespace pictavo::replay
