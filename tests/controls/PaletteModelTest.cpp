// The palette's press and double-click steps, its colours, stored
// properties and what it draws.
#include "controls/PaletteModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pictavo {
namespace {

constexpr Color kPicked = composeColor(10, 20, 30);

// Centre of the cell showing table index i.
double cellX(int i) { return kPaletteGridLeft + 16 * (i / 2) + 8; }
double cellY(int i) { return 16 * (i % 2) + 8; }

struct Recorder {
  std::vector<std::string> keys;
  std::vector<std::pair<Color, std::int32_t>> clicks;
  void attach(PaletteModel& m) {
    m.setPropertyChangedHandler([this](const std::string& k) { keys.push_back(k); });
    m.setItemClickHandler([this](Color& c, std::int32_t& b) { clicks.emplace_back(c, b); });
  }
};

TEST(PalettePress, ButtonChoosesWhichColourTakesTheCell) {
  PaletteModel m;
  m.SetColor1(composeColor(1, 2, 3));
  m.SetColor2(composeColor(4, 5, 6));
  Recorder r;
  r.attach(m);

  m.MouseDown(PaletteModel::kLeft, 32, 0);  // top-left cell: black
  EXPECT_EQ(m.Color1(), kBlack);
  m.MouseDown(PaletteModel::kRight, 40, 20);  // the cell below: white
  EXPECT_EQ(m.Color2(), kWhite);
  m.MouseDown(PaletteModel::kMiddle, cellX(8), cellY(8));
  EXPECT_EQ(m.Color2(), composeColor(237, 28, 36));
  EXPECT_EQ(m.Color1(), kBlack);

  ASSERT_EQ(r.clicks.size(), 3u);
  EXPECT_EQ(r.clicks[0], std::make_pair(kBlack, std::int32_t(1)));
  EXPECT_EQ(r.clicks[1], std::make_pair(kWhite, std::int32_t(2)));
  EXPECT_EQ(r.clicks[2].second, 4);
  EXPECT_EQ(r.keys, (std::vector<std::string>{"Color1", "Color2", "Color2"}));
}

TEST(PalettePress, OutsideTheCellsChangesNothing) {
  PaletteModel m;
  m.MouseDown(PaletteModel::kRight, cellX(5), cellY(5));
  const Color c1 = m.Color1(), c2 = m.Color2();
  Recorder r;
  r.attach(m);
  for (auto [x, y] : {std::pair{31.0, 5.0}, {10.0, 20.0}, {100.0, 32.0}, {256.0, 0.0}}) {
    m.MouseDown(PaletteModel::kLeft, x, y);
    EXPECT_EQ(m.lastIndex(), -1);
  }
  EXPECT_TRUE(r.clicks.empty());
  EXPECT_TRUE(r.keys.empty());
  EXPECT_EQ(m.Color1(), c1);
  EXPECT_EQ(m.Color2(), c2);
  EXPECT_EQ(m.lastButton(), PaletteModel::kRight);  // kept from the last press on a cell
}

TEST(PalettePress, ItemClickMayChangeTheCellAndTheButton) {
  PaletteModel m;
  m.setItemClickHandler([](Color& c, std::int32_t& b) {
    c = kPicked;
    b = PaletteModel::kRight;
  });
  m.MouseDown(PaletteModel::kLeft, cellX(3), cellY(3));
  EXPECT_EQ(m.Color1(), kBlack);
  EXPECT_EQ(m.Color2(), kPicked);
  EXPECT_EQ(m.cellColor(3), kPicked);
}

TEST(PaletteDoubleClick, ChosenColourReplacesTheCellAndTheButtonsColour) {
  PaletteModel m;
  const PaletteColors before = defaultPaletteColors();
  m.MouseDown(PaletteModel::kLeft, cellX(12), cellY(12));
  Color offered = kNoColor;
  m.DblClick([&](Color initial, bool fullOpen) {
    offered = initial;
    EXPECT_TRUE(fullOpen);
    return std::int64_t(kPicked);
  });
  EXPECT_EQ(offered, before[12]);
  EXPECT_EQ(m.Color1(), kPicked);
  for (int i = 0; i < kPaletteCellCount; ++i) EXPECT_EQ(m.cellColor(i), i == 12 ? kPicked : before[std::size_t(i)]);

  m.MouseDown(PaletteModel::kRight, cellX(5), cellY(5));
  m.DblClick([](Color, bool) { return std::int64_t(0x00123456); });
  EXPECT_EQ(m.Color2(), 0x00123456u);
  EXPECT_EQ(m.Color1(), kPicked);
}

TEST(PaletteDoubleClick, CancelOrAPressOffTheCellsLeavesEverything) {
  PaletteModel m;
  m.MouseDown(PaletteModel::kLeft, cellX(6), cellY(6));
  const Color c1 = m.Color1();
  m.DblClick([](Color, bool) { return std::int64_t(-1); });
  EXPECT_EQ(m.cellColor(6), defaultPaletteColors()[6]);
  EXPECT_EQ(m.Color1(), c1);

  m.MouseDown(PaletteModel::kLeft, 12, 12);  // swatch area
  bool asked = false;
  m.DblClick([&](Color, bool) {
    asked = true;
    return std::int64_t(kPicked);
  });
  EXPECT_FALSE(asked);
}

TEST(PaletteColors, SwapTwiceRestoresAndMarksBoth) {
  PaletteModel m;
  m.SetColor2(0x00C0E0FFu);
  Recorder r;
  r.attach(m);
  m.SwapColors();
  EXPECT_EQ(m.Color1(), 0x00C0E0FFu);
  EXPECT_EQ(m.Color2(), kBlack);
  m.SwapColors();
  EXPECT_EQ(m.Color1(), kBlack);
  EXPECT_EQ(m.Color2(), 0x00C0E0FFu);
  EXPECT_EQ(r.keys, (std::vector<std::string>{"Color1", "Color2", "Color1", "Color2"}));
}

TEST(PaletteProperties, OnlyValuesOffTheirDefaultsAreStored) {
  PaletteModel m;
  PropertyBag bag;
  m.WriteProperties(bag);
  EXPECT_EQ(bag.size(), 0u);

  m.SetColor2(0x00C0E0FFu);
  m.SetOpenFullColorDLG(false);
  m.MouseDown(PaletteModel::kLeft, cellX(9), cellY(9));
  m.DblClick([](Color, bool) { return std::int64_t(kPicked); });  // also Color1
  m.WriteProperties(bag);
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"Color1", "Color2", "OpenFullColorDLG"}));

  PaletteModel loaded;
  loaded.ReadProperties(bag);
  EXPECT_EQ(loaded.Color1(), kPicked);
  EXPECT_EQ(loaded.Color2(), 0x00C0E0FFu);
  EXPECT_FALSE(loaded.OpenFullColorDLG());
  EXPECT_EQ(loaded.cellColor(9), defaultPaletteColors()[9]);  // the table is not stored

  PaletteModel fresh;
  fresh.ReadProperties(PropertyBag());
  EXPECT_EQ(fresh.Color1(), kBlack);
  EXPECT_EQ(fresh.Color2(), kWhite);
  EXPECT_TRUE(fresh.OpenFullColorDLG());
}

