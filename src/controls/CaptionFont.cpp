#include "controls/CaptionFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace pictavo {

QFont captionFont(double pointSize) {
  QFont font = QGuiApplication::font();
  const QStringList families = QFontDatabase::families();
  for (const QString& name : {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                              QStringLiteral("WenQuanYi Micro Hei")}) {
    if (families.contains(name, Qt::CaseInsensitive)) {
      font.setFamily(name);
      break;
    }
  }
  font.setPointSizeF(pointSize);
  return font;
}

}  // namespace pictavo
