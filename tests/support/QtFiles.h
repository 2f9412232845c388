#pragma once
// Whole files in the Qt tests: what a save left on disk, and pictures
// encoded by Qt's writers.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pictavo::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The image in that format ("png", "jpg", "webp", ...) at that quality (-1:
// the writer's default).
inline std::vector<std::uint8_t> encodeWithQt(const QImage& image, const char* format, int quality = -1) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality >= 0) writer.setQuality(quality);
  EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
  return {bytes.begin(), bytes.end()};
}

}  // namespace pictavo::test
