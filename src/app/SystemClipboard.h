#pragma once
// SystemClipboard: the desktop's clipboard as the Edit commands use it.
// Copy and Cut publish the copied picture there for other programs; Paste
// takes an image that another program put there after our last publish,
// once. Our own data carries a mark of this run, so what we put there is
// never taken back as someone else's, whatever the platform reports about
// ownership.

#include <QByteArray>
#include <QImage>
#include <QObject>

#include <optional>

namespace pictavo {

class SystemClipboard : public QObject {
  Q_OBJECT
 public:
  explicit SystemClipboard(QObject* parent = nullptr);

  // Puts the image on the clipboard (a null image: only our mark, so an
  // older picture of another program counts as before our copy).
  void publish(const QImage& image);
  // The image another program put on the clipboard since our last publish
  // (or since the start), once; nothing when there is none. Its encoded
  // bytes are read with the canvas limit: a larger picture throws the
  // selection-size error (pictavo::Error) before anything is decoded.
  std::optional<QImage> takeForeignImage();
  // What the clipboard holds now is older than our copy buffer (the Delete
  // key cut into it without publishing): the next Paste does not take it.
  void passOverForeign() { foreignPending_ = false; }

 private:
  bool holdsOurs() const;

  QByteArray mark_;
  bool foreignPending_ = true;  // the clipboard changed since our publish or our last take
};

}  // namespace pictavo
