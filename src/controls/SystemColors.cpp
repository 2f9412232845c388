#include "controls/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace pictavo {

namespace {

std::optional<QPalette::ColorRole> roleOf(int index) {
  switch (index) {
    case 1: return QPalette::Window;          // desktop
    case 4: return QPalette::Window;          // menu
    case 5: return QPalette::Base;            // window background
    case 7: return QPalette::WindowText;      // menu text
    case 8: return QPalette::Text;            // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;         // button face
    case 16: return QPalette::Dark;           // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;          // button highlight
    case 21: return QPalette::Shadow;         // 3-D dark shadow
    case 22: return QPalette::Midlight;       // 3-D light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<Color> OleTranslateColor(Color c) {
  const Color kind = c >> 24;
  if (kind == 0) return c;
  if (kind != 0x80) return std::nullopt;
  const int index = int(c & 0xFFFFFF);
  QPalette palette = QGuiApplication::palette();
  QColor q;
  if (index == 17) {  // grey text
    q = palette.color(QPalette::Disabled, QPalette::Text);
  } else if (auto role = roleOf(index)) {
    q = palette.color(QPalette::Active, *role);
  } else {
    return std::nullopt;
  }
  return composeColor(q.red(), q.green(), q.blue());
}

}  // namespace pictavo
