#pragma once
// TextPreview: the text dialog's picture box pPreview. It shows the sample
// "Vellora" in the chosen font, centred: the free width and height are each
// halved with integer division (toward zero), so a sample wider than the
// box starts left of it and is cut at both sides.
//
// The sample is drawn as the canvas would draw it (the same font mapping,
// unsmoothed), on the system window colours.

#include "canvas/Surface.h"

#include <QPoint>
#include <QWidget>

namespace pictavo {

class TextPreview : public QWidget {
  Q_OBJECT
 public:
  static constexpr const char* kSample = "Vellora";

  explicit TextPreview(QWidget* parent);

  // Clears the box and prints the sample in this font.
  void showSample(const SurfaceFont& font);
  const SurfaceFont& sampleFont() const { return font_; }
  // Top-left corner of the sample's cell within the box.
  QPoint samplePosition() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SurfaceFont font_;
};

}  // namespace pictavo
