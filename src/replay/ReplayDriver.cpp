#include "replay/ReplayDriver.h"

#include "app/MainWindow.h"
#include "replay/DialogAnswers.h"
#include "replay/ReplayCommands.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <string>

namespace pictavo::replay {

namespace {

QString joined(const std::vector<std::string>& t) {
  QStringList l;
  for (const auto& s : t) l << QString::fromStdString(s);
  return l.join(' ');
}

}  // namespace

bool readScript(const QString& path, std::vector<ScriptLine>& lines, QString& error) {
  QFile file;
  if (path == QLatin1String("-")) {
    if (!file.open(stdin, QIODevice::ReadOnly)) {
      error = QStringLiteral("cannot read standard input");
      return false;
    }
  } else {
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
      error = QStringLiteral("cannot read %1").arg(path);
      return false;
    }
  }
  int number = 0;
  while (!file.atEnd()) {
    const QByteArray raw = file.readLine();
    ++number;
    std::string problem;
    ScriptLine line{number, tokenize(raw.toStdString(), &problem)};
    if (!problem.empty()) {
      error = QStringLiteral("line %1: %2").arg(number).arg(QString::fromStdString(problem));
      return false;
    }
    if (!line.tokens.empty()) lines.push_back(std::move(line));
  }
  return true;
}

ReplayDriver::ReplayDriver(const QString& programFolder) {
  answers_ = std::make_unique<DialogAnswers>([](int status, const QString& message) {
    finishRun(status, QStringLiteral("script error: ") + message);
  });
  window_ = std::make_unique<MainWindow>(programFolder);
  QObject::connect(window_.get(), &MainWindow::programEnded, [this] { ended_ = true; });
  QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [this] { ended_ = true; });
}

ReplayDriver::~ReplayDriver() = default;

void ReplayDriver::scriptError(const QString& message) {
  finishRun(2, QStringLiteral("script error line %1: %2").arg(line_).arg(message));
}

// Lets posted events (repaints, layout, deferred deletes) run.
void ReplayDriver::settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

void ReplayDriver::checkEnded() {
  if (!ended_ && started_) {
    bool anyOpen = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip) anyOpen = true;
    }
    if (!anyOpen) ended_ = true;
  }
}

int ReplayDriver::run(const std::vector<ScriptLine>& lines) {
  for (const ScriptLine& line : lines) {
    line_ = line.number;
    // Only the files the program left behind can still be checked.
    if (ended_ && line.tokens[0] != "expect-file-pixel")
      scriptError(QStringLiteral("command after the program ended: %1").arg(joined(line.tokens)));
    execute(line);
    settle();
    checkEnded();
    if (ended_ && !endPrinted_) {
      printLine(QStringLiteral("ended"));
      endPrinted_ = true;
    }
  }
  if (!answers_->empty()) {
    finishRun(2, QStringLiteral("script error: answer %1 of line %2 was never used")
                  .arg(answers_->front().words.join(' '))
                  .arg(answers_->front().line));
  }
  return 0;
}

void ReplayDriver::execute(const ScriptLine& line) {
  const std::string& name = line.tokens[0];
  const ReplayCommand* command = findReplayCommand(name);
  if (!command) scriptError(QStringLiteral("unknown command %1").arg(QString::fromStdString(name)));
  const int words = int(line.tokens.size()) - 1;
  if (words < command->minWords || words > command->maxWords) {
    const QString count = command->minWords == command->maxWords
                              ? QString::number(command->minWords)
                              : QStringLiteral("%1 to %2").arg(command->minWords).arg(command->maxWords);
    scriptError(QStringLiteral("%1 takes %2 arguments").arg(QString::fromStdString(name), count));
  }
  CommandContext context(line, *window_, *answers_, started_);
  command->run(context);
}

}  // namespace pictavo::replay
