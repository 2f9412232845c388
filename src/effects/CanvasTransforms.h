#pragma once
// Whole-canvas transforms of the Canvas menu (module ImageTools): stretch to
// a new size, flips, a border, quarter turns and crop. Unlike the colour
// effects the first three work through the surface's block copies and line
// drawing; turns and crop build the new picture in a buffer of their own.

#include "canvas/QuarterTurn.h"
#include "canvas/Surface.h"

namespace pictavo::ImageTools {

// Resizes `canvas` to w x h and fills it with its old picture stretched to
// that size (halftone: each new pixel averages the old pixels it covers).
// `buffer` (the hidden copy buffer) takes the stretched picture on the way
// and is left cleared at w x h. Throws pictavo::Error (7) when the size is
// refused or memory runs out; the canvas is then unchanged.
void StretchPicture(Surface& canvas, Surface& buffer, int w, int h);

// Flip modes.
enum FlipMode { kFlipLeftRight = 0, kFlipUpsideDown = 1, kFlipBoth = 2 };

// Mirrors the picture onto itself: left-right (new (x, y) = old (W-1-x, y)),
// upside down (old (x, H-1-y)) or both (old (W-1-x, H-1-y)); then refreshes.
// Another mode changes nothing.
void FlipPicture(Surface& surface, int mode);

// Outlines of the rectangles with corners (i-1, i-1) and (W-i, H-i) for i
// from 0 to n, in `color` with the surface's DrawWidth and DrawStyle; then a
// refresh. At line width 1 that is a border n pixels wide (the outline for
// i = 0 runs just outside the picture). n < 0 draws nothing.
void DrawBorder(Surface& surface, int n, Color color);

// Turns the persistent image (QuarterTurn.h), its size with it, and
// refreshes. The turned picture is written once into fresh memory, which
// the surface then takes over. Throws pictavo::Error (7) when memory runs
// out; the picture is then unchanged.
void TurnPicture(Surface& surface, QuarterTurn turn);

// The pixels of `area` (clipped to the picture) become the whole picture;
// then a refresh. Nothing happens when no pixel of it lies on the picture.
// Throws as TurnPicture.
void CropPicture(Surface& surface, const Rect& area);

}  // namespace pictavo::ImageTools
