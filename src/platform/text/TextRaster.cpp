#include "platform/text/TextRaster.h"

namespace platform {

namespace {

struct Bgr {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
};

Bgr ToBgr(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
}

// The coverage of the glyph placed at (left, top) blended into the part of the surface that
// area covers; area lies inside both the glyph and the surface.
template <int kBytesPerPixel>
void BlendCoverage(DIBitmap& surface, const Glyph& glyph, int left, int top, const TRect& area,
                   Bgr color) {
  const int width = area.Width();
  for (int y = area.Top; y < area.Bottom; ++y) {
    uint8_t* pixel = surface.ScanLine(y) + static_cast<ptrdiff_t>(area.Left) * kBytesPerPixel;
    const uint8_t* coverage =
        glyph.Coverage.data() + static_cast<size_t>(y - top) * glyph.Width + (area.Left - left);
    for (int i = 0; i < width; ++i, pixel += kBytesPerPixel) {
      const unsigned alpha = coverage[i];
      if (alpha == 0) continue;
      if (alpha == 255) {
        pixel[0] = color.blue;
        pixel[1] = color.green;
        pixel[2] = color.red;
        continue;
      }
      // dst + (color - dst) * alpha / 255, rounded, written without negative terms.
      const unsigned keep = 255 - alpha;
      pixel[0] = static_cast<uint8_t>((pixel[0] * keep + color.blue * alpha + 127) / 255);
      pixel[1] = static_cast<uint8_t>((pixel[1] * keep + color.green * alpha + 127) / 255);
      pixel[2] = static_cast<uint8_t>((pixel[2] * keep + color.red * alpha + 127) / 255);
    }
  }
}

template <int kBytesPerPixel>
void FillArea(DIBitmap& surface, const TRect& area, Bgr color) {
  const int width = area.Width();
  for (int y = area.Top; y < area.Bottom; ++y) {
    uint8_t* pixel = surface.ScanLine(y) + static_cast<ptrdiff_t>(area.Left) * kBytesPerPixel;
    for (int i = 0; i < width; ++i, pixel += kBytesPerPixel) {
      pixel[0] = color.blue;
      pixel[1] = color.green;
      pixel[2] = color.red;
      if constexpr (kBytesPerPixel == 4) pixel[3] = 0;
    }
  }
}

}  // namespace

TextRaster::TextRaster(HDC dc, const TRect* clipRect) {
  if (dc == nullptr || dc->Surface() == nullptr) return;
  surface_ = dc->Surface();
  const int depth = surface_->BitsPerPixel();
  if (depth != 24 && depth != 32) return;
  bytesPerPixel_ = depth / 8;
  offset_ = dc->LogicalToSurface(TPoint{0, 0});
  // The context's clip already lies inside the bitmap; intersecting again costs nothing per pixel
  // and keeps every write inside the bitmap whatever the clip holds.
  const TRect bitmap{0, 0, surface_->Width(), surface_->Height()};
  const TRect limit =
      clipRect != nullptr ? bitmap.Intersected(clipRect->Translated(offset_.X, offset_.Y)) : bitmap;
  if (limit.IsEmpty()) return;
  for (const TRect& rect : dc->EffectiveClip().Rects()) {
    const TRect part = rect.Intersected(limit);
    if (!part.IsEmpty()) clip_.push_back(part);
  }
  active_ = clip_;
}

void TextRaster::Focus(const TRect& bounds) {
  const TRect target = bounds.Translated(offset_.X, offset_.Y);
  active_.clear();
  for (const TRect& rect : clip_) {
    if (rect.Intersects(target)) active_.push_back(rect);
  }
}

TRect TextRaster::Bounds() const {
  TRect bounds;
  for (const TRect& rect : active_) bounds = bounds.IsEmpty() ? rect : bounds.United(rect);
  return bounds.Translated(-offset_.X, -offset_.Y);
}

void TextRaster::DrawGlyph(const Glyph& glyph, int x, int y, TColor color) {
  if (glyph.Width <= 0 || glyph.Height <= 0) return;
  const int left = x + offset_.X + glyph.Left;
  const int top = y + offset_.Y - glyph.Top;
  const TRect ink{left, top, left + glyph.Width, top + glyph.Height};
  const Bgr bgr = ToBgr(color);
  for (const TRect& rect : active_) {
    const TRect area = ink.Intersected(rect);
    if (area.IsEmpty()) continue;
    if (bytesPerPixel_ == 3) {
      BlendCoverage<3>(*surface_, glyph, left, top, area, bgr);
    } else {
      BlendCoverage<4>(*surface_, glyph, left, top, area, bgr);
    }
  }
}

void TextRaster::Fill(const TRect& rect, TColor color) {
  const TRect target = rect.Translated(offset_.X, offset_.Y);
  const Bgr bgr = ToBgr(color);
  for (const TRect& clip : active_) {
    const TRect area = target.Intersected(clip);
    if (area.IsEmpty()) continue;
    if (bytesPerPixel_ == 3) {
      FillArea<3>(*surface_, area, bgr);
    } else {
      FillArea<4>(*surface_, area, bgr);
    }
  }
}

}  // namespace platform
