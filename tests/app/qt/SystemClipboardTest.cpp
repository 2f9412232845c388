// The system clipboard as Paste sees it: encoded pictures another process
// offers are read within the canvas limit, each is taken once, and what we
// published ourselves is never taken back.
#include "base/Errors.h"
#include "app/SystemClipboard.h"
#include "formats/BmpWriter.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace pictavo {
namespace {

QByteArray bmpBytes(int width, int height) {
  const std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), 0xFF112233u);
  const std::vector<std::uint8_t> bmp = encodeBmp(pixels.data(), width, height, width);
  return QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size()));
}

// As another process offers a picture: only its encoded bytes.
void offer(const QString& format, const QByteArray& bytes) {
  auto* data = new QMimeData;
  data->setData(format, bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

TEST(SystemClipboard, AnotherProgramsPictureIsTakenOnceAndOursNever) {
  SystemClipboard clipboard;
  offer(QStringLiteral("image/bmp"), bmpBytes(3, 2));
  const std::optional<QImage> taken = clipboard.takeForeignImage();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->size(), QSize(3, 2));
  EXPECT_EQ(taken->pixel(2, 1), 0xFF112233u);
  EXPECT_FALSE(clipboard.takeForeignImage());

  QImage ours(2, 2, QImage::Format_RGB32);
  ours.fill(Qt::red);
  clipboard.publish(ours);
  EXPECT_FALSE(clipboard.takeForeignImage());
  EXPECT_EQ(QGuiApplication::clipboard()->image().pixel(1, 1), 0xFFFF0000u);
  // Another run of the program is another program.
  SystemClipboard other;
  EXPECT_TRUE(other.takeForeignImage());

  // Text is no picture; nothing is taken and Paste goes on as usual.
  QGuiApplication::clipboard()->setText(QStringLiteral("图片"));
  EXPECT_FALSE(clipboard.takeForeignImage());
}

TEST(SystemClipboard, APictureBeyondTheCanvasLimitIsRefusedBeforeDecoding) {
  SystemClipboard clipboard;
  QByteArray huge = bmpBytes(1, 1);
  // 32768 x 1 in the header (wider than any buffer), one pixel of data.
  huge[18] = 0;
  huge[19] = char(0x80);
  offer(QStringLiteral("image/bmp"), huge);
  try {
    clipboard.takeForeignImage();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrOutOfMemory);
    EXPECT_EQ(e.description(), "选择区域过大: 32768 x 1");
  }
  EXPECT_FALSE(clipboard.takeForeignImage());  // refused once, not again
}

}  // namespace
}  // namespace pictavo
