#pragma once
// Text of metafiles drawn with Qt's font engine onto the player's surface.

#include "formats/metafile/MetafileDevice.h"

namespace pictavo {

// The painter the picture decoder hands to the metafile player: the run's
// font, size, weight, slant, underline, angle, alignment and opaque
// background, glyph pixels in the run's colour without smoothing.
MetafileTextPainter qtMetafileTextPainter();

}  // namespace pictavo
