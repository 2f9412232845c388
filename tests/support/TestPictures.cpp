#include "support/TestPictures.h"

#include "base/Errors.h"

#include <filesystem>

namespace pictavo::test {

const Legend& defaultLegend() {
  static const Legend legend{{'.', kWhite},      {'#', kBlack},      {'r', 0x000000FFu},
                             {'g', 0x0000FF00u}, {'b', 0x00FF0000u}, {'m', kMagenta}};
  return legend;
}

Surface surfaceFromRows(const std::vector<std::string>& rows, const Legend& legend) {
  const int h = int(rows.size());
  const int w = h ? int(rows[0].size()) : 0;
  Surface s(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, legend.at(rows[y][x]));
  return s;
}

static std::vector<std::string> rowsFrom(const std::uint32_t* bits, int w, int h, const Legend& legend) {
  std::vector<std::string> rows(h, std::string(w, '?'));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Color c = colorFromPixel(bits[std::size_t(y) * w + x]);
      for (const auto& [ch, col] : legend)
        if (col == c) rows[y][x] = ch;
    }
  return rows;
}

std::vector<std::string> rowsOf(const Surface& s, const Legend& legend) {
  return rowsFrom(s.drawBits(), s.Width(), s.Height(), legend);
}

std::vector<std::string> visibleRowsOf(const Surface& s, const Legend& legend) {
  return rowsFrom(s.visibleBits(), s.Width(), s.Height(), legend);
}

std::string testDataPath(const std::string& relative) {
  const std::filesystem::path root(PICTAVO_TESTDATA_DIR);
  if (!std::filesystem::is_directory(root)) return {};
  return (root / relative).string();
}

int errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace pictavo::test
