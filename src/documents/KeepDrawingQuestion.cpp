#include "documents/KeepDrawingQuestion.h"

#include <QMessageBox>
#include <QPushButton>

namespace pictavo {

KeepDrawing askKeepDrawing(QWidget* owner) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Pictavo2012"),
                  QStringLiteral("当前图片的修改尚未保存。是否先保存?"), QMessageBox::NoButton, owner);
  box.setObjectName(QStringLiteral("keepDrawing"));
  QPushButton* save = box.addButton(QStringLiteral("保存(&S)"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("不保存(&N)"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return KeepDrawing::Save;
  if (box.clickedButton() == discard) return KeepDrawing::Discard;
  return KeepDrawing::Cancel;
}

}  // namespace pictavo
