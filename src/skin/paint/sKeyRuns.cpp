#include "skin/paint/sKeyRuns.h"

#include <algorithm>

#include "skin/paint/sMaskGeometry.h"

namespace skin {

namespace {

// The key-coloured runs of columns [from, to) of one picture row, as rectangles on row y moved
// right by shift (columns counted from the state image's left edge).
void RowRuns(std::vector<TRect>& runs, const uint8_t* row, int sx, int from, int to, int y,
             int shift) {
  const TsBGR key = ColorToBGR(kKeyColor);
  int start = -1;
  for (int j = from; j < to; ++j) {
    const bool isKey = PixelIs(row + 3 * (sx + j), key);
    if (isKey && start < 0) start = j;
    if (!isKey && start >= 0) {
      runs.push_back({start + shift, y, j + shift, y + 1});
      start = -1;
    }
  }
  if (start >= 0) runs.push_back({start + shift, y, to + shift, y + 1});
}

}  // namespace

void CollectKeyRuns(std::vector<TRect>& runs, int targetWidth, const TsMaskData& mask, bool bottom,
                    int rowOffset) {
  const framework::TBitmap* picture = MaskSource(mask);
  if (!picture) return;
  try {
    const platform::DIBitmap& s = picture->DIB();
    const int count = std::max<int>(mask.ImageCount, 1);
    const int w = mask.R.Width() / count;
    const int h = mask.R.Height() / (std::clamp<int>(mask.MaskType, 0, 1) + 1);
    const int rows = bottom ? mask.WB : mask.WT;
    const int first = bottom ? mask.R.Top + h - mask.WB : mask.R.Top;
    if (rows <= 0 || first < 0 || first + rows > s.Height()) return;
    const int sx = mask.R.Left;
    const int wl = std::clamp<int>(mask.WL, 0, w);
    const int wr = std::clamp<int>(mask.WR, 0, w);
    if (sx < 0 || sx + w > s.Width()) return;
    // The left corner's runs of every row first, then the right corner's.
    for (int n = 0; n < rows; ++n)
      RowRuns(runs, s.ScanLine(first + n), sx, 0, wl, rowOffset + n, 0);
    for (int n = 0; n < rows; ++n)
      RowRuns(runs, s.ScanLine(first + n), sx, w - wr, w, rowOffset + n, targetWidth - w);
  } catch (const std::exception&) {
  }
}

}  // namespace skin
