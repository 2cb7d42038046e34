#pragma once
// Picture files: BMP read and write, JPEG decode and encode (libjpeg-turbo), PNG write (libpng).
// A picture that cannot be decoded (truncated, corrupt, with sizes that do not match its data,
// absurd dimensions, zero planes, bad offsets) raises EInvalidGraphic; nothing reads outside the
// given bytes and nothing larger than DIBitmap's limits is allocated.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/DIBitmap.h"

namespace platform {

// A BMP file (BITMAPFILEHEADER and a BITMAPINFOHEADER or later header) of 1, 4, 8, 24 or 32 bits,
// uncompressed or RLE4/RLE8, bottom-up or top-down. The bitmap keeps the file's depth, palette and
// row order.
DIBitmap ReadBmp(const uint8_t* data, size_t size);
inline DIBitmap ReadBmp(const std::vector<uint8_t>& bytes) { return ReadBmp(bytes.data(), bytes.size()); }
// A BMP file of an 8-bit (with its palette, written in full as 256 entries so the pixel data
// starts at offset 1078) or 24-bit bitmap, bottom-up.
std::vector<uint8_t> WriteBmp(const DIBitmap& bitmap);

// A baseline or progressive JPEG (greyscale or colour) as a 24-bit bitmap.
DIBitmap DecodeJpeg(const uint8_t* data, size_t size);
inline DIBitmap DecodeJpeg(const std::vector<uint8_t>& bytes) {
  return DecodeJpeg(bytes.data(), bytes.size());
}
// A baseline JFIF JPEG of a 24- or 32-bit bitmap; quality 1 to 100.
std::vector<uint8_t> EncodeJpeg(const DIBitmap& bitmap, int quality = 90);

// A PNG (8-bit RGB) of a 24- or 32-bit bitmap, and reading one back, for test pictures.
std::vector<uint8_t> EncodePng(const DIBitmap& bitmap);
DIBitmap DecodePng(const uint8_t* data, size_t size);
void WritePngFile(const DIBitmap& bitmap, const std::string& path);
DIBitmap ReadPngFile(const std::string& path);

}  // namespace platform
