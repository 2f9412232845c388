#pragma once
// Whole-picture colour effects and neighbourhood filters (module Bitmap).
//
// Every procedure works on the persistent image of the surface it is given:
// each output pixel is computed from the picture as it was before the pass
// (never from pixels the pass already wrote), the written area is marked
// changed and the surface is refreshed once at the end. The results are
// those of the classic pixel-by-pixel procedure that visits the pixels
// column by column, top to bottom within a column: random numbers are drawn
// in that order from the shared generator, and where several source pixels
// land on one target the last in that order wins. Channels are clamped to
// 0..255; rounding is to the nearest integer, halves to even.
//
// The filters leave a margin untouched instead of treating edges specially;
// a picture too small for any interior pixel is left as it was (but still
// refreshed).

#include "canvas/Surface.h"

namespace pictavo::Bitmap {

// Every channel v becomes 255 - v.
void InvertColors(Surface& surface);
// Channel 0 (red), 1 (green) or 2 (blue) becomes 0; any other index names no
// channel and changes nothing.
void RemoveChannel(Surface& surface, int channel);
// All three channels become (red + green + blue) / 3, the fraction dropped.
void GrayPicture(Surface& surface);
// Each channel v becomes round(v + (2n + 1) * r - n), r a fresh draw of the
// shared generator per channel (red, green, blue), clamped to 0..255.
// Throws pictavo::Error (6) before anything changes when n lies outside
// -16384..16383; the generator then does not move either.
void AddNoise(Surface& surface, int amount);
// offset added to all three channels, clamped to 0..255.
void AdjustBrightness(Surface& surface, int offset);
// The offsets added to their channels, clamped to 0..255.
void AdjustRGB(Surface& surface, int red, int green, int blue);
// The wave: the pixel at (x, y) is written at (x + round(cos y), y + round(sin x));
// targets outside are dropped, a pixel nobody writes keeps its colour.
void PixelatePicture(Surface& surface);
// The left half copied mirror-wise onto the right half (column x onto
// W - 1 - x for x <= (W - 1) / 2).
void MirrorPicture(Surface& surface);

// 3 x 3 box blur of the pixels one step inside the edges; the outer frame
// of one pixel keeps its colours.
void BlurPicture(Surface& surface);
// The stronger blur: three blur passes, each refreshed.
void BlurPictureMore(Surface& surface);
// Each channel v of an interior pixel becomes round(v + k * (v - u)), u that
// channel of the upper-left neighbour, clamped to 0..255. Throws
// pictavo::Error (6) before anything changes when a result would not fit
// 16 bits (-32768..32767) or k is not a finite number.
void SharpenPicture(Surface& surface, float factor);
// Each pixel at least two steps inside the edges takes the colour of the
// pixel (round(x + d), round(y + d)), d = 2r - 2 from one draw of the shared
// generator per pixel; the outer frame of two pixels keeps its colours.
void DiffusePicture(Surface& surface);

}  // namespace pictavo::Bitmap
