#include "documents/NewCanvasDialog.h"
#include "windows/DialogParts.h"

#include "base/Globals.h"
#include "base/NumberEntry.h"
#include "canvas/Surface.h"
#include "windows/ClickableLabel.h"
#include "windows/ErrorWindow.h"
#include "windows/Links.h"
#include "windows/WindowArt.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <array>

namespace pictavo {

namespace {

struct ColorItem {
  const char* text;
  Color color;
};

// The last two items stand for the palette's colours; their values here are
// unused.
const std::array<ColorItem, 8> kColorItems = {{
    {"白色", 0x00FFFFFF},
    {"黑色", 0x00000000},
    {"中国红", 0x000000FF},
    {"健康绿", 0x0000FF00},
    {"梦幻蓝", 0x00FF0000},
    {"靓丽黄", 0x0000FFFF},
    {"配色板前景色", 0},
    {"配色板背景色", 0},
}};
constexpr int kForegroundItem = 6;
constexpr int kBackgroundItem = 7;

}  // namespace

NewCanvasDialog::NewCanvasDialog(QWidget* owner, PaletteColors paletteColors)
    : QDialog(owner, kDialogFlags),
      paletteColors_(std::move(paletteColors)) {
  setUpDialog(this, "frmNew", QStringLiteral("欢迎"), 564, 225);

  auto* banner = new ClickableLabel(this);
  banner->setObjectName(QStringLiteral("Image1"));
  banner->setGeometry(0, 0, 564, 96);
  banner->setPixmap(art::newCanvasBanner(564, 96));
  banner->setCursor(Qt::PointingHandCursor);

  addLabel(this, "lblWidth", QRect(24, 114, 28, 21), QStringLiteral("宽:"));
  width_ = new QLineEdit(QStringLiteral("500"), this);
  width_->setObjectName(QStringLiteral("txtWidth"));
  width_->setGeometry(52, 112, 96, 24);
  addLabel(this, "lblHeight", QRect(168, 114, 28, 21), QStringLiteral("高:"));
  height_ = new QLineEdit(QStringLiteral("400"), this);
  height_->setObjectName(QStringLiteral("txtHeight"));
  height_->setGeometry(196, 112, 96, 24);
  addLabel(this, "lblImagebk", QRect(316, 114, 96, 21), QStringLiteral("画布背景颜色"));
  color_ = new QComboBox(this);
  color_->setObjectName(QStringLiteral("cboColor"));
  color_->setGeometry(412, 112, 128, 24);
  for (const ColorItem& item : kColorItems) color_->addItem(QString::fromUtf8(item.text));
  color_->setCurrentIndex(0);

  auto* advert = new ClickableLabel(this);
  advert->setObjectName(QStringLiteral("Label1"));
  advert->setGeometry(24, 150, 516, 22);
  advert->setText(QStringLiteral("推荐:试试Vellora出品的另一款免费软件,点击这里下载!"));
  advert->setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline"));
  advert->setCursor(Qt::PointingHandCursor);

  auto* cancel = addButton(this, "CmdCancel", QStringLiteral("取消"), QRect(336, 186, 96, 28));
  auto* ok = addButton(this, "cmdOK", QStringLiteral("开始绘画>"), QRect(444, 186, 96, 28), ButtonRole::Default);

  connect(ok, &QPushButton::clicked, this, &NewCanvasDialog::startDrawing);
  connect(cancel, &QPushButton::clicked, this, &NewCanvasDialog::cancel);
  connect(banner, &ClickableLabel::clicked, this, [this] { follow(Link::UpdateNews); });
  connect(advert, &ClickableLabel::clicked, this, [this] { follow(Link::ProductDownload); });
}

int NewCanvasDialog::ask(QWidget* owner, PaletteColors paletteColors) {
  NewCanvasDialog dialog(owner, std::move(paletteColors));
  dialog.exec();
  return globals().dlgResult;
}

void NewCanvasDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
}

Color NewCanvasDialog::chosenColor() const {
  const int index = color_->currentIndex();
  if (index == kForegroundItem || index == kBackgroundItem) {
    const auto [color1, color2] = paletteColors_ ? paletteColors_() : std::pair<Color, Color>{kBlack, kWhite};
    return index == kForegroundItem ? color1 : color2;
  }
  if (index < 0 || index >= int(kColorItems.size())) return kWhite;
  return kColorItems[size_t(index)].color;
}

void NewCanvasDialog::startDrawing() {
  Globals& g = globals();
  // Both sizes are stored before they are checked, also when they are refused.
  g.canvasHeight = leadingInteger(height_->text().toStdString());
  g.canvasWidth = leadingInteger(width_->text().toStdString());
  if (g.canvasHeight > 0 && g.canvasWidth > 0) {
    if (!Surface::sizeAllowed(g.canvasWidth, g.canvasHeight)) {
      // A canvas this large cannot be built; refusing here keeps the user
      // in the dialog instead of failing after it has closed.
      ErrorWindow::report(this, QStringLiteral("错误代码:Ne1"), canvasTooLargeReason());
      return;
    }
    g.canvasBackColor = chosenColor();
    g.dlgResult = 1;
    done(QDialog::Accepted);
  } else {
    ErrorWindow::report(this, QStringLiteral("错误代码:Ne1"), QStringLiteral("图片的像素值必须大于零的阿拉伯数字!"));
  }
}

void NewCanvasDialog::cancel() {
  globals().dlgResult = 2;
  done(QDialog::Rejected);
}

void NewCanvasDialog::follow(Link link) {
  // dlgResult stays as it is, so the caller takes the dialog as cancelled.
  hide();
  openLink(link);
  done(QDialog::Rejected);
}

}  // namespace pictavo
