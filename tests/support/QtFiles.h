#pragma once
// Whole files in the Qt tests: what a save left on disk.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace pictavo::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace pictavo::test
