#include "skin/paint/sBlending.h"

#include <algorithm>
#include <cmath>

namespace skin {

using framework::TBitmap;

namespace {

// Rounds to the nearest integer, ties to even (the default rounding mode).
inline int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

void DesaturateWhere(TBitmap* bitmap, bool keepKey, TsBGR key) {
  if (!IsPaintable(bitmap)) return;
  platform::DIBitmap& dib = bitmap->DIB();
  for (int y = 0; y < dib.Height(); ++y) {
    uint8_t* p = dib.ScanLine(y);
    for (int x = 0; x < dib.Width(); ++x, p += 3) {
      if (keepKey && PixelIs(p, key)) continue;
      const auto v = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = v;
    }
  }
}

}  // namespace

void FillSolid(platform::HDC dc, const TRect& rect, TColor color) {
  if (!dc) return;
  platform::SavedDC saved(dc);
  platform::FillRect(dc, rect, platform::CreateSolidBrush(platform::ColorToRGB(color)));
}

void TintRect(TBitmap* bitmap, TRect rect, int percent, TColor color) {
  if (!IsPaintable(bitmap)) return;
  platform::DIBitmap& dib = bitmap->DIB();
  rect.Left = std::max(rect.Left, 0);
  rect.Top = std::max(rect.Top, 0);
  rect.Right = std::min(rect.Right, dib.Width() - 1);
  rect.Bottom = std::min(rect.Bottom, dib.Height() - 1);
  const TsBGR c = ColorToBGR(platform::ColorToRGB(color));
  const double f = percent / 100.0;
  const double g = 1.0 - f;
  for (int y = rect.Top; y <= rect.Bottom; ++y) {
    uint8_t* p = dib.ScanLine(y) + 3 * rect.Left;
    for (int x = rect.Left; x <= rect.Right; ++x, p += 3) {
      p[0] = ClipToByte(RoundEven(f * p[0] + g * c.B));
      p[1] = ClipToByte(RoundEven(f * p[1] + g * c.G));
      p[2] = ClipToByte(RoundEven(f * p[2] + g * c.R));
    }
  }
}

void MixBitmap(TBitmap* destination, TBitmap* source, int weight, platform::TPoint point, TRect r) {
  if (!destination || !source) return;
  int x = point.X;
  int y = point.Y;
  if (x < 0) {
    r.Left -= x;
    x = 0;
  }
  if (y < 0) {
    r.Top -= y;
    y = 0;
  }
  if (r.Left < 0) {
    x += r.Left;
    r.Left = 0;
  }
  if (r.Top < 0) {
    y += r.Top;
    r.Top = 0;
  }
  r.Right = std::min(r.Right, source->Width());
  r.Bottom = std::min(r.Bottom, source->Height());
  if (x + r.Width() > destination->Width()) r.Right = destination->Width() + r.Left - x;
  if (y + r.Height() > destination->Height()) r.Bottom = destination->Height() + r.Top - y;
  try {
    TacFastSum24& sum = FastSum24();
    if (!sum.Attach(source, destination)) return;
    sum.Weight = static_cast<uint8_t>(weight & 0xFF);
    sum.DstX1 = x;
    sum.DstY1 = y;
    sum.DstX2 = x + r.Width();
    sum.DstY2 = y + r.Height();
    sum.SrcX1 = r.Left;
    sum.SrcY1 = r.Top;
    sum.SrcX2 = sum.SrcX1 + r.Width();
    sum.SrcY2 = sum.SrcY1 + r.Height();
    sum.Mix();
  } catch (const std::exception&) {
    // A mix that cannot run leaves the destination as far as it got.
  }
}

void MixBitmapWhole(TBitmap* destination, TBitmap* source, uint8_t weight) {
  if (!destination || !source || destination->Width() != source->Width() ||
      destination->Height() != source->Height())
    return;
  try {
    TacFastSum24& sum = FastSum24();
    if (!sum.Attach(source, destination)) return;
    sum.Weight = weight;
    sum.DstX1 = sum.SrcX1 = 0;
    sum.DstY1 = sum.SrcY1 = 0;
    sum.DstX2 = sum.SrcX2 = destination->Width();
    sum.DstY2 = sum.SrcY2 = destination->Height();
    sum.Mix();
  } catch (const std::exception&) {
  }
}

void MixTowardColor(TBitmap* destination, TBitmap* weights, TColor color) {
  if (!IsPaintable(destination) || !IsPaintable(weights) ||
      destination->Width() != weights->Width() || destination->Height() != weights->Height())
    return;
  const TsBGR c = ColorToBGR(platform::ColorToRGB(color));
  const int k[3] = {c.B, c.G, c.R};
  platform::DIBitmap& d = destination->DIB();
  const platform::DIBitmap& m = weights->DIB();
  for (int y = 0; y < d.Height(); ++y) {
    uint8_t* p = d.ScanLine(y);
    const uint8_t* q = m.ScanLine(y);
    for (int b = 0; b < d.Width() * 3; ++b)
      p[b] = ClipToByte((k[b % 3] * 256 + q[b] * (p[b] - k[b % 3])) >> 8);
  }
}

void BlendOver(TBitmap* destination, int x, int y, TColor key, double t, TRect r, TBitmap* source) {
  if (!IsPaintable(destination) || !IsPaintable(source)) return;
  try {
    int dx = 0;
    int dy = 0;
    if (r.Top < 0) {
      dy = r.Top;
      r.Top = 0;
    }
    if (r.Left < 0) {
      dx = r.Left;
      r.Left = 0;
    }
    const platform::DIBitmap& s = source->DIB();
    platform::DIBitmap& d = destination->DIB();
    r.Bottom = std::min(r.Bottom, s.Height() - 1);
    r.Right = std::min(r.Right, s.Width() - 1);
    // A key with a high byte of $FF is a system colour or "no key": no pixel matches it.
    const bool keyed = (static_cast<uint32_t>(key) >> 24) != 0xFF;
    const TsBGR k = ColorToBGR(key);
    for (int i = 0; i <= r.Bottom - r.Top; ++i) {
      const int row = y + i - dy;
      if (row >= d.Height()) break;
      if (row < 0) continue;
      const uint8_t* sp = s.ScanLine(r.Top + i);
      uint8_t* dp = d.ScanLine(row);
      for (int j = 0; j <= r.Right - r.Left; ++j) {
        const int col = x + j - dx;
        if (col >= d.Width()) break;
        const int sc = r.Left + j;
        if (col < 0 || sc >= s.Width()) continue;
        const uint8_t* sv = sp + 3 * sc;
        if (keyed && PixelIs(sv, k)) continue;
        uint8_t* dv = dp + 3 * col;
        for (int c = 0; c < 3; ++c) dv[c] = ClipToByte(RoundEven(sv[c] - t * (sv[c] - dv[c])));
      }
    }
  } catch (const std::exception&) {
  }
}

TColor MixColors(TColor a, TColor b, double x) {
  const auto channel = [x](int ca, int cb) { return ClipToByte(RoundEven(x * (ca - cb) + cb)); };
  const int red = channel(platform::GetRValue(a), platform::GetRValue(b));
  const int green = channel(platform::GetGValue(a), platform::GetGValue(b));
  const int blue = channel(platform::GetBValue(a), platform::GetBValue(b));
  return static_cast<TColor>((static_cast<uint32_t>(a) & 0xFF000000u) |
                             static_cast<uint32_t>(platform::RGB(red, green, blue)));
}

void Desaturate(TBitmap* bitmap) { DesaturateWhere(bitmap, false, {}); }

void DesaturateExceptKey(TBitmap* bitmap, TColor color) {
  DesaturateWhere(bitmap, true, ColorToBGR(color));
}

}  // namespace skin
