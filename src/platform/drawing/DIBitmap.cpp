#include "platform/drawing/DIBitmap.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "platform/Exception.h"

namespace platform {

namespace {

bool IsIndexed(int bitsPerPixel) {
  return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8;
}
bool IsDirect(int bitsPerPixel) { return bitsPerPixel == 24 || bitsPerPixel == 32; }

}  // namespace

size_t DIBitmap::BytesPerRowFor(int width, int bitsPerPixel) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
}

DIBitmap::DIBitmap(int width, int height, int bitsPerPixel, RowOrder order) {
  Allocate(width, height, bitsPerPixel, order);
}

DIBitmap::DIBitmap(const DIBitmap& other)
    : width_(other.width_),
      height_(other.height_),
      bitsPerPixel_(other.bitsPerPixel_),
      order_(other.order_),
      bytesPerRow_(other.bytesPerRow_),
      pixels_(other.pixels_),
      palette_(other.palette_) {
  BindRows();
}

DIBitmap::DIBitmap(DIBitmap&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      bitsPerPixel_(other.bitsPerPixel_),
      order_(other.order_),
      bytesPerRow_(other.bytesPerRow_),
      pixels_(std::move(other.pixels_)),
      palette_(std::move(other.palette_)) {
  BindRows();
  other.width_ = other.height_ = 0;
  other.bytesPerRow_ = 0;
  other.pixels_.clear();
  other.BindRows();
}

DIBitmap& DIBitmap::operator=(const DIBitmap& other) {
  if (this != &other) {
    DIBitmap copy(other);
    *this = std::move(copy);
  }
  return *this;
}

DIBitmap& DIBitmap::operator=(DIBitmap&& other) noexcept {
  if (this != &other) {
    width_ = other.width_;
    height_ = other.height_;
    bitsPerPixel_ = other.bitsPerPixel_;
    order_ = other.order_;
    bytesPerRow_ = other.bytesPerRow_;
    pixels_ = std::move(other.pixels_);
    palette_ = std::move(other.palette_);
    BindRows();
    other.width_ = other.height_ = 0;
    other.bytesPerRow_ = 0;
    other.pixels_.clear();
    other.BindRows();
  }
  return *this;
}

void DIBitmap::Allocate(int width, int height, int bitsPerPixel, RowOrder order) {
  if (!IsIndexed(bitsPerPixel) && !IsDirect(bitsPerPixel))
    throw EInvalidGraphic("Bitmap format is not supported");
  if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
  if (width > kMaxDimension || height > kMaxDimension)
    throw EOutOfResources("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
  const size_t rowBytes = BytesPerRowFor(width, bitsPerPixel);
  const size_t total = rowBytes * static_cast<size_t>(height);
  if (total > kMaxBytes)
    throw EOutOfResources("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
  std::vector<uint8_t> pixels(total, 0);
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  order_ = order;
  bytesPerRow_ = rowBytes;
  pixels_ = std::move(pixels);
  if (!IsIndexed(bitsPerPixel)) palette_.clear();
  BindRows();
}

void DIBitmap::BindRows() {
  if (pixels_.empty()) {
    rowZero_ = nullptr;
    stride_ = 0;
    return;
  }
  const auto row = static_cast<ptrdiff_t>(bytesPerRow_);
  if (order_ == RowOrder::TopDown) {
    rowZero_ = pixels_.data();
    stride_ = row;
  } else {
    rowZero_ = pixels_.data() + (static_cast<ptrdiff_t>(height_) - 1) * row;
    stride_ = -row;
  }
}

void DIBitmap::SetPalette(std::vector<RGBQuad> palette) {
  const size_t limit = IsIndexed(bitsPerPixel_) ? (size_t{1} << bitsPerPixel_) : 0;
  if (palette.size() > limit) palette.resize(limit);
  palette_ = std::move(palette);
}

void DIBitmap::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  DIBitmap resized(width, height, bitsPerPixel_, order_);
  resized.palette_ = palette_;
  const int rows = std::min(height, height_);
  // Only the bits of kept pixels are copied: row padding may hold anything (decoders copy whole
  // stored rows), and when the bitmap widens it would otherwise turn into visible pixels.
  const size_t keptBits =
      static_cast<size_t>(std::min(width, width_)) * static_cast<size_t>(bitsPerPixel_);
  const size_t whole = keptBits / 8;
  const unsigned tail = static_cast<unsigned>(keptBits % 8);  // leading bits of the next byte
  const auto tailMask = static_cast<uint8_t>(0xFF00u >> tail);
  for (int y = 0; y < rows; ++y) {
    uint8_t* out = resized.ScanLine(y);
    const uint8_t* in = ScanLine(y);
    std::memcpy(out, in, whole);
    if (tail) out[whole] = static_cast<uint8_t>(in[whole] & tailMask);
  }
  *this = std::move(resized);
}

uint8_t DIBitmap::PixelIndex(int x, int y) const {
  const uint8_t* row = ScanLine(y);
  switch (bitsPerPixel_) {
    case 8: return row[x];
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
  }
}

void DIBitmap::SetPixelIndex(int x, int y, uint8_t index) {
  uint8_t* row = ScanLine(y);
  switch (bitsPerPixel_) {
    case 8: row[x] = index; break;
    case 4: {
      uint8_t& b = row[x >> 1];
      b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (index & 0x0F))
                  : static_cast<uint8_t>((b & 0x0F) | ((index & 0x0F) << 4));
      break;
    }
    case 1: {
      uint8_t& b = row[x >> 3];
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
      b = (index & 1) ? static_cast<uint8_t>(b | bit) : static_cast<uint8_t>(b & ~bit);
      break;
    }
    default: break;
  }
}

TColor DIBitmap::Pixel(int x, int y) const {
  if (IsIndexed(bitsPerPixel_)) {
    const uint8_t index = PixelIndex(x, y);
    if (index >= palette_.size()) return clBlack;
    const RGBQuad& q = palette_[index];
    return RGB(q.Red, q.Green, q.Blue);
  }
  const uint8_t* p = ScanLine(y) + static_cast<size_t>(x) * (bitsPerPixel_ / 8);
  return RGB(p[2], p[1], p[0]);
}

void DIBitmap::SetPixel(int x, int y, TColor color) {
  if (!IsDirect(bitsPerPixel_)) return;
  uint8_t* p = ScanLine(y) + static_cast<size_t>(x) * (bitsPerPixel_ / 8);
  p[0] = GetBValue(color);
  p[1] = GetGValue(color);
  p[2] = GetRValue(color);
}

DIBitmap DIBitmap::ConvertedTo(int bitsPerPixel) const {
  if (!IsDirect(bitsPerPixel)) throw EInvalidGraphic("Bitmap format is not supported");
  if (bitsPerPixel == bitsPerPixel_) return *this;
  DIBitmap result(width_, height_, bitsPerPixel, order_);
  const int outStep = bitsPerPixel / 8;
  if (IsIndexed(bitsPerPixel_)) {
    // Resolve the palette once, so the loop is a table look-up per pixel.
    RGBQuad table[256] = {};
    for (size_t i = 0; i < palette_.size() && i < 256; ++i) table[i] = palette_[i];
    for (int y = 0; y < height_; ++y) {
      uint8_t* out = result.ScanLine(y);
      const uint8_t* in = ScanLine(y);
      for (int x = 0; x < width_; ++x, out += outStep) {
        // Skin pictures are mostly 8-bit: their index is the byte itself.
        const RGBQuad& q = table[bitsPerPixel_ == 8 ? in[x] : PixelIndex(x, y)];
        out[0] = q.Blue;
        out[1] = q.Green;
        out[2] = q.Red;
      }
    }
    return result;
  }
  const int inStep = bitsPerPixel_ / 8;
  for (int y = 0; y < height_; ++y) {
    const uint8_t* in = ScanLine(y);
    uint8_t* out = result.ScanLine(y);
    for (int x = 0; x < width_; ++x, in += inStep, out += outStep) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
  return result;
}

bool operator==(const DIBitmap& a, const DIBitmap& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_ || a.bitsPerPixel_ != b.bitsPerPixel_)
    return false;
  for (int y = 0; y < a.height_; ++y)
    for (int x = 0; x < a.width_; ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

}  // namespace platform
