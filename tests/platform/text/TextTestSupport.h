#pragma once
// Shared by the text tests: plain bitmaps, ink bounds and pixel sums.

#include <cstdint>
#include <string>

#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/Font.h"

namespace platform::texttest {

constexpr TColor kPaper = RGB(0xF4, 0xF0, 0xE0);
constexpr TColor kInk = RGB(0x20, 0x50, 0xA0);

inline DIBitmap Paper(int width, int height, int bitsPerPixel = 24,
                      RowOrder order = RowOrder::BottomUp) {
  DIBitmap bitmap(width, height, bitsPerPixel, order);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, kPaper);
  return bitmap;
}

inline HFONT FontOf(const std::string& face, int height, int weight = FW_NORMAL,
                    bool italic = false, bool underline = false, bool strikeOut = false) {
  LogFont request;
  request.FaceName = face;
  request.Height = height;
  request.Weight = weight;
  request.Italic = italic;
  request.Underline = underline;
  request.StrikeOut = strikeOut;
  return CreateFontIndirect(request);
}

// A context over the bitmap drawing in kInk with a transparent background and the font.
inline void Prepare(DeviceContext& dc, HFONT font) {
  SelectFont(&dc, font);
  SetTextColor(&dc, kInk);
  SetBkMode(&dc, TRANSPARENT);
}

// The smallest rectangle holding every pixel that is not the paper colour; empty when none.
inline TRect InkBounds(const DIBitmap& bitmap, TColor paper = kPaper) {
  TRect bounds;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y) != paper) bounds = bounds.United(TRect{x, y, x + 1, y + 1});
  return bounds;
}

// FNV-1a over every pixel's colour, row by row from the top.
inline uint32_t PixelSum(const DIBitmap& bitmap) {
  uint32_t hash = 2166136261u;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint32_t pixel = static_cast<uint32_t>(bitmap.Pixel(x, y));
      for (int shift = 0; shift < 24; shift += 8)
        hash = (hash ^ ((pixel >> shift) & 0xFF)) * 16777619u;
    }
  return hash;
}

inline int TextWidth(HFONT font, std::string_view text) {
  DIBitmap bitmap(1, 1);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, font);
  TSize size;
  GetTextExtentPoint32(&dc, text, &size);
  return size.cx;
}

}  // namespace platform::texttest
