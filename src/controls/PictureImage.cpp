#include "controls/PictureImage.h"

#include <cstring>

namespace pictavo {

QImage imageFromPicture(const Picture& picture) {
  if (picture.isNull() || picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)) return {};
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(image.scanLine(y), &picture.pixels[std::size_t(y) * std::size_t(picture.width)],
                std::size_t(picture.width) * 4);
  return image;
}

Picture pictureFromImage(const QImage& image) {
  if (image.isNull()) return {};
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Picture picture(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y)
    std::memcpy(&picture.pixels[std::size_t(y) * std::size_t(argb.width())], argb.constScanLine(y),
                std::size_t(argb.width()) * 4);
  return picture;
}

}  // namespace pictavo
