#include "documents/FileFilter.h"

namespace pictavo {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (true) {
    const std::size_t at = text.find(separator, from);
    parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) break;
    from = at + 1;
  }
  return parts;
}

// The classic entries; the first one's patterns may match more than its
// display text names.
std::string classicFilterText(const std::string& ownExtension, const std::string& morePatterns) {
  const std::string own = "*." + ownExtension;
  const std::string all = own + ";*.bmp;*.dib;*.rle;*.jpg;*.jpeg;*.jpe;*.gif;*.ico;*.cur;*.wmf;*.emf";
  const std::pair<std::string, std::string> entries[] = {
      {"所有支持的格式(" + all + ")", all + morePatterns},
      {"Vellora通用(" + own + ")", own},
      {"位图(*.bmp;*.dib;*.rle)", "*.bmp;*.dib;*.rle"},
      {"JPEG图像(*.jpg;*.jpeg;*.jpe)", "*.jpg;*.jpeg;*.jpe"},
      {"GIF图片(*.gif)", "*.gif"},
      {"图标(*.ico)", "*.ico"},
      {"光标(*.cur)", "*.cur"},
      {"图元文件(*.wmf;*.emf)", "*.wmf;*.emf"},
  };
  std::string text;
  for (const auto& [display, patterns] : entries) text += display + "|" + patterns + "|";
  return text;
}

}  // namespace

std::string pictureFilterText(const std::string& ownExtension) { return classicFilterText(ownExtension, ""); }

std::string saveFilterText(const std::string& ownExtension) {
  return pictureFilterText(ownExtension) + kPngFilterEntry + "|*.png|";
}

std::string openFilterText() {
  return classicFilterText("tpf", ";*.png;*.webp;*.tif;*.tiff") +
         "其他图片(*.png;*.webp;*.tif;*.tiff)|*.png;*.webp;*.tif;*.tiff|";
}

std::vector<FilterEntry> parseFilterText(const std::string& text) {
  std::vector<std::string> fields = split(text, '|');
  // The final "|" leaves an empty field behind it.
  if (!fields.empty() && fields.back().empty()) fields.pop_back();
  std::vector<FilterEntry> entries;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    FilterEntry entry{fields[i], {}};
    for (std::string& p : split(fields[i + 1], ';')) {
      if (!p.empty()) entry.patterns.push_back(std::move(p));
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace pictavo
