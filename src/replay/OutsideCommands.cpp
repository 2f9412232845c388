#include "replay/OutsideCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace pictavo::replay {

QString dropFile(QWidget* window, const QString& path) {
  const QPoint at(window->width() / 2, window->height() / 2);
  // As the window system does: the widget under the pointer, or the first
  // of its parents that takes drops.
  QWidget* target = window->childAt(at);
  if (!target) target = window;
  while (target != window && !target->acceptDrops()) target = target->parentWidget();
  if (!target->acceptDrops()) return QStringLiteral("the window takes no drops");
  const QPoint local = target->mapFrom(window, at);

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())});
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(local, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return {};  // refused, as a user would see it
  QDragMoveEvent move(local, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  QDropEvent drop(QPointF(local), actions, &data, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return {};
}

QString putOnClipboard(const QString& path) {
  QImageReader reader(path);
  QImage image;
  if (!reader.read(&image)) return QStringLiteral("cannot read picture %1: %2").arg(path, reader.errorString());
  QApplication::clipboard()->setImage(image);
  return {};
}

QString saveClipboard(const QString& path) {
  const QImage image = QApplication::clipboard()->image();
  if (image.isNull()) return QStringLiteral("no image on the clipboard");
  if (!image.save(path, "PNG")) return QStringLiteral("cannot write %1").arg(path);
  return {};
}

}  // namespace pictavo::replay
