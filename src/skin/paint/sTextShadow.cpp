#include "skin/paint/sTextShadow.h"

#include <cstring>

namespace skin {

using platform::TColor;

void TsShadowMask::Build(const platform::DIBitmap& text, int width, int height, int blur) {
  width_ = width;
  height_ = height;
  const int stride = width + 2;
  const size_t needed = static_cast<size_t>(stride) * static_cast<size_t>(height + 2);
  if (cells_.size() < needed) cells_.resize(needed);
  std::memset(cells_.data(), 0, needed);
  for (int pass = 0; pass < blur; ++pass) {
    // Stamp: every pixel the text covers is fully opaque again.
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = text.ScanLine(y);
      uint8_t* cells = cells_.data() + static_cast<size_t>(y + 1) * stride + 1;
      for (int x = 0; x < width; ++x)
        if (row[3 * x] != 0) cells[x] = 255;
    }
    // One blur pass in place: up and left are already this pass's values.
    for (int y = 1; y <= height; ++y) {
      uint8_t* cell = cells_.data() + static_cast<size_t>(y) * stride + 1;
      for (int x = 1; x <= width; ++x, ++cell)
        *cell = static_cast<uint8_t>((cell[-stride] + cell[stride] + cell[-1] + cell[1]) >> 2);
    }
  }
}

void TsShadowMask::MixInto(platform::DIBitmap& picture, TColor shadow,
                           std::optional<TColor> background) const {
  const int stride = width_ + 2;
  const TColor rgb = platform::ColorToRGB(shadow);
  const int s[3] = {platform::GetBValue(rgb), platform::GetGValue(rgb), platform::GetRValue(rgb)};
  const TColor back = background ? platform::ColorToRGB(*background) : TColor{0};
  const int b[3] = {platform::GetBValue(back), platform::GetGValue(back),
                    platform::GetRValue(back)};
  for (int y = 0; y < height_; ++y) {
    uint8_t* p = picture.ScanLine(y);
    const uint8_t* cells = cells_.data() + static_cast<size_t>(y + 1) * stride + 1;
    for (int x = 0; x < width_; ++x, p += 3) {
      const int a = cells[x];
      // Weights out of 255, rounded: where the mask is empty the pixel stays exactly as it was
      // (a shift by 8 would darken everything around the text by one step).
      for (int c = 0; c < 3; ++c)
        p[c] =
            static_cast<uint8_t>(((background ? b[c] : p[c]) * (255 - a) + s[c] * a + 127) / 255);
    }
  }
}

}  // namespace skin
