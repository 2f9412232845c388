#include "ReferenceEffects.h"

#include "base/Random.h"

#include <cmath>
#include <vector>

namespace pictavo::reference {

namespace {

// pixelGrid(channel, x, y): 0 red, 1 green, 2 blue.
struct Grid {
  int W = 0, H = 0;
  std::vector<int> v;
  int& at(int c, int x, int y) { return v[(std::size_t(c) * W + x) * H + y]; }
};

Grid LoadGrid(const Surface& s) {
  Grid g;
  g.W = s.ScaleWidth();
  g.H = s.ScaleHeight();
  g.v.assign(std::size_t(3) * g.W * g.H, 0);
  for (int x = 0; x < g.W; ++x)
    for (int y = 0; y < g.H; ++y) {
      const Color c = s.GetPixel(x, y);
      g.at(0, x, y) = int(c % 256);
      g.at(1, x, y) = int(((c & ~Color(0xFF)) / 256) % 256);
      g.at(2, x, y) = int((c & 0xFF0000) / 65536);
    }
  return g;
}

// Components above 255 count as 255; the effects never pass one below 0.
Color Compose(int r, int g, int b) {
  auto top = [](int v) { return v > 255 ? 255 : v; };
  return Color(top(r) + 256 * top(g) + 65536 * top(b));
}

int AtLeastZero(int v) { return v < 0 ? 0 : v; }
int Round(double v) { return int(std::nearbyint(v)); }

// Every pixel rewritten in visiting order by f(grid, x, y, out r, g, b).
template <class F>
void EachPixel(Surface& s, F f) {
  Grid g = LoadGrid(s);
  for (int x = 0; x < g.W; ++x)
    for (int y = 0; y < g.H; ++y) {
      int r = g.at(0, x, y), gr = g.at(1, x, y), b = g.at(2, x, y);
      f(g, x, y, r, gr, b);
      s.SetPixel(x, y, Compose(r, gr, b));
    }
  s.Refresh();
}

}  // namespace

void InvertColors(Surface& s) {
  EachPixel(s, [](Grid&, int, int, int& r, int& g, int& b) { r = 255 - r, g = 255 - g, b = 255 - b; });
}

void RemoveChannel(Surface& s, int channel) {
  EachPixel(s, [channel](Grid&, int, int, int& r, int& g, int& b) {
    if (channel == 0) r = 0;
    if (channel == 1) g = 0;
    if (channel == 2) b = 0;
  });
}

void GrayPicture(Surface& s) {
  EachPixel(s, [](Grid&, int, int, int& r, int& g, int& b) { r = g = b = (r + g + b) / 3; });
}

void AddNoise(Surface& s, int n) {
  EachPixel(s, [n](Grid&, int, int, int& r, int& g, int& b) {
    for (int* v : {&r, &g, &b}) {
      const double rnd = Random::shared().next();
      *v = AtLeastZero(Round(*v + (2 * n + 1) * rnd - n));
    }
  });
}

void AdjustBrightness(Surface& s, int d) {
  EachPixel(s, [d](Grid&, int, int, int& r, int& g, int& b) {
    for (int* v : {&r, &g, &b}) {
      *v += d;
      if (*v > 255) *v = 255;
      if (*v < 0) *v = 0;
    }
  });
}

void AdjustRGB(Surface& s, int dr, int dg, int db) {
  EachPixel(s, [=](Grid&, int, int, int& r, int& g, int& b) {
    r = AtLeastZero(r + dr), g = AtLeastZero(g + dg), b = AtLeastZero(b + db);
  });
}

void PixelatePicture(Surface& s) {
  Grid g = LoadGrid(s);
  for (int x = 0; x < g.W; ++x)
    for (int y = 0; y < g.H; ++y)
      s.SetPixel(x + Round(std::cos(double(y))), y + Round(std::sin(double(x))),
                 Compose(g.at(0, x, y), g.at(1, x, y), g.at(2, x, y)));
  s.Refresh();
}

void MirrorPicture(Surface& s) {
  Grid g = LoadGrid(s);
  for (int x = 0; x <= (g.W - 1) / 2; ++x)
    for (int y = 0; y < g.H; ++y) s.SetPixel(g.W - 1 - x, y, Compose(g.at(0, x, y), g.at(1, x, y), g.at(2, x, y)));
  s.Refresh();
}

void BlurPicture(Surface& s) {
  Grid g = LoadGrid(s);
  for (int x = 1; x <= g.W - 2; ++x)
    for (int y = 1; y <= g.H - 2; ++y) {
      int out[3];
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int i = -1; i <= 1; ++i)
          for (int j = -1; j <= 1; ++j) sum += g.at(c, x + i, y + j);
        out[c] = Round(sum / 9.0);
      }
      s.SetPixel(x, y, Compose(out[0], out[1], out[2]));
    }
  s.Refresh();
}

void SharpenPicture(Surface& s, float k) {
  Grid g = LoadGrid(s);
  for (int x = 1; x <= g.W - 2; ++x)
    for (int y = 1; y <= g.H - 2; ++y) {
      int out[3];
      for (int c = 0; c < 3; ++c) {
        const int v = g.at(c, x, y), u = g.at(c, x - 1, y - 1);
        out[c] = AtLeastZero(Round(v + double(k) * (v - u)));
      }
      s.SetPixel(x, y, Compose(out[0], out[1], out[2]));
    }
  s.Refresh();
}

void DiffusePicture(Surface& s) {
  Grid g = LoadGrid(s);
  for (int x = 2; x <= g.W - 3; ++x)
    for (int y = 2; y <= g.H - 3; ++y) {
      const double d = 2 * Random::shared().next() - 2;
      const int sx = Round(x + d), sy = Round(y + d);
      s.SetPixel(x, y, Compose(g.at(0, sx, sy), g.at(1, sx, sy), g.at(2, sx, sy)));
    }
  s.Refresh();
}

}  // namespace pictavo::reference
