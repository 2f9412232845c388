#include "app/SystemClipboard.h"

#include "canvas/Clipboard.h"
#include "formats/PictureDecoder.h"

#include <QBuffer>
#include <QClipboard>
#include <QImageReader>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QUuid>

namespace pictavo {

namespace {

const QString kMarkFormat = QStringLiteral("application/x-pictavo-copy");

// One encoded picture, its size checked from its header first.
QImage readBounded(QByteArray bytes) {
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer);
  reader.setAllocationLimit(kQtAllocationLimitMB);
  const QSize size = reader.size();
  if (size.isValid()) Clipboard::checkBufferSize(size.width(), size.height());
  return reader.read();
}

}  // namespace

SystemClipboard::SystemClipboard(QObject* parent)
    : QObject(parent), mark_(QUuid::createUuid().toByteArray(QUuid::WithoutBraces)) {
  // Whose data it is is asked only at a Paste: asking another process at
  // every change on the desktop could wait on a slow owner.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { foreignPending_ = true; });
}

bool SystemClipboard::holdsOurs() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasFormat(kMarkFormat) && data->data(kMarkFormat) == mark_;
}

void SystemClipboard::publish(const QImage& image) {
  auto* data = new QMimeData;  // the clipboard owns it
  data->setData(kMarkFormat, mark_);
  if (!image.isNull()) data->setImageData(image);
  QGuiApplication::clipboard()->setMimeData(data);
  foreignPending_ = false;
}

std::optional<QImage> SystemClipboard::takeForeignImage() {
  if (!foreignPending_ || holdsOurs()) return std::nullopt;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return std::nullopt;
  QStringList encoded = data->formats().filter(QRegularExpression(QStringLiteral("^image/")));
  if (encoded.isEmpty() && !data->hasImage()) return std::nullopt;
  foreignPending_ = false;  // taken or refused, once
  // Another process offers encoded pictures: read them ourselves, within
  // the limits. Within this process the picture is already an image.
  QImage image;
  for (const QString& format : encoded) {
    image = readBounded(data->data(format));
    if (!image.isNull()) break;
  }
  if (image.isNull() && data->hasImage()) image = qvariant_cast<QImage>(data->imageData());
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace pictavo
