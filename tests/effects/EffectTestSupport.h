#pragma once
// Helpers of the effect tests: pictures of random colours, exact picture
// comparison, single-pixel pictures, and aiming the shared generator so a
// chosen draw yields a chosen number.

#include "canvas/Surface.h"

#include <cstdint>
#include <string>

namespace pictavo::test {

// A w x h surface of random colours (a fixed sequence per seed), every
// channel within 128 +- spread (at most 0..255).
Surface randomSurface(int w, int h, std::uint32_t seed, int spread = 128);

// Empty when both persistent images are equal, else where they first differ.
std::string pictureDifference(const Surface& a, const Surface& b);

// Moves the shared generator so that its k-th next draw (k >= 1) is r, a
// multiple of 2^-32 in [0, 1).
void aimNextDraw(std::uint32_t k, double r);

}  // namespace pictavo::test
