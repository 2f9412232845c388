#pragma once
// ReplayDriver: plays a script against the program's real main window, the
// way a user would cause it (see the commands in ReplayDriver.cpp), and
// reports: exit status 0 when every expectation held, 1 at the first failed
// one, 2 on a script error.

#include "replay/ScriptLine.h"

#include <QString>

#include <memory>
#include <vector>

namespace pictavo {
class MainWindow;
}

namespace pictavo::replay {

class DialogAnswers;

class ReplayDriver {
 public:
  explicit ReplayDriver(const QString& programFolder);
  ~ReplayDriver();

  // Runs every line and returns the exit status.
  int run(const std::vector<ScriptLine>& lines);

 private:
  void execute(const ScriptLine& line);
  void settle();
  [[noreturn]] void scriptError(const QString& message);
  void checkEnded();

  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<DialogAnswers> answers_;
  int line_ = 0;
  bool started_ = false;
  bool ended_ = false;
  bool endPrinted_ = false;
};

// Reads a script file ("-" for standard input) into lines; false when it
// cannot be read.
bool readScript(const QString& path, std::vector<ScriptLine>& lines, QString& error);

}  // namespace pictavo::replay
