#include "controls/FlatButtonLayout.h"

namespace pictavo {

int buttonEdge(std::int32_t buttonStyle, bool pressed) {
  switch (buttonStyle) {
    case 0: return pressed ? kEdgeSunken : kEdgeRaised;
    case 1: return pressed ? kSunkenOuter : kRaisedInner;
    default: return kEdgeNone;
  }
}

int iconTop(int height) { return (height - kIconSize) / 2; }

CaptionPos captionPosition(std::int32_t alignment, int width, int height, int textWidth, bool hasIcon) {
  CaptionPos pos;
  pos.top = iconTop(height) + 2;
  switch (alignment) {
    case kAlignLeft: pos.left = hasIcon ? 22 : 6; break;
    case kAlignCenter: pos.left = hasIcon ? (width - textWidth + 6) / 2 : (width - textWidth) / 2; break;
    case kAlignRight: pos.left = width - textWidth - 6; break;
    default: pos.left = 0; break;
  }
  return pos;
}

FocusRect focusRect(int width, int height) { return FocusRect{3, 3, width - 3, height - 3}; }

}  // namespace pictavo
