#include "platform/drawing/Enlarge.h"

#include <cstring>
#include <string>

#include "platform/Exception.h"

namespace platform {

namespace {

// One row: each pixel of Bytes bytes written factor times side by side.
template <size_t Bytes>
void RepeatPixels(const uint8_t* from, int width, int factor, uint8_t* to) {
  for (int x = 0; x < width; ++x, from += Bytes) {
    uint8_t pixel[Bytes];
    std::memcpy(pixel, from, Bytes);
    for (int k = 0; k < factor; ++k, to += Bytes) std::memcpy(to, pixel, Bytes);
  }
}

}  // namespace

DIBitmap Enlarged(const DIBitmap& source, int factor) {
  if (factor < 2 || source.Empty()) return source;
  if (source.BitsPerPixel() < 8) return Enlarged(source.ConvertedTo(24), factor);
  const long long width = static_cast<long long>(source.Width()) * factor;
  const long long height = static_cast<long long>(source.Height()) * factor;
  if (width > DIBitmap::kMaxDimension || height > DIBitmap::kMaxDimension)
    throw EOutOfResources("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
  DIBitmap result(static_cast<int>(width), static_cast<int>(height), source.BitsPerPixel(),
                  source.Order());
  if (!source.Palette().empty()) result.SetPalette(source.Palette());
  const size_t pixelBytes = static_cast<size_t>(source.BitsPerPixel() / 8);
  const size_t rowBytes = pixelBytes * static_cast<size_t>(width);
  for (int y = 0; y < source.Height(); ++y) {
    uint8_t* first = result.ScanLine(y * factor);
    switch (pixelBytes) {
      case 3: RepeatPixels<3>(source.ScanLine(y), source.Width(), factor, first); break;
      case 4: RepeatPixels<4>(source.ScanLine(y), source.Width(), factor, first); break;
      default: RepeatPixels<1>(source.ScanLine(y), source.Width(), factor, first); break;
    }
    // The other rows of the block are copies of the first.
    for (int k = 1; k < factor; ++k) std::memcpy(result.ScanLine(y * factor + k), first, rowBytes);
  }
  return result;
}

}  // namespace platform
