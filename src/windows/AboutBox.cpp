#include "windows/AboutBox.h"
#include "windows/DialogParts.h"

#include "windows/ClickableLabel.h"
#include "windows/Links.h"
#include "windows/WebWindow.h"
#include "windows/WindowArt.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

namespace pictavo {

namespace {

// The link picture: a small white-framed tab reading "作者主页".
QPixmap homePageTab(const QFont& font) {
  QPixmap pixmap(82, 25);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(255, 255, 255, 220), 1.5));
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawRoundedRect(QRectF(1, 1, 80, 23), 6, 6);
  QFont f = font;
  f.setPixelSize(13);
  f.setUnderline(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 82, 25), Qt::AlignCenter, QStringLiteral("作者主页"));
  return pixmap;
}

}  // namespace

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner, kDialogFlags) {
  setUpDialog(this, "frmAbout", QStringLiteral("关于 Pictavo"), 633, 339);

  auto* version = new QLabel(QStringLiteral("版本:V2.1.0.7   2012.2"), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  version->setGeometry(12, 6, 203, 20);
  QPalette pal = version->palette();
  pal.setColor(QPalette::WindowText, Qt::white);
  version->setPalette(pal);

  auto* link = new ClickableLabel(this);
  link->setObjectName(QStringLiteral("Image1"));
  link->setGeometry(512, 268, 82, 25);
  link->setPixmap(homePageTab(font()));
  link->setCursor(Qt::PointingHandCursor);
  connect(link, &ClickableLabel::clicked, this, &AboutBox::followLink);

  auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(496, 302, 112, 27);
  ok->setDefault(true);
  ok->setFocus();
  // Esc rejects the dialog, which closes it just the same.
  connect(ok, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });

  if (QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void AboutBox::ask(QWidget* owner) {
  AboutBox box(owner);
  box.exec();
}

void AboutBox::followLink() {
  // Hiding first ends the modal loop, so the web window is not held behind
  // the box; once the box has gone the web window is brought up again.
  hide();
  openLink(Link::HomePage);
  done(QDialog::Rejected);
  try {
    WebWindow::showWindow();
  } catch (...) {
  }
}

void AboutBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, width(), height());
  sky.setColorAt(0.0, QColor(0x1d, 0x3b, 0x6e));
  sky.setColorAt(0.6, QColor(0x2f, 0x6d, 0xb0));
  sky.setColorAt(1.0, QColor(0x7f, 0xb8, 0xe8));
  p.fillRect(rect(), sky);

  // Three brush strokes in the palette's colours.
  const QColor strokes[] = {QColor(0xe8, 0x4a, 0x3c), QColor(0xf4, 0xc4, 0x30), QColor(0x4c, 0xc0, 0x6a)};
  for (int i = 0; i < 3; ++i) {
    QPainterPath path;
    const double y = 200 + i * 22;
    path.moveTo(40, y);
    path.cubicTo(180, y - 60, 300, y + 50, 460, y - 10);
    p.setPen(QPen(strokes[i], 12, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
  }

  QFont title = font();
  title.setPixelSize(54);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(40, 70, 560, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pictavo2012"));
  QFont subtitle = font();
  subtitle.setPixelSize(18);
  p.setFont(subtitle);
  p.setPen(QColor(255, 255, 255, 210));
  p.drawText(QRect(44, 140, 560, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("简单好用的画图软件"));
}

}  // namespace pictavo
