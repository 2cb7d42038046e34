#pragma once
// Device-independent bitmaps: the memory every surface of the program is drawn into.
//
// Pixels are stored as Windows stores them: 24 bits per pixel as blue, green, red; 32 bits as blue,
// green, red, x; 1, 4 and 8 bits as palette indices, most significant bits first. Every row is
// padded to a multiple of 4 bytes. Rows are stored bottom-up (the Windows default) or top-down;
// ScanLine(y) always returns row y counted from the top, so the stride between rows, taken as
// ScanLine(1) - ScanLine(0), is negative for bottom-up bitmaps.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/drawing/Colors.h"

namespace platform {

struct RGBQuad {
  uint8_t Blue = 0;
  uint8_t Green = 0;
  uint8_t Red = 0;
  uint8_t Reserved = 0;
  friend bool operator==(const RGBQuad&, const RGBQuad&) = default;
};

enum class RowOrder { BottomUp, TopDown };

class DIBitmap {
 public:
  // The largest width or height accepted, and the largest pixel buffer: anything bigger is refused
  // with EOutOfResources instead of being allocated.
  static constexpr int kMaxDimension = 32767;
  static constexpr size_t kMaxBytes = size_t{256} << 20;

  DIBitmap() = default;
  // A bitmap of the given size and depth (1, 4, 8, 24 or 32), every byte 0.
  DIBitmap(int width, int height, int bitsPerPixel = 24, RowOrder order = RowOrder::BottomUp);
  DIBitmap(const DIBitmap& other);
  DIBitmap(DIBitmap&& other) noexcept;
  DIBitmap& operator=(const DIBitmap& other);
  DIBitmap& operator=(DIBitmap&& other) noexcept;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  RowOrder Order() const { return order_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Bytes in one stored row, padding included.
  size_t BytesPerRow() const { return bytesPerRow_; }
  static size_t BytesPerRowFor(int width, int bitsPerPixel);

  // Row y, counted from the top. No bounds check: callers keep 0 <= y < Height().
  uint8_t* ScanLine(int y) { return rowZero_ + static_cast<ptrdiff_t>(y) * stride_; }
  const uint8_t* ScanLine(int y) const { return rowZero_ + static_cast<ptrdiff_t>(y) * stride_; }
  // ScanLine(1) - ScanLine(0): negative for bottom-up bitmaps.
  ptrdiff_t Stride() const { return stride_; }

  // The stored bytes, first stored row first (the bottom row for bottom-up bitmaps).
  uint8_t* Bits() { return pixels_.data(); }
  const uint8_t* Bits() const { return pixels_.data(); }
  size_t SizeInBytes() const { return pixels_.size(); }

  // Palette of 1, 4 and 8 bit bitmaps (up to 2, 16 or 256 entries).
  const std::vector<RGBQuad>& Palette() const { return palette_; }
  void SetPalette(std::vector<RGBQuad> palette);

  // New size; the pixels that both sizes share keep their place counted from the top left, new
  // pixels are 0.
  void Resize(int width, int height);

  // The same picture in another depth. From 1, 4 and 8 bits, each index is looked up in the
  // palette (an index beyond the palette is black); 24 and 32 bits convert both ways (the fourth
  // byte becomes 0). Converting to 1, 4 or 8 bits is not offered. The row order is kept.
  DIBitmap ConvertedTo(int bitsPerPixel) const;

  // Pixel as a colour $00BBGGRR, and setting one, for any depth; for indexed bitmaps, Pixel looks
  // the index up in the palette and SetPixelIndex writes an index. No bounds check.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);  // 24 and 32 bits only
  uint8_t PixelIndex(int x, int y) const;     // 1, 4 and 8 bits only
  void SetPixelIndex(int x, int y, uint8_t index);

  friend bool operator==(const DIBitmap& a, const DIBitmap& b);

 private:
  void Allocate(int width, int height, int bitsPerPixel, RowOrder order);
  void BindRows();  // rowZero_ and stride_ from the buffer, size and order

  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 24;
  RowOrder order_ = RowOrder::BottomUp;
  size_t bytesPerRow_ = 0;
  ptrdiff_t stride_ = 0;
  uint8_t* rowZero_ = nullptr;
  std::vector<uint8_t> pixels_;
  std::vector<RGBQuad> palette_;
};

}  // namespace platform
