#include "platform/drawing/Enlarge.h"

#include <cstring>
#include <string>

#include "platform/Exception.h"

namespace platform {

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
    const uint8_t* from = source.ScanLine(y);
    uint8_t* first = result.ScanLine(y * factor);
    uint8_t* to = first;
    for (int x = 0; x < source.Width(); ++x, from += pixelBytes) {
      for (int k = 0; k < factor; ++k, to += pixelBytes) std::memcpy(to, from, pixelBytes);
    }
    for (int k = 1; k < factor; ++k) std::memcpy(result.ScanLine(y * factor + k), first, rowBytes);
  }
  return result;
}

}  // namespace platform
