#pragma once
// The file-type filter of the open and save dialogs. Its text is pairs of a
// display text and its patterns, every field followed by "|":
//   "所有支持的格式(*.tpf;...)|*.tpf;...|Vellora通用(*.tpf)|*.tpf|...|"
// The program's own extension (".tpf" for Open and Save As, ".otsp" for the
// exit confirmation's save) names BMP files like any other extension.

#include <string>
#include <vector>

namespace pictavo {

// The filter text with the program's own extension, given without its dot.
std::string pictureFilterText(const std::string& ownExtension);

// The save dialogs' filter: the one above, then the PNG entry.
inline constexpr const char* kPngFilterEntry = "PNG图片(*.png)";
std::string saveFilterText(const std::string& ownExtension);

// Open's filter: the one above for ".tpf", its first entry also matching
// the formats beyond the classic ones (PNG, WebP, TIFF) without naming them,
// then those formats as one more entry.
std::string openFilterText();

struct FilterEntry {
  std::string display;                // shown in the dialog's type list
  std::vector<std::string> patterns;  // "*.bmp", ... (split at ";")
};

// The entries of a filter text. A trailing display text without patterns
// is dropped; empty patterns are skipped.
std::vector<FilterEntry> parseFilterText(const std::string& text);

}  // namespace pictavo
