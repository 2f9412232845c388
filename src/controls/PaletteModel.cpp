#include "controls/PaletteModel.h"

#include <exception>

namespace pictavo {

namespace {

constexpr int kBackgroundWidth = 191;
constexpr int kFrameSize = 18;

std::uint32_t greyPixel(int v) { return pixelFromColor(composeColor(v, v, v)); }

// A soft vertical grey gradient behind the swatches.
Picture backgroundPicture() {
  Picture p(kBackgroundWidth, kPaletteHeight);
  for (int y = 0; y < p.height; ++y) {
    const std::uint32_t word = greyPixel(238 - (y * 26) / (p.height - 1));
    for (int x = 0; x < p.width; ++x) p.at(x, y) = word;
  }
  return p;
}

// A one-pixel grey border around a light gradient, 250 at the top to 231
// at the bottom. Tiles show its top-left part, so the left and top border
// lines are what separate neighbouring cells.
Picture framePicture() {
  Picture p(kFrameSize, kFrameSize, greyPixel(212));
  const int inner = kFrameSize - 2;
  for (int y = 1; y <= inner; ++y) {
    const std::uint32_t word = greyPixel(250 - ((y - 1) * 19) / (inner - 1));
    for (int x = 1; x <= inner; ++x) p.at(x, y) = word;
  }
  return p;
}

Surface surfaceOf(const Picture& picture) {
  Surface s(picture.width, picture.height);
  s.SetPicture(picture);
  return s;
}

// One drawing step whose failure must not stop the steps after it.
template <class F>
void tryStep(F&& f) {
  try {
    f();
  } catch (const std::exception&) {
  }
}

}  // namespace

PaletteModel::PaletteModel(Color buttonFace)
    : m_Colors(defaultPaletteColors()),
      buttonFace_(buttonFace),
      surface_(kPaletteWidth, kPaletteHeight, buttonFace),
      background_(surfaceOf(backgroundPicture())),
      pSrc(Surface::hiddenBuffer(kFrameSize, kFrameSize)),
      frame_(framePicture()) {
  pSrc.SetPicture(frame_);
}

void PaletteModel::SetColor1(Color c) {
  m_Color1 = c;
  DrawCurrentColors();
  markChanged("Color1");
}

void PaletteModel::SetColor2(Color c) {
  m_Color2 = c;
  DrawCurrentColors();
  markChanged("Color2");
}

void PaletteModel::SwapColors() {
  const Color first = Color1();
  SetColor1(Color2());
  SetColor2(first);
}

void PaletteModel::SetOpenFullColorDLG(bool on) {
  m_OpenFull = on;
  markChanged("OpenFullColorDLG");
}

void PaletteModel::MouseDown(std::int32_t button, double x, double y) {
  const PaletteHit hit = hitTestPalette(x, y);
  m_Column = hit.column;
  m_Row = hit.row;
  m_Index = hit.index;
  if (m_Index == -1) return;
  m_Button = button;
  Color& entry = m_Colors[std::size_t(m_Index)];
  if (itemClick_) itemClick_(entry, m_Button);
  if (m_Button == kLeft)
    SetColor1(entry);
  else
    SetColor2(entry);
  DrawCurrentColors();
}

void PaletteModel::DblClick(const ColorChooser& choose) {
  if (m_Index == -1 || !choose) return;
  const std::int64_t chosen = choose(m_Colors[std::size_t(m_Index)], m_OpenFull);
  if (chosen == -1) return;
  const ColorBytes b = SplitColor(Color(chosen));
  const Color result = composeColor(b.red, b.green, b.blue);
  m_Colors[std::size_t(m_Index)] = result;
  DrawPalette();
  if (m_Button == kLeft)
    SetColor1(result);
  else
    SetColor2(result);
  DrawCurrentColors();
}

void PaletteModel::clearBuffer(int width, int height) {
  pSrc.SetPicture(frame_);
  pSrc.Resize(width, height);
}

void PaletteModel::PaintSwatch(Color c) {
  clearBuffer(kSwatchSize, kSwatchSize);
  const int w = pSrc.ScaleWidth(), h = pSrc.ScaleHeight();
  pSrc.Line(1, 1, w - 2, h - 2, pSrc.BackColor(), LineKind::Box);
  pSrc.Line(2, 2, w - 3, h - 3, c, LineKind::FilledBox);
  pSrc.Refresh();
}

void PaletteModel::DrawCurrentColors() {
  PaintSwatch(m_Color2);
  surface_.BitBlt(kBackSwatchX, kBackSwatchY, kSwatchSize, kSwatchSize, pSrc, 0, 0);
  PaintSwatch(m_Color1);
  surface_.BitBlt(kForeSwatchX, kForeSwatchY, kSwatchSize, kSwatchSize, pSrc, 0, 0);
  surface_.Refresh();
}

void PaletteModel::DrawPalette() {
  tryStep([&] {
    surface_.SetBackColor(buttonFace_);
    surface_.BitBlt(0, 0, background_.Width(), background_.Height(), background_, 0, 0);
  });
  tryStep([&] {
    pSrc.SetBackColor(buttonFace_);
    clearBuffer(kPaletteCellSize, kPaletteCellSize);
  });
  int k = 0;
  for (int i = 0; i < kPaletteColumns; ++i) {
    for (int j = 0; j <= 1; ++j) {
      tryStep([&] { pSrc.Line(2, 2, 13, 13, m_Colors[std::size_t(k)], LineKind::FilledBox); });
      ++k;
      tryStep([&] {
        surface_.BitBlt(kPaletteGridLeft + kPaletteCellSize * i, kPaletteCellSize * j, kPaletteCellSize,
                        kPaletteCellSize, pSrc, 0, 0);
      });
    }
  }
  tryStep([&] { DrawCurrentColors(); });
}

void PaletteModel::ReadProperties(const PropertyBag& bag) {
  const PaletteColors& table = defaultPaletteColors();
  SetColor1(bag.ReadProperty<Color>("Color1", table[0]));
  SetColor2(bag.ReadProperty<Color>("Color2", table[1]));
  m_OpenFull = bag.ReadProperty<bool>("OpenFullColorDLG", true);
}

void PaletteModel::WriteProperties(PropertyBag& bag) const {
  const PaletteColors& table = defaultPaletteColors();
  bag.WriteProperty<Color>("Color1", m_Color1, table[0]);
  bag.WriteProperty<Color>("Color2", m_Color2, table[1]);
  bag.WriteProperty<bool>("OpenFullColorDLG", m_OpenFull, true);
}

void PaletteModel::InitProperties() {
  const PaletteColors& table = defaultPaletteColors();
  m_Color1 = table[0];
  m_Color2 = table[1];
  m_OpenFull = true;
}

Color PaletteModel::cellColor(int index) const {
  if (index < 0 || index >= kPaletteCellCount) return kNoColor;
  return m_Colors[std::size_t(index)];
}

void PaletteModel::markChanged(const std::string& key) {
  if (propertyChanged_) propertyChanged_(key);
}

}  // namespace pictavo
