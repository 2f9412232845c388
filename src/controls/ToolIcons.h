#pragma once
// The tool bar's icons: one 16 x 16 picture per tool (0 select ... 21
// text), drawn in code on a magenta background, which the flat button
// leaves transparent. No icon uses magenta itself.

#include <QImage>

namespace pictavo {

inline constexpr int kToolCount = 22;

// A 16 x 16 RGB32 picture; a null image for an index outside 0..21.
QImage toolIcon(int tool);

}  // namespace pictavo
