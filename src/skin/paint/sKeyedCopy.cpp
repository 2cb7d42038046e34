#include "skin/paint/sKeyedCopy.h"

#include <algorithm>
#include <cstring>

namespace skin {

using framework::TBitmap;

namespace {

TRect ClippedToSource(TRect r, const platform::DIBitmap& s) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, s.Width() - 1);
  r.Bottom = std::min(r.Bottom, s.Height() - 1);
  return r;
}

}  // namespace

void PutKeyed(TBitmap* destination, TBitmap* source, int x, TColor key, TRect r, int y) {
  PutKeyedOrParent(destination, source, x, false, TCacheInfo{}, key, r, y);
}

void PutKeyedWhole(TBitmap* destination, TBitmap* source, int x, TColor key, int y) {
  if (!IsPaintable(source)) return;
  PutKeyed(destination, source, x, key, {0, 0, source->Width() - 1, source->Height() - 1}, y);
}

void PutKeyedOrParent(TBitmap* destination, TBitmap* source, int x, bool useParent,
                      const TCacheInfo& info, TColor key, TRect r, int y) {
  if (!IsPaintable(destination) || !IsPaintable(source)) return;
  try {
    const platform::DIBitmap& s = source->DIB();
    platform::DIBitmap& d = destination->DIB();
    r = ClippedToSource(r, s);
    TacFast24* parent = nullptr;
    if (useParent && info.Ready && info.Bitmap && Fast24().Attach(info.Bitmap)) parent = &Fast24();
    const TsBGR k = ColorToBGR(key);
    for (int i = 0; i <= r.Bottom - r.Top; ++i) {
      const int row = y + i;
      if (row < 0 || row >= d.Height()) continue;
      const uint8_t* sp = s.ScanLine(r.Top + i) + 3 * r.Left;
      uint8_t* dp = d.ScanLine(row);
      const int parentRow = info.Y + row;
      for (int j = 0; j <= r.Right - r.Left; ++j, sp += 3) {
        const int col = x + j;
        if (col < 0 || col >= d.Width()) continue;
        if (!PixelIs(sp, k)) {
          std::memcpy(dp + 3 * col, sp, 3);
          continue;
        }
        if (parent && CopyParentPixel(*parent, info.X + col, parentRow, dp + 3 * col) ==
                          TsParentPixel::EndOfRow)
          break;
      }
    }
  } catch (const std::exception&) {
  }
}

}  // namespace skin
