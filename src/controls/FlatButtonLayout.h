#pragma once
// The flat button's arithmetic: where the icon and the caption go and
// which 3-D edge a style draws. Plain C++, so it is tested without a
// display. All values are pixels of the button; "div" truncates toward
// zero.

#include <cstdint>

namespace pictavo {

// Edge values as the classic edge drawing takes them: the outer and inner
// lines, raised or sunken, and their combinations.
enum EdgeBits : int {
  kEdgeNone = 0,
  kRaisedOuter = 1,
  kSunkenOuter = 2,
  kRaisedInner = 4,
  kSunkenInner = 8,
  kEdgeRaised = kRaisedOuter | kRaisedInner,  // 5
  kEdgeSunken = kSunkenOuter | kSunkenInner,  // 10
};

// Caption alignments.
enum CaptionAlignmentValue : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

// Style 0: raised, sunken while pressed; style 1: a thin raised line, a
// thin sunken line while pressed; 2 or anything else: no edge.
int buttonEdge(std::int32_t buttonStyle, bool pressed);

// Top of the 16 x 16 icon: (height - 16) div 2. The icon's left is 5.
inline constexpr int kIconLeft = 5;
inline constexpr int kIconSize = 16;
int iconTop(int height);

// Caption position for a caption textWidth pixels wide: top = iconTop + 2;
// left by alignment: 0: 22 with an icon, 6 without; 1: (W - T + 6) div 2
// with an icon, (W - T) div 2 without; 2: W - T - 6; anything else 0.
struct CaptionPos {
  int left = 0, top = 0;
};
CaptionPos captionPosition(std::int32_t alignment, int width, int height, int textWidth, bool hasIcon);

// The focus rectangle: left, top, right, bottom (right and bottom excluded).
struct FocusRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
FocusRect focusRect(int width, int height);

}  // namespace pictavo
