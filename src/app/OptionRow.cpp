#include "app/OptionRow.h"

#include "controls/ColorPalette.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>

namespace pictavo {

namespace {

QWidget* panel(QWidget* top, const char* name, int left, int width) {
  auto* p = new QWidget(top);
  p->setObjectName(QString::fromLatin1(name));
  p->setGeometry(left, 8, width, 28);
  p->hide();
  return p;
}

// A caption and its list side by side; returns the x after them.
int labelled(QWidget* parent, int x, const char* labelName, const QString& caption, const char* listName,
             int listWidth) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(labelName));
  label->adjustSize();
  label->move(x, (28 - label->height()) / 2);
  x += label->width() + 4;
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(listName));
  list->setGeometry(x, 2, listWidth, 24);
  list->setMaxVisibleItems(20);
  return x + listWidth + 10;
}

}  // namespace

const QStringList& OptionRow::listNames() {
  static const QStringList names{QStringLiteral("cboDW"),        QStringLiteral("cboStyle"),
                                 QStringLiteral("cboFillType"),  QStringLiteral("cboPatten"),
                                 QStringLiteral("cboBrush"),     QStringLiteral("cboWidth"),
                                 QStringLiteral("cboEraseType"), QStringLiteral("cboCloneSize"),
                                 QStringLiteral("cboGrade"),     QStringLiteral("cboTextStyle")};
  return names;
}

OptionRow::OptionRow(QWidget* top) : top_(top) {
  // Panels that are shown together (pDrawWidth and pErase for the eraser)
  // sit side by side; the others share the first place.
  QWidget* drawWidth = panel(top, "pDrawWidth", 4, 250);
  int x = labelled(drawWidth, 0, "lbldWidth", QStringLiteral("粗度:"), "cboDW", 60);
  labelled(drawWidth, x, "lblStyle", QStringLiteral("样式:"), "cboStyle", 80);

  QWidget* fillType = panel(top, "pFillType", 4, 300);
  x = labelled(fillType, 0, "lblFillType", QStringLiteral("填充:"), "cboFillType", 70);
  labelled(fillType, x, "lblPatten", QStringLiteral("纹理:"), "cboPatten", 140);

  QWidget* brush = panel(top, "pBrush", 4, 250);
  labelled(brush, 0, "lblBrush", QStringLiteral("画笔:"), "cboBrush", 160);

  QWidget* erase = panel(top, "pErase", 258, 262);
  x = labelled(erase, 0, "lblEraseType", QStringLiteral("边框样式:"), "cboEraseType", 76);
  labelled(erase, x, "lblEraseWidth", QStringLiteral("粗度:"), "cboWidth", 60);

  QWidget* clone = panel(top, "pClone", 4, 200);
  labelled(clone, 0, "lblCloneSize", QStringLiteral("克隆范围:"), "cboCloneSize", 60);

  QWidget* grad = panel(top, "pGrad", 4, 220);
  labelled(grad, 0, "lblGrade", QStringLiteral("填充样式:"), "cboGrade", 100);

  QWidget* textStyle = panel(top, "pTextStyle", 4, 240);
  labelled(textStyle, 0, "lblTextStyle", QStringLiteral("文字样式:"), "cboTextStyle", 110);

  palette_ = new ColorPalette(top);
  palette_->setObjectName("dColorPallete1");
  palette_->move(530, 5);
  palette_->setColor2(0x00C0E0FFu);
  palette_->setMousePointer(1);
  palette_->setToolTip(QStringLiteral("左击选定前景色,右键选定背景色.双击左键自定义前景色,反之亦然."));

  auto* advert = new QLabel(QStringLiteral("Vellora相册"), top);
  advert->setObjectName("lblAdvert");
  advert->setGeometry(796, 12, 92, 20);
  QPalette pal = advert->palette();
  pal.setColor(QPalette::WindowText, QColor(0, 0, 160));
  advert->setPalette(pal);
}

QComboBox* OptionRow::list(const QString& name) const { return top_->findChild<QComboBox*>(name); }

}  // namespace pictavo
