#pragma once
// The flat button's two background pictures, 113 x 25, drawn from the
// top-left corner of the button (not stretched).

#include <QImage>

namespace pictavo {

// Image2, the normal background: white at the top shading to light grey.
const QImage& normalButtonBackground();
// Image1, the selected background: light to darker blue, with a small
// white arrowhead pointing right near the right end.
const QImage& selectedButtonBackground();

}  // namespace pictavo
