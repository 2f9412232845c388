#pragma once
// Laying a picture over the whole canvas as its background: the picture is
// stretched (halftone) to the canvas's size and copied over it with pure
// magenta as the transparent colour, so the canvas shows through wherever
// the stretched picture is exactly magenta. Stretching mixes colours at the
// borders of magenta areas; those mixed pixels cover the canvas.

#include "canvas/Picture.h"
#include "canvas/Surface.h"

namespace pictavo {

// mask: the hidden box that takes the picture (pMask); stretched: the hidden
// box that takes it at the canvas's size (SrcBrush2). Both hold magenta
// where they hold no picture, so transparent pixels of the picture count as
// magenta. Afterwards both are cleared; `stretched` keeps the canvas's size.
// Throws pictavo::Error when the picture or the canvas size is refused.
void ApplyBackgroundPicture(Surface& canvas, const Picture& picture, Surface& mask, Surface& stretched);

}  // namespace pictavo
