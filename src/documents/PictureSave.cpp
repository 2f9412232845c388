#include "documents/PictureSave.h"

#include "base/NumberEntry.h"
#include "effects/InputPrompt.h"
#include "formats/JpegWriter.h"
#include "formats/SaveFormat.h"

#include <algorithm>

namespace pictavo {

namespace {

int lastJpegQuality = kDefaultJpegQuality;  // this run's last answer

}  // namespace

int jpegQualityFrom(const std::string& answer) { return std::clamp(leadingInteger(answer), 1, 100); }

bool savePicture(QWidget* owner, const std::string& path, const Surface& canvas) {
  const SaveFormat format = saveFormatOf(path);
  if (format == SaveFormat::Jpeg) {
    const std::optional<QString> answer = promptInput(owner, QStringLiteral("请输入 JPEG 图片的质量(1 到 100):"),
                                                      QStringLiteral("JPEG 质量"), QString::number(lastJpegQuality));
    if (!answer) return false;
    lastJpegQuality = jpegQualityFrom(answer->toStdString());
  }
  writePictureFile(path, format, canvas, lastJpegQuality);
  return true;
}

}  // namespace pictavo