// ---- drawing -------------------------------------------------------------

TEST(PaletteDrawing, CellsAndSwatchesShowTheirColours) {
  PaletteModel m;
  m.SetColor1(composeColor(255, 0, 0));
  m.SetColor2(composeColor(0, 0, 255));
  m.DrawPalette();
  const Surface& s = m.surface();
  for (int i = 0; i < kPaletteCellCount; ++i) {
    const int left = kPaletteGridLeft + 16 * (i / 2), top = 16 * (i % 2);
    EXPECT_EQ(s.GetPixel(left + 2, top + 2), defaultPaletteColors()[std::size_t(i)]) << i;
    EXPECT_EQ(s.GetPixel(left + 13, top + 13), defaultPaletteColors()[std::size_t(i)]) << i;
    EXPECT_NE(s.GetPixel(left + 14, top + 8), defaultPaletteColors()[std::size_t(i)]) << i;  // the 12 x 12 fill ends at 13
  }
  // The foreground swatch fills (12, 13)..(22, 23) over the background swatch.
  EXPECT_EQ(s.GetPixel(12, 13), composeColor(255, 0, 0));
  EXPECT_EQ(s.GetPixel(22, 23), composeColor(255, 0, 0));
  EXPECT_EQ(s.GetPixel(5, 6), composeColor(0, 0, 255));
  EXPECT_EQ(s.GetPixel(15, 8), composeColor(0, 0, 255));
  EXPECT_NE(s.GetPixel(23, 24), composeColor(255, 0, 0));
}

TEST(PaletteDrawing, ColourWritesRedrawOnlyTheSwatches) {
  PaletteModel m;
  m.DrawPalette();
  m.surface().SetPixel(100, 20, kPicked);  // stands for a stale cell
  m.SetColor1(composeColor(0, 255, 0));
  m.SwapColors();
  EXPECT_EQ(m.surface().GetPixel(100, 20), kPicked);
  EXPECT_EQ(m.surface().GetPixel(15, 16), kWhite);  // the old Color2, now Color1
  EXPECT_EQ(m.surface().GetPixel(5, 6), composeColor(0, 255, 0));
  m.DrawPalette();
  EXPECT_NE(m.surface().GetPixel(100, 20), kPicked);
}

TEST(PaletteDrawing, DoubleClickRedrawsTheEditedCell) {
  PaletteModel m;
  m.DrawPalette();
  m.MouseDown(PaletteModel::kRight, cellX(27), cellY(27));
  m.DblClick([](Color, bool) { return std::int64_t(kPicked); });
  EXPECT_EQ(m.surface().GetPixel(int(cellX(27)), int(cellY(27))), kPicked);
  EXPECT_EQ(m.surface().GetPixel(int(cellX(26)), int(cellY(26))), defaultPaletteColors()[26]);
}

}  // namespace
}  // namespace pictavo
