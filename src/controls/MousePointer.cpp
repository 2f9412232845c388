#include "controls/MousePointer.h"

#include <QCursor>
#include <QPixmap>
#include <QWidget>

namespace pictavo {

void applyMousePointer(QWidget& widget, std::int16_t pointer, const QImage& mouseIcon) {
  static const Qt::CursorShape shapes[] = {
      Qt::ArrowCursor,      // 0 (unused: default)
      Qt::ArrowCursor,      // 1 arrow
      Qt::CrossCursor,      // 2 cross
      Qt::IBeamCursor,      // 3 I-beam
      Qt::ArrowCursor,      // 4 icon
      Qt::SizeAllCursor,    // 5 size
      Qt::SizeBDiagCursor,  // 6 size NE-SW
      Qt::SizeVerCursor,    // 7 size N-S
      Qt::SizeFDiagCursor,  // 8 size NW-SE
      Qt::SizeHorCursor,    // 9 size W-E
      Qt::UpArrowCursor,    // 10 up arrow
      Qt::WaitCursor,       // 11 hourglass
      Qt::ForbiddenCursor,  // 12 no drop
      Qt::BusyCursor,       // 13 arrow and hourglass
      Qt::WhatsThisCursor,  // 14 arrow and question mark
      Qt::SizeAllCursor,    // 15 size all
  };
  if (pointer == 99 && !mouseIcon.isNull()) {
    widget.setCursor(QCursor(QPixmap::fromImage(mouseIcon)));
  } else if (pointer >= 1 && pointer < std::int16_t(std::size(shapes))) {
    widget.setCursor(shapes[pointer]);
  } else {
    widget.unsetCursor();
  }
}

}  // namespace pictavo
