#pragma once
// PreviewBox: a picture box of the adjustment and background dialogs. It
// owns a Surface (the preview picture) and shows its visible layer at the
// box's top-left corner; the rest of the box, when it is larger than the
// picture, stays blank.

#include "canvas/Surface.h"

#include <QWidget>

namespace pictavo {

class PreviewBox : public QWidget {
  Q_OBJECT
 public:
  // A box of boxSize showing a picture of pictureSize (both in pixels).
  PreviewBox(QSize boxSize, QSize pictureSize, QWidget* parent);
  ~PreviewBox() override;

  Surface& surface() { return surface_; }
  const Surface& surface() const { return surface_; }

  // Halftone copy of the whole of `source` over the whole picture (the
  // thumbnail; the aspect ratio is not kept).
  void drawThumbnail(const Surface& source);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Surface surface_;
};

}  // namespace pictavo
