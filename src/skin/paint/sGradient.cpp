#include "skin/paint/sGradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/GradientFill.h"

namespace skin {

using framework::TBitmap;

namespace {

// The colour of one segment as it runs from its first to its last row or column: three
// single-precision accumulators that start at the start colour and grow by double-precision
// steps, so that the last step lands on the end colour up to rounding.
class ColorRun {
 public:
  ColorRun(const TsGradSegment& segment, int length) {
    const TsBGR from = ColorToBGR(segment.StartColor);
    const TsBGR to = ColorToBGR(segment.EndColor);
    acc_[0] = from.B;
    acc_[1] = from.G;
    acc_[2] = from.R;
    step_[0] = (to.B - from.B) / static_cast<double>(length);
    step_[1] = (to.G - from.G) / static_cast<double>(length);
    step_[2] = (to.R - from.R) / static_cast<double>(length);
  }
  TsBGR Current() const {
    return {ClipToByte(static_cast<int>(std::nearbyint(acc_[0]))),
            ClipToByte(static_cast<int>(std::nearbyint(acc_[1]))),
            ClipToByte(static_cast<int>(std::nearbyint(acc_[2])))};
  }
  void Advance() {
    for (int c = 0; c < 3; ++c) acc_[c] = static_cast<float>(acc_[c] + step_[c]);
  }

 private:
  float acc_[3];
  double step_[3];
};

void FillRow(uint8_t* row, int from, int to, TsBGR c) {
  for (uint8_t* p = row + 3 * from; p < row + 3 * to; p += 3) {
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
  }
}

void DrawVertical(platform::DIBitmap& dib, const TRect& r, const TsGradArray& segments,
                  int offset) {
  const int64_t height = r.Bottom - r.Top;
  const int last = std::min(r.Bottom, dib.Height()) - 1;
  const int right = std::min(r.Right, dib.Width());
  int64_t position = static_cast<int64_t>(r.Top) + offset;
  for (size_t k = 0; k < segments.size(); ++k) {
    const int64_t start = position;
    int64_t end = start + segments[k].Share * (offset + height) / 100;
    end = k + 1 == segments.size() ? last : std::min<int64_t>(end, last);
    if (end - start > 0) {
      ColorRun run(segments[k], static_cast<int>(end - start));
      for (int64_t y = start; y <= end; ++y, run.Advance()) {
        if (y >= 0 && y < dib.Height())
          FillRow(dib.ScanLine(static_cast<int>(y)), r.Left, right, run.Current());
      }
    }
    position = end;
  }
}

void DrawHorizontal(platform::DIBitmap& dib, const TRect& r, const TsGradArray& segments) {
  const double width = r.Right - r.Left;
  const int lastCol = std::min(r.Right, dib.Width()) - 1;
  // Every row comes out alike: the colours are worked out once and the row is copied.
  std::vector<uint8_t> row(static_cast<size_t>(dib.Width()) * 3);
  std::memcpy(row.data(), dib.ScanLine(r.Top), row.size());
  int x = r.Left;
  bool painted = false;
  for (size_t k = 0; k < segments.size(); ++k) {
    const int start = x;
    x = start + static_cast<int>(std::nearbyint(segments[k].Share * (width / 100)));
    x = k + 1 == segments.size() ? lastCol : std::min(x, lastCol);
    if (x - start > 0) {
      ColorRun run(segments[k], x - start);
      for (int col = start; col <= x; ++col, run.Advance())
        FillRow(row.data(), col, col + 1, run.Current());
      painted = true;
    }
  }
  // A rectangle one column wide gives every segment an extent of 0: nothing is painted, and the
  // rows below keep their own pixels. Otherwise the segments cover every column of the row.
  if (!painted) return;
  const size_t first = static_cast<size_t>(r.Left) * 3;
  const size_t count = static_cast<size_t>(lastCol + 1 - r.Left) * 3;
  for (int y = r.Top; y < r.Bottom; ++y)
    std::memcpy(dib.ScanLine(y) + first, row.data() + first, count);
}

void DrawFourCorner(platform::DIBitmap& dib, const TRect& r, const TsGradArray& segments) {
  const int w = r.Right - r.Left;
  const int h = r.Bottom - r.Top;
  const platform::TPoint places[5] = {{r.Left, r.Top},
                                      {r.Left + w / 2, r.Top + h / 2},
                                      {r.Right, r.Top},
                                      {r.Right, r.Bottom},
                                      {r.Left, r.Bottom}};
  platform::TriVertex vertices[5];
  TColor color = segments[0].StartColor;
  for (size_t i = 0; i < 5; ++i) {
    // Missing segments repeat the colour of the vertex before.
    if (i < segments.size()) color = segments[i].StartColor;
    vertices[i].x = places[i].X;
    vertices[i].y = places[i].Y;
    vertices[i].Red = static_cast<uint16_t>(platform::GetRValue(color) << 8);
    vertices[i].Green = static_cast<uint16_t>(platform::GetGValue(color) << 8);
    vertices[i].Blue = static_cast<uint16_t>(platform::GetBValue(color) << 8);
    vertices[i].Alpha = 0;
  }
  const platform::GradientTriangle triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  platform::DeviceContext dc(&dib);
  platform::GradientFill(&dc, vertices, 5, triangles, 4, platform::GRADIENT_FILL_TRIANGLE);
}

}  // namespace

void DrawGradient(TBitmap* bitmap, TRect r, const TsGradArray& segments, int offset) {
  if (!IsPaintable(bitmap)) return;
  platform::DIBitmap& dib = bitmap->DIB();
  r.Right = std::min(r.Right, dib.Width());
  r.Bottom = std::min(r.Bottom, dib.Height());
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  if (segments.empty() || r.IsEmpty()) return;
  switch (segments[0].Kind) {
    case 0: DrawVertical(dib, r, segments, offset); break;
    case 1: DrawHorizontal(dib, r, segments); break;
    case 2: DrawFourCorner(dib, r, segments); break;
    default: break;
  }
}

}  // namespace skin
