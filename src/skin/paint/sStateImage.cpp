#include "skin/paint/sStateImage.h"

#include <algorithm>

#include "skin/paint/sBlending.h"
#include "skin/paint/sKeyedCopy.h"
#include "skin/paint/sMaskGeometry.h"

namespace skin {

using framework::TBitmap;

void PutMaskedImage(TBitmap* bitmap, int x, int y, const TRect& r, const TBitmap* picture,
                    const TsMaskData& mask, int mode) {
  if (!IsPaintable(bitmap) || !IsPaintable(picture)) return;
  if (mask.MaskType == 0) {
    PutKeyed(bitmap, const_cast<TBitmap*>(picture), x, kKeyColor, r, y);
    return;
  }
  try {
    const int maskRows = mask.R.Height() / 2;
    const platform::DIBitmap& s = picture->DIB();
    platform::DIBitmap& d = bitmap->DIB();
    const int sx = std::max(r.Left, 0);
    const int sy = std::max(r.Top, 0);
    const int columns = std::min({r.Right + 1 - sx, s.Width() - sx, d.Width() - x});
    const int rows = std::min({r.Bottom + 1 - sy, s.Height() - sy - maskRows, d.Height() - y});
    const TsBGR key = ColorToBGR(kKeyColor);
    const int raise = mode == 1 ? 0 : 100;
    for (int i = 0; i < rows; ++i) {
      if (y + i < 0) continue;
      const uint8_t* sp = s.ScanLine(sy + i) + 3 * sx;
      const uint8_t* mp = s.ScanLine(sy + i + maskRows) + 3 * sx;
      uint8_t* dp = d.ScanLine(y + i);
      for (int j = 0; j < columns; ++j, sp += 3, mp += 3) {
        if (x + j < 0 || PixelIs(sp, key)) continue;
        uint8_t* p = dp + 3 * (x + j);
        for (int c = 0; c < 3; ++c) p[c] = MaskMix(p[c], sp[c], std::min(mp[c] + raise, 255));
      }
    }
  } catch (const std::exception&) {
  }
}

void DrawStateImage(TBitmap* bitmap, platform::TPoint p, TsLook look, const TsMaskData& mask,
                    int mode) {
  const int count = std::max<int>(mask.ImageCount, 1);
  const int w = mask.R.Width() / count;
  const int h = mask.R.Height() / (std::clamp<int>(mask.MaskType, 0, 1) + 1);
  int sx = std::clamp<int>(look, 0, count - 1) * w;
  int sy = 0;
  int width = w;
  int height = h;
  if (p.X < 0) {
    sx -= p.X;
    width += p.X;
    p.X = 0;
  }
  if (p.Y < 0) {
    sy -= p.Y;
    height += p.Y;
    p.Y = 0;
  }
  if (width <= 0 || height <= 0) return;
  const TRect source{mask.R.Left + sx, mask.R.Top + sy, mask.R.Left + sx + width - 1,
                     mask.R.Top + sy + height - 1};
  if (mask.Bmp) {
    PutMaskedImage(bitmap, p.X, p.Y, source, mask.Bmp.get(), mask, mode);
    return;
  }
  if (!mask.Tables || mask.ImageCount == 0) return;
  TBitmap* picture = MaskSource(mask);
  if (!picture) return;
  if (mask.MaskType != 0) {
    PutMaskedImage(bitmap, p.X, p.Y, source, picture, mask, mode);
  } else if (mode == 1) {
    PutKeyed(bitmap, picture, p.X, kKeyColor, source, p.Y);
  } else {
    BlendOver(bitmap, p.X, p.Y, kKeyColor, 0.5, source, picture);
  }
}

}  // namespace skin
