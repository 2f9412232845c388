#pragma once
// The classic MousePointer values (0 default, 1 arrow, 2 cross, 3 I-beam,
// ... 99 custom) applied to a widget as a Qt cursor. 99 uses the control's
// MouseIcon; without one, and for unknown values, the default pointer.

#include <QImage>

#include <cstdint>

class QWidget;

namespace pictavo {

void applyMousePointer(QWidget& widget, std::int16_t pointer, const QImage& mouseIcon);

}  // namespace pictavo
