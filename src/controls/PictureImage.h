#pragma once
// Conversions between the core's Picture (0xAARRGGBB words, straight
// alpha) and QImage, for the picture properties of the controls.

#include "canvas/Picture.h"

#include <QImage>

namespace pictavo {

QImage imageFromPicture(const Picture& picture);    // ARGB32; null for an empty picture
Picture pictureFromImage(const QImage& image);      // empty for a null image

}  // namespace pictavo
