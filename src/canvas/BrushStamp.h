#pragma once
// The magic bag's stamp: the brush picture with its black pixels turned into
// the drawing colour, laid onto the canvas with magenta as the key colour.

#include "canvas/Color.h"

namespace pictavo {

class Surface;

// Builds the coloured stamp in `stamp` (the buffer SrcBrush2): it takes the
// size and pixels of `brush` (SrcBrush1), and every pixel that is exactly
// black becomes `foreColor`. Without a brush picture (null: none loaded or
// the file did not decode) the stamp is cleared to magenta and keeps its
// size, so stamping it leaves no mark.
void PrepareBrushStamp(Surface& stamp, const Surface* brush, Color foreColor);

}  // namespace pictavo
