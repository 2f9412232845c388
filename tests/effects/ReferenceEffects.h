#pragma once
// Plain, obviously correct versions of the effects, written pixel by pixel
// the classic way: load the whole picture into a grid of channel values
// (column by column, top to bottom), compute each output pixel from the grid
// and write it with SetPixel in visiting order, then Refresh. The fast
// effects must give exactly the same pictures and draw the same numbers.

#include "canvas/Surface.h"

namespace pictavo::reference {

void InvertColors(Surface& s);
void RemoveChannel(Surface& s, int channel);
void GrayPicture(Surface& s);
void AddNoise(Surface& s, int n);
void AdjustBrightness(Surface& s, int d);
void AdjustRGB(Surface& s, int dr, int dg, int db);
void PixelatePicture(Surface& s);
void MirrorPicture(Surface& s);
void BlurPicture(Surface& s);
// Without the overflow check: use factors whose results fit 16 bits.
void SharpenPicture(Surface& s, float k);
void DiffusePicture(Surface& s);

}  // namespace pictavo::reference
