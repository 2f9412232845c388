#include "app/ToolBar.h"

#include "controls/CaptionFont.h"
#include "controls/FlatButton.h"
#include "controls/ToolIcons.h"

namespace pictavo {

namespace {

const char* const kCaptions[ToolBar::kButtonCount] = {
    "选择",     "铅笔",         "直线",     "星形", "空心矩形", "实心矩形",  "空心圆",   "实心圆",
    "空心椭圆", "实心椭圆",     "空心圆角矩形", "实心圆角矩形", "纹理填充NEW", "喷枪", "自由曲线", "多边形",
    "魔术袋",   "橡皮",         "",         "克隆", "渐变图形", "文本"};

constexpr int kButtonWidth = 113;
// 21 captioned buttons and the square picker button fit the designed tool
// bar height only at 23 pixels each.
constexpr int kButtonHeight = 23;
constexpr int kPickerSide = 24;

QString toolTipFor(int index) {
  if (index == 18) return QStringLiteral("取色");
  if (index == 1) return QStringLiteral("用指定宽度和色彩的像素线宽画任意形状的线条");
  return QString::fromUtf8(kCaptions[index]);
}

}  // namespace

ToolBar::ToolBar(QWidget* parent) : QFrame(parent) {
  setObjectName("pTools");
  setFrameShape(QFrame::NoFrame);
  int y = 2;
  for (int i = 0; i < kButtonCount; ++i) {
    auto* b = new FlatButton(this);
    b->setObjectName(QStringLiteral("cmdtool%1").arg(i));
    b->setFont(captionFont());
    b->setButtonStyle(2);
    b->setCaptionAlignment(1);
    b->setShowFocusRect(true);
    b->setForeColor(i == 12 ? 0x000000FFu : 0x00404040u);
    b->setCaption(QString::fromUtf8(kCaptions[i]));
    b->setPicture(toolIcon(i));
    b->setToolTip(toolTipFor(i));
    if (i == 18) {
      b->setGeometry(4, y, kPickerSide, kPickerSide);
      y += kPickerSide;
    } else {
      b->setGeometry(0, y, kButtonWidth, kButtonHeight);
      y += kButtonHeight;
    }
    connect(b, &FlatButton::Click, this, [this, i] {
      if (clicked_) clicked_(i);
    });
    buttons_[std::size_t(i)] = b;
  }
}

QWidget* ToolBar::button(int index) const {
  if (index < 0 || index >= kButtonCount) return nullptr;
  return buttons_[std::size_t(index)];
}

}  // namespace pictavo
