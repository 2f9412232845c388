// Every tool has its own recognisable icon on the key colour.
#include "controls/ToolIcons.h"

#include <QSet>
#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(ToolIcons, EachIsItsOwn16x16PictureOnMagenta) {
  QSet<QByteArray> seen;
  for (int tool = 0; tool < kToolCount; ++tool) {
    const QImage icon = toolIcon(tool);
    ASSERT_EQ(icon.size(), QSize(16, 16)) << tool;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if ((icon.pixel(x, y) & 0xFFFFFF) != 0xFF00FF) ++drawn;
    EXPECT_GT(drawn, 12) << tool;
    EXPECT_LT(drawn, 256 - 20) << tool;  // the key colour stays around the figure
    EXPECT_EQ(icon.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu) << tool;
    const QByteArray bytes(reinterpret_cast<const char*>(icon.constBits()), int(icon.sizeInBytes()));
    EXPECT_FALSE(seen.contains(bytes)) << tool;
    seen.insert(bytes);
  }
  EXPECT_TRUE(toolIcon(-1).isNull());
  EXPECT_TRUE(toolIcon(kToolCount).isNull());
}

}  // namespace
}  // namespace pictavo
