#pragma once
// Picture files: BMP read and write, JPEG decode and encode (libjpeg-turbo), PNG encode and decode
// (libpng). A picture that cannot be decoded (truncated, corrupt, with sizes that do not match its
// data, absurd dimensions, zero planes, bad offsets) raises EInvalidGraphic, and so does one
// larger than DIBitmap's limits (kMaxDimension on a side, kMaxBytes of pixels): a file claiming
// such a size is refused as a bad picture, not reported as a lack of memory. Nothing reads outside
// the given bytes and nothing larger than DIBitmap's limits is allocated.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/drawing/DIBitmap.h"

namespace platform {

// A BMP file of 1, 4, 8, 24 or 32 bits, bottom-up or top-down, with a BITMAPINFOHEADER, a V4 or V5
// header (or any other of at least 40 bytes), or an OS/2 BITMAPCOREHEADER (12 bytes, RGBTRIPLE
// colour table). Compression BI_RGB, BI_RLE8 (8 bits), BI_RLE4 (4 bits), or BI_BITFIELDS for 32
// bits with the masks 00FF0000, 0000FF00, 000000FF only. The bitmap keeps the file's depth,
// palette and row order (a negative height gives a top-down bitmap).
// - Colour table: biClrUsed 0 means 2^bpp entries; a larger count is clamped to 2^bpp. The table
//   must fit between the headers and bfOffBits, otherwise the file is refused.
// - Uncompressed pixel data must hold every row, padding included, before anything is allocated.
// - RLE: the bitmap (bounded by DIBitmap's limits) is allocated first; runs past the right edge
//   are clipped, pixels skipped by deltas or early line ends stay index 0, writing below the last
//   row is an error, and data without the end-of-bitmap escape counts as truncated.
DIBitmap ReadBmp(const uint8_t* data, size_t size);
// The size a BMP file's headers give, checked as ReadBmp checks them, without reading any pixels:
// callers with tighter limits than DIBitmap's refuse a picture before anything is allocated.
TSize ReadBmpSize(const uint8_t* data, size_t size);
inline DIBitmap ReadBmp(const std::vector<uint8_t>& bytes) {
  return ReadBmp(bytes.data(), bytes.size());
}
// A BMP file, bottom-up with a 40-byte header. 8-bit bitmaps keep their palette, written in full
// as 256 entries (biClrUsed 256) so the pixel data starts at offset 1078; 1- and 4-bit bitmaps are
// written the same way as 8-bit indices; 24-bit bitmaps as they are, 32-bit ones as 24-bit (the
// fourth byte dropped). An empty bitmap raises EInvalidGraphic.
std::vector<uint8_t> WriteBmp(const DIBitmap& bitmap);

// A baseline or progressive JPEG (greyscale, YCbCr or RGB) as a 24-bit bitmap. CMYK and YCCK files
// are refused. Data that ends before the picture is complete is refused (libjpeg alone would pad
// the rest with grey); other recoverable corruption that libjpeg only warns about is accepted.
DIBitmap DecodeJpeg(const uint8_t* data, size_t size);
// The size of the picture a JPEG file holds, from its headers alone (as ReadBmpSize).
TSize ReadJpegSize(const uint8_t* data, size_t size);
inline DIBitmap DecodeJpeg(const std::vector<uint8_t>& bytes) {
  return DecodeJpeg(bytes.data(), bytes.size());
}
// A baseline JFIF JPEG (YCbCr, 2x2 chroma subsampling) of a bitmap: 24 and 32 bits directly,
// 1, 4 and 8 bits through their palette. Quality is clamped to 1 to 100.
std::vector<uint8_t> EncodeJpeg(const DIBitmap& bitmap, int quality = 90);

// A PNG (8-bit RGB, not interlaced) of a bitmap, converted as for EncodeJpeg; and reading any PNG
// back as a 24-bit bitmap: palettes, grey and 16-bit samples are converted, alpha (an alpha
// channel or a tRNS chunk) is dropped, keeping the stored colour. For test pictures. The file
// functions raise platform::Exception when the file cannot be opened or written.
std::vector<uint8_t> EncodePng(const DIBitmap& bitmap);
DIBitmap DecodePng(const uint8_t* data, size_t size);
inline DIBitmap DecodePng(const std::vector<uint8_t>& bytes) {
  return DecodePng(bytes.data(), bytes.size());
}
void WritePngFile(const DIBitmap& bitmap, const std::string& path);
DIBitmap ReadPngFile(const std::string& path);

}  // namespace platform
