#include "platform/drawing/TransparentBlt.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform {

namespace {

bool Drawable(const DIBitmap* bitmap) {
  return bitmap && !bitmap->Empty() &&
         (bitmap->BitsPerPixel() == 24 || bitmap->BitsPerPixel() == 32);
}

struct Shift {
  int64_t x;
  int64_t y;
};

// Logical coordinates plus this are surface coordinates, in 64 bits so that nothing wraps.
Shift SurfaceShift(const DeviceContext& dc) {
  const DeviceContext::State& s = dc.Current();
  return {int64_t{s.viewportOrg.X} - s.windowOrg.X + dc.Origin().X,
          int64_t{s.viewportOrg.Y} - s.windowOrg.Y + dc.Origin().Y};
}

// Where a scaled copy goes and where it comes from, in surface coordinates.
struct ScaledCopy {
  int64_t dstLeft, dstTop, dstWidth, dstHeight;
  int64_t srcLeft, srcTop, srcWidth, srcHeight;
};

// Copies the scaled source into the destination's clip; keep(sourcePixel, x, y) decides, for a
// source pixel at (x, y) of the source bitmap, whether it is copied.
template <typename Keep>
void CopyScaled(DeviceContext& dc, const DIBitmap& source, const ScaledCopy& c, Keep keep) {
  DIBitmap& target = *dc.Surface();
  const int64_t left = std::max<int64_t>(c.dstLeft, 0);
  const int64_t top = std::max<int64_t>(c.dstTop, 0);
  const int64_t right = std::min<int64_t>(c.dstLeft + c.dstWidth, target.Width());
  const int64_t bottom = std::min<int64_t>(c.dstTop + c.dstHeight, target.Height());
  if (left >= right || top >= bottom) return;

  // The source column of every destination column in reach, -1 where it lies outside the source.
  std::vector<int> columns(static_cast<size_t>(right - left));
  for (int64_t x = left; x < right; ++x) {
    const int64_t i = x - c.dstLeft;
    const int64_t sx = c.srcLeft + (2 * i + 1) * c.srcWidth / (2 * c.dstWidth);
    columns[static_cast<size_t>(x - left)] =
        sx >= 0 && sx < source.Width() ? static_cast<int>(sx) : -1;
  }
  const int dstBpp = target.BitsPerPixel() / 8;
  const int srcBpp = source.BitsPerPixel() / 8;
  for (const TRect& clip : dc.EffectiveClip().Rects()) {
    const int x0 = static_cast<int>(std::max<int64_t>(clip.Left, left));
    const int x1 = static_cast<int>(std::min<int64_t>(clip.Right, right));
    const int y0 = static_cast<int>(std::max<int64_t>(clip.Top, top));
    const int y1 = static_cast<int>(std::min<int64_t>(clip.Bottom, bottom));
    if (x0 >= x1 || y0 >= y1) continue;
    for (int y = y0; y < y1; ++y) {
      const int64_t i = y - c.dstTop;
      const int64_t sy = c.srcTop + (2 * i + 1) * c.srcHeight / (2 * c.dstHeight);
      if (sy < 0 || sy >= source.Height()) continue;
      const int srcY = static_cast<int>(sy);
      const uint8_t* in = source.ScanLine(srcY);
      uint8_t* out = target.ScanLine(y) + static_cast<ptrdiff_t>(x0) * dstBpp;
      const int* column = columns.data() + (x0 - left);
      for (int x = x0; x < x1; ++x, out += dstBpp, ++column) {
        if (*column < 0) continue;
        const uint8_t* p = in + static_cast<ptrdiff_t>(*column) * srcBpp;
        if (!keep(p, *column, srcY)) continue;
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        if (dstBpp == 4) out[3] = srcBpp == 4 ? p[3] : 0;
      }
    }
  }
}

}  // namespace

bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                    int srcWidth, int srcHeight, TColor transparent) {
  if (!dst || !src || !Drawable(dst->Surface()) || !Drawable(src->Surface())) return false;
  if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return false;
  const Shift d = SurfaceShift(*dst);
  const Shift s = SurfaceShift(*src);
  const ScaledCopy copy{x + d.x,    y + d.y,    width,    height,
                        srcX + s.x, srcY + s.y, srcWidth, srcHeight};
  const TColor key = ColorToRGB(transparent);
  const uint8_t kb = GetBValue(key), kg = GetGValue(key), kr = GetRValue(key);
  // A copy within one bitmap reads the source as it was before the call.
  if (dst->Surface() == src->Surface()) {
    const DIBitmap before = *src->Surface();
    CopyScaled(*dst, before, copy,
               [&](const uint8_t* p, int, int) { return p[0] != kb || p[1] != kg || p[2] != kr; });
    return true;
  }
  CopyScaled(*dst, *src->Surface(), copy,
             [&](const uint8_t* p, int, int) { return p[0] != kb || p[1] != kg || p[2] != kr; });
  return true;
}

bool DrawIconEx(HDC dst, int x, int y, const DIBitmap& image, const DIBitmap* mask, int width,
                int height) {
  if (!dst || !Drawable(dst->Surface()) || !Drawable(&image)) return false;
  if (width <= 0 || height <= 0) return false;
  if (mask && (mask->Width() != image.Width() || mask->Height() != image.Height())) return false;
  const Shift d = SurfaceShift(*dst);
  const ScaledCopy copy{x + d.x, y + d.y, width, height, 0, 0, image.Width(), image.Height()};
  // Drawing an image into itself reads it as it was before the call.
  const DIBitmap before = &image == dst->Surface() ? image : DIBitmap();
  const DIBitmap& source = &image == dst->Surface() ? before : image;
  if (!mask) {
    CopyScaled(*dst, source, copy, [](const uint8_t*, int, int) { return true; });
    return true;
  }
  // Masks of any depth are looked at as colours: indexed ones through their palette.
  const DIBitmap converted = mask->BitsPerPixel() < 24 ? mask->ConvertedTo(24) : DIBitmap();
  const DIBitmap& colors = mask->BitsPerPixel() < 24 ? converted : *mask;
  const int maskBpp = colors.BitsPerPixel() / 8;
  CopyScaled(*dst, source, copy, [&](const uint8_t*, int sx, int sy) {
    const uint8_t* m = colors.ScanLine(sy) + static_cast<ptrdiff_t>(sx) * maskBpp;
    return (m[0] | m[1] | m[2]) == 0;
  });
  return true;
}

}  // namespace platform
