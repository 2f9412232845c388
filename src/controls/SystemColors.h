#pragma once
// System colours in the 0x800000nn form (nn the classic colour index:
// 15 button face, 18 button text, ...) resolved against the application's
// palette, as OleTranslateColor does without a palette.

#include "canvas/Color.h"

#include <optional>

namespace pictavo {

inline constexpr Color kSysButtonFace = 0x8000000Fu;
inline constexpr Color kSysButtonText = 0x80000012u;
inline constexpr Color kSysWindow = 0x80000005u;

// A plain colour (high byte 0) comes back unchanged; a known system colour
// as the plain colour the palette gives it; anything else fails.
std::optional<Color> OleTranslateColor(Color c);

}  // namespace pictavo
