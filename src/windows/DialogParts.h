#pragma once
// The pieces the program's fixed-layout dialogs are made of: named labels
// and buttons at their designed places.

#include "canvas/Surface.h"
#include "windows/WindowArt.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

#include <cmath>

namespace pictavo {

// A title bar with a close box only, as every dialog of the program has.
inline constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Names the dialog, titles it without an icon and fixes its client size; modal.
inline void setUpDialog(QDialog* dialog, const char* name, const QString& title, int width, int height) {
  dialog->setObjectName(QString::fromLatin1(name));
  dialog->setWindowTitle(title);
  dialog->setWindowIcon(art::noWindowIcon());
  dialog->setFixedSize(width, height);
  dialog->setModal(true);
}

inline QLabel* addLabel(QWidget* parent, const char* name, const QRect& place, const QString& text,
                        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(place);
  label->setAlignment(alignment);
  return label;
}

// The default button takes Enter; the others never do.
enum class ButtonRole { Default, Plain };

inline QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const QRect& place,
                              ButtonRole role = ButtonRole::Plain) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(place);
  if (role == ButtonRole::Default) button->setDefault(true);
  else button->setAutoDefault(false);
  return button;
}

// The reason the size dialogs (new canvas, stretch) give for a size past
// the canvas limit, naming the limit.
inline QString canvasTooLargeReason() {
  const int side = int(std::lround(std::sqrt(double(Surface::kMaxPixels))));
  return QStringLiteral("图片太大!宽和高都不能超过%1像素,且宽×高不能超过%2×%2像素!")
      .arg(Surface::kMaxSide)
      .arg(side);
}

}  // namespace pictavo
