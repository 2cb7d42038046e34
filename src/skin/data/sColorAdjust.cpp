#include "skin/data/sColorAdjust.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skin {

namespace {

// Nearest integer, ties to even (the rounding of the default floating-point environment).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int Clamp255(double v) { return std::clamp(RoundEven(v), 0, 255); }

TColor MakeColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

template <typename Adjust>
void AdjustPixels(platform::DIBitmap& bitmap, Adjust adjust) {
  if (bitmap.BitsPerPixel() != 24) return;
  const int width = bitmap.Width();
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint8_t* p = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const int b = p[0], g = p[1], r = p[2];
      const bool magenta = r == 255 && g == 0 && b == 255;
      if (magenta || (r == g && g == b)) continue;
      const TColor c = adjust(MakeColor(r, g, b));
      p[0] = static_cast<uint8_t>((c >> 16) & 0xFF);
      p[1] = static_cast<uint8_t>((c >> 8) & 0xFF);
      p[2] = static_cast<uint8_t>(c & 0xFF);
    }
  }
}

}  // namespace

TColor AdjustHue(TColor color, int offset) {
  const TColor rgb = color < 0 ? platform::ColorToRGB(color) : color;
  const int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  const int v = std::max({r, g, b});
  const int m = std::min({r, g, b});
  const int d = v - m;
  const double s = v == 0 ? 0.0 : static_cast<double>(d) / v;
  if (s == 0) return color;
  double h;
  if (v == r)
    h = 60.0 * (g - b) / d;
  else if (v == g)
    h = 120.0 + 60.0 * (b - r) / d;
  else
    h = 240.0 + 60.0 * (r - g) / d;
  if (h < 0) h += 360;
  // In 64 bits: any int offset is accepted without overflow.
  int64_t rotated = static_cast<int64_t>(std::nearbyint(h + static_cast<double>(offset))) % 360;
  if (rotated < 0) rotated += 360;
  const double hh = static_cast<double>(rotated) / 60.0;
  const int i = static_cast<int>(hh);
  const double f = hh - i;
  const double p = std::clamp((1 - s) * v, 0.0, 255.0);
  const double q = std::clamp((1 - s * f) * v, 0.0, 255.0);
  const double t = std::clamp((1 - (1 - f) * s) * v, 0.0, 255.0);
  double nr, ng, nb;
  switch (i) {
    case 0:
      nr = v;
      ng = t;
      nb = p;
      break;
    case 1:
      nr = q;
      ng = v;
      nb = p;
      break;
    case 2:
      nr = p;
      ng = v;
      nb = t;
      break;
    case 3:
      nr = p;
      ng = q;
      nb = v;
      break;
    case 4:
      nr = t;
      ng = p;
      nb = v;
      break;
    default:
      nr = v;
      ng = p;
      nb = q;
      break;
  }
  return MakeColor(Clamp255(nr), Clamp255(ng), Clamp255(nb));
}

TColor AdjustSaturation(TColor color, int amount) {
  if (amount == 0) return color;
  // A system colour's low bytes are an index, not a colour: resolve it as the hue rotation does.
  const TColor rgb = color < 0 ? platform::ColorToRGB(color) : color;
  const int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  const double mean = (r + g + b) / 3.0;
  auto channel = [&](int c) { return Clamp255(c + amount * ((mean - c) / 100.0)); };
  return MakeColor(channel(r), channel(g), channel(b));
}

int SaturationAmount(int saturation) {
  return static_cast<int>((-static_cast<int64_t>(saturation)) % 101);
}

void AdjustBitmapHue(platform::DIBitmap& bitmap, int offset) {
  AdjustPixels(bitmap, [offset](TColor c) { return AdjustHue(c, offset); });
}

void AdjustBitmapSaturation(platform::DIBitmap& bitmap, int amount) {
  AdjustPixels(bitmap, [amount](TColor c) { return AdjustSaturation(c, amount); });
}

}  // namespace skin
