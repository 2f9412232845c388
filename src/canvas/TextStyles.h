#pragma once
// The eight font styles of the text dialog, by index: the attributes the
// dialog's preview and the text placed on the canvas apply. Every index
// sets all three attributes, so a plain style after an underlined one
// switches the underline off again.

#include <array>

namespace pictavo {

struct TextAttributes {
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

inline constexpr int kTextStyleCount = 8;

// Captions of the dialog's style list, index 0 first.
inline constexpr std::array<const char*, kTextStyleCount> kTextStyleCaptions = {
    "无", "粗体", "斜体", "粗体+斜体", "下划线", "下划线+粗体", "下划线+斜体", "下划线+粗体+斜体"};

// Index 0 and any index outside 0..7 give regular text.
inline TextAttributes textAttributes(int styleIndex) {
  if (styleIndex < 0 || styleIndex >= kTextStyleCount) return {};
  // Bit 0 bold, bit 1 italic, bit 2 underline: the captions follow that order.
  return TextAttributes{(styleIndex & 1) != 0, (styleIndex & 2) != 0, (styleIndex & 4) != 0};
}

}  // namespace pictavo
