#include "skin/paint/sContrast.h"

#include <algorithm>
#include <cmath>

#include "skin/paint/sBlending.h"

namespace skin {

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(TColor color) {
  const TColor rgb = platform::ColorToRGB(color);
  return 0.2126 * Linear(rgb & 0xFF) + 0.7152 * Linear((rgb >> 8) & 0xFF) +
         0.0722 * Linear((rgb >> 16) & 0xFF);
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TsSelectionColors MixedSelectionColors(TColor font, TColor face) {
  font = platform::ColorToRGB(font);
  face = platform::ColorToRGB(face);
  for (int percent = 50; percent <= 100; percent += 5) {
    const TColor back = MixColors(font, face, percent / 100.0);
    if (ContrastRatio(back, face) >= kReadableContrast) return {back, face};
  }
  const TColor text =
      ContrastRatio(font, platform::clBlack) >= ContrastRatio(font, platform::clWhite)
          ? platform::clBlack
          : platform::clWhite;
  return {font, text};
}

}  // namespace skin
