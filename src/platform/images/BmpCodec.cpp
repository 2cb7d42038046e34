// Windows bitmap files. The reader trusts nothing in the headers: every size is checked against the
// bytes actually given before anything is allocated, and every read goes through ByteReader, so a
// corrupt file ends in EInvalidGraphic rather than in a read past the buffer or a huge allocation.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/images/ByteReader.h"
#include "platform/images/ImageCodecs.h"

namespace platform {

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;     // OS/2 BITMAPCOREHEADER
constexpr uint32_t kInfoHeaderSize = 40;     // BITMAPINFOHEADER; V4 (108) and V5 (124) extend it
constexpr uint32_t kMasksInHeaderSize = 52;  // from here on the colour masks are part of the header

[[noreturn]] void Invalid(const std::string& message) { throw EInvalidGraphic(message); }

std::string SizeText(int64_t width, int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// What the headers say, already validated against each other and against the file's length.
struct BmpLayout {
  int width = 0;
  int height = 0;  // positive; the sign of the stored height is in order
  RowOrder order = RowOrder::BottomUp;
  int bitsPerPixel = 0;
  uint32_t compression = BI_RGB;
  size_t paletteOffset = 0;
  size_t paletteEntries = 0;
  size_t paletteEntrySize = 4;  // RGBQUAD, or 3 for the RGBTRIPLEs of a core header
  size_t pixelOffset = 0;
};

// The colour masks of a bit-field bitmap, at `masksAt`: only 8 bits each of red, green and blue
// in their usual places are read.
void CheckColourMasks(const uint8_t* data, size_t size, size_t masksAt) {
  ByteReader masks(data, size);
  masks.Seek(masksAt, "colour masks");
  const uint32_t red = masks.U32("colour masks");
  const uint32_t green = masks.U32("colour masks");
  const uint32_t blue = masks.U32("colour masks");
  if (red != 0x00FF0000u || green != 0x0000FF00u || blue != 0x000000FFu)
    Invalid("Bitmap colour masks other than 8 bits each of red, green and blue are not supported");
}

// The depths each compression is read in.
void CheckDepthAndCompression(int bpp, uint32_t compression) {
  const bool depthKnown = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32;
  switch (compression) {
    case BI_RGB:
      if (!depthKnown)
        Invalid("Bitmaps of " + std::to_string(bpp) + " bits per pixel are not supported");
      break;
    case BI_RLE8:
      if (bpp != 8) Invalid("RLE8 compression needs 8 bits per pixel, not " + std::to_string(bpp));
      break;
    case BI_RLE4:
      if (bpp != 4) Invalid("RLE4 compression needs 4 bits per pixel, not " + std::to_string(bpp));
      break;
    case BI_BITFIELDS:
      if (bpp != 32)
        Invalid("Bit-field bitmaps of " + std::to_string(bpp) +
                " bits per pixel are not supported");
      break;
    default: Invalid("Bitmap compression " + std::to_string(compression) + " is not supported");
  }
}

BmpLayout ParseHeaders(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const uint8_t* magic = in.Take(2, "file header");
  if (magic[0] != 'B' || magic[1] != 'M')
    Invalid("Not a bitmap file (the signature is not \"BM\")");
  in.Skip(8, "file header");  // bfSize and the reserved words: often wrong in the wild, unused
  const uint32_t offBits = in.U32("file header");
  const uint32_t headerSize = in.U32("information header");

  BmpLayout layout;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  uint32_t clrUsed = 0;
  if (headerSize == kCoreHeaderSize) {
    width = in.U16("information header");
    height = in.U16("information header");
    planes = in.U16("information header");
    layout.bitsPerPixel = in.U16("information header");
    layout.paletteEntrySize = 3;
  } else if (headerSize < kInfoHeaderSize) {
    Invalid("Bitmap information header of " + std::to_string(headerSize) + " bytes is too small");
  } else {
    width = in.I32("information header");
    height = in.I32("information header");
    planes = in.U16("information header");
    layout.bitsPerPixel = in.U16("information header");
    layout.compression = in.U32("information header");
    in.Skip(12, "information header");  // biSizeImage (not needed) and the resolution
    clrUsed = in.U32("information header");
    in.Skip(4, "information header");  // biClrImportant
    const size_t masksAt = in.Position();
    in.Skip(headerSize - kInfoHeaderSize, "information header");
    if (layout.compression == BI_BITFIELDS) {
      CheckColourMasks(data, size, masksAt);
      // The three masks follow a plain 40-byte header, and are its first fields in later ones.
      if (headerSize < kMasksInHeaderSize) in.Skip(12, "colour masks");
    }
  }

  if (planes != 1) Invalid("Bitmap has " + std::to_string(planes) + " colour planes instead of 1");
  if (width <= 0) Invalid("Bitmap width " + std::to_string(width) + " is not positive");
  if (height == 0) Invalid("Bitmap height is 0");
  layout.order = height < 0 ? RowOrder::TopDown : RowOrder::BottomUp;
  if (height < 0) height = -height;  // from int32, so no overflow in 64 bits
  if (width > DIBitmap::kMaxDimension || height > DIBitmap::kMaxDimension)
    Invalid("Bitmap of " + SizeText(width, height) + " pixels is too large");
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  const int bpp = layout.bitsPerPixel;
  CheckDepthAndCompression(bpp, layout.compression);
  const size_t rowBytes = DIBitmap::BytesPerRowFor(layout.width, bpp);
  if (rowBytes * static_cast<size_t>(layout.height) > DIBitmap::kMaxBytes)
    Invalid("Bitmap of " + SizeText(width, height) + " pixels is too large");

  // The colour table sits between the headers and the pixels. A count above what the depth can
  // index is clamped (the extra entries could never be used); a table that does not fit before the
  // pixel data is an error.
  const size_t headersEnd = in.Position();
  layout.paletteOffset = headersEnd;
  if (bpp <= 8) {
    const size_t full = size_t{1} << bpp;
    layout.paletteEntries = (clrUsed == 0 || clrUsed > full) ? full : clrUsed;
  }
  if (offBits > size)
    Invalid("Bitmap pixel data offset " + std::to_string(offBits) + " lies outside the file");
  if (offBits < headersEnd)
    Invalid("Bitmap pixel data offset " + std::to_string(offBits) + " points into the headers");
  const size_t paletteBytes = layout.paletteEntries * layout.paletteEntrySize;
  if (paletteBytes > offBits - headersEnd)
    Invalid("Bitmap colour table of " + std::to_string(layout.paletteEntries) +
            " entries overlaps the pixel data");
  layout.pixelOffset = offBits;
  return layout;
}

std::vector<RGBQuad> ReadPalette(const uint8_t* data, const BmpLayout& layout) {
  std::vector<RGBQuad> palette(layout.paletteEntries);
  const uint8_t* p = data + layout.paletteOffset;
  for (RGBQuad& q : palette) {
    q.Blue = p[0];
    q.Green = p[1];
    q.Red = p[2];
    p += layout.paletteEntrySize;
  }
  return palette;
}

DIBitmap ReadUncompressed(const uint8_t* data, size_t size, const BmpLayout& layout) {
  const size_t rowBytes = DIBitmap::BytesPerRowFor(layout.width, layout.bitsPerPixel);
  const size_t needed = rowBytes * static_cast<size_t>(layout.height);
  const size_t available = size - layout.pixelOffset;
  if (needed > available)
    Invalid("Bitmap pixel data is truncated: " + SizeText(layout.width, layout.height) + " at " +
            std::to_string(layout.bitsPerPixel) + " bits needs " + std::to_string(needed) +
            " bytes, the file has " + std::to_string(available));
  DIBitmap bitmap(layout.width, layout.height, layout.bitsPerPixel, layout.order);
  // The file's rows are stored in the same order and padding as the bitmap's own buffer.
  std::memcpy(bitmap.Bits(), data + layout.pixelOffset, needed);
  return bitmap;
}

// Run-length encoded pixels. Rows are numbered in stored order (the bitmap's buffer order), so a
// top-down RLE file, which Windows itself would refuse, simply fills its rows top first. Pixels
// that a run would put past the right edge are dropped; pixels left out by a delta or an early end
// of line stay index 0. The data must end with the end-of-bitmap escape: without it the file is
// taken as truncated.
DIBitmap ReadRle(const uint8_t* data, size_t size, const BmpLayout& layout) {
  const bool rle4 = layout.compression == BI_RLE4;
  const int width = layout.width;
  const int height = layout.height;
  DIBitmap bitmap(width, height, layout.bitsPerPixel, layout.order);
  uint8_t* const bits = bitmap.Bits();
  const size_t rowBytes = bitmap.BytesPerRow();
  ByteReader in(data + layout.pixelOffset, size - layout.pixelOffset);
  const char* what = rle4 ? "RLE4 pixel data" : "RLE8 pixel data";
  int x = 0;
  int y = 0;
  for (;;) {
    const uint8_t count = in.U8(what);
    const uint8_t value = in.U8(what);
    if (count > 0) {
      if (y >= height) Invalid(std::string(what) + " runs past the last row");
      uint8_t* row = bits + static_cast<size_t>(y) * rowBytes;
      const int n = std::min<int>(count, width - x);
      if (!rle4) {
        std::memset(row + x, value, static_cast<size_t>(n));
      } else {
        const uint8_t nibbles[2] = {static_cast<uint8_t>(value >> 4),
                                    static_cast<uint8_t>(value & 0x0F)};
        for (int i = 0; i < n; ++i) {
          const int px = x + i;
          uint8_t& b = row[px >> 1];
          b = (px & 1) ? static_cast<uint8_t>((b & 0xF0) | nibbles[i & 1])
                       : static_cast<uint8_t>((b & 0x0F) | (nibbles[i & 1] << 4));
        }
      }
      x += n;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        if (y >= height) Invalid(std::string(what) + " runs past the last row");
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        bitmap.SetPalette(ReadPalette(data, layout));
        return bitmap;
      case 2: {  // delta: move right and down
        const uint8_t dx = in.U8(what);
        const uint8_t dy = in.U8(what);
        x = std::min(x + dx, width);
        y += dy;
        if (y > height) Invalid(std::string(what) + " moves past the last row");
        break;
      }
      default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
        const int n = value;
        const size_t bytes = rle4 ? static_cast<size_t>(n + 1) / 2 : static_cast<size_t>(n);
        const uint8_t* src = in.Take(bytes, what);
        if (bytes & 1) in.Skip(1, what);
        if (y >= height) Invalid(std::string(what) + " runs past the last row");
        uint8_t* row = bits + static_cast<size_t>(y) * rowBytes;
        const int m = std::min(n, width - x);
        if (!rle4) {
          std::memcpy(row + x, src, static_cast<size_t>(m));
        } else {
          for (int i = 0; i < m; ++i) {
            const int px = x + i;
            const uint8_t v = (i & 1) ? (src[i >> 1] & 0x0F) : (src[i >> 1] >> 4);
            uint8_t& b = row[px >> 1];
            b = (px & 1) ? static_cast<uint8_t>((b & 0xF0) | v)
                         : static_cast<uint8_t>((b & 0x0F) | (v << 4));
          }
        }
        x += m;
        break;
      }
    }
  }
}

void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

}  // namespace

TSize ReadBmpSize(const uint8_t* data, size_t size) {
  if (data == nullptr) size = 0;
  const BmpLayout layout = ParseHeaders(data, size);
  return {layout.width, layout.height};
}

DIBitmap ReadBmp(const uint8_t* data, size_t size) {
  if (data == nullptr) size = 0;
  const BmpLayout layout = ParseHeaders(data, size);
  if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4)
    return ReadRle(data, size, layout);
  DIBitmap bitmap = ReadUncompressed(data, size, layout);
  if (layout.paletteEntries > 0) bitmap.SetPalette(ReadPalette(data, layout));
  return bitmap;
}

std::vector<uint8_t> WriteBmp(const DIBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic("Cannot write an empty bitmap");
  const int inBpp = bitmap.BitsPerPixel();
  const int outBpp = inBpp <= 8 ? 8 : 24;
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  const size_t rowBytes = DIBitmap::BytesPerRowFor(width, outBpp);
  const size_t paletteBytes = outBpp == 8 ? 256 * 4 : 0;
  const size_t offBits = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
  const size_t imageSize = rowBytes * static_cast<size_t>(height);
  // At most 32767 x 32767 bytes once 1- and 4-bit rows widen to 8 bits: within 32 bits.
  std::vector<uint8_t> out(offBits + imageSize, 0);
  uint8_t* p = out.data();

  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, static_cast<uint32_t>(out.size()));
  Put32(p + 10, static_cast<uint32_t>(offBits));
  uint8_t* info = p + kFileHeaderSize;
  Put32(info + 0, kInfoHeaderSize);
  Put32(info + 4, static_cast<uint32_t>(width));
  Put32(info + 8, static_cast<uint32_t>(height));  // positive: bottom-up
  Put16(info + 12, 1);
  Put16(info + 14, static_cast<uint32_t>(outBpp));
  Put32(info + 16, BI_RGB);
  Put32(info + 20, static_cast<uint32_t>(imageSize));
  Put32(info + 32, outBpp == 8 ? 256 : 0);  // biClrUsed; biClrImportant and resolution stay 0

  if (outBpp == 8) {
    uint8_t* entry = info + kInfoHeaderSize;
    for (const RGBQuad& q : bitmap.Palette()) {
      entry[0] = q.Blue;
      entry[1] = q.Green;
      entry[2] = q.Red;
      entry += 4;
    }
  }

  const auto w = static_cast<size_t>(width);
  for (int i = 0; i < height; ++i) {
    const uint8_t* src = bitmap.ScanLine(height - 1 - i);
    uint8_t* dst = p + offBits + static_cast<size_t>(i) * rowBytes;
    switch (inBpp) {
      case 8: std::memcpy(dst, src, w); break;
      case 24: std::memcpy(dst, src, w * 3); break;
      case 32:
        for (size_t x = 0; x < w; ++x, src += 4, dst += 3) {
          dst[0] = src[0];
          dst[1] = src[1];
          dst[2] = src[2];
        }
        break;
      case 4:
        for (size_t x = 0; x < w; ++x) dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
        break;
      case 1:
        for (size_t x = 0; x < w; ++x) dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
        break;
      default:
        throw EInvalidGraphic("Cannot write a bitmap of " + std::to_string(inBpp) +
                              " bits per pixel");
    }
  }
  return out;
}

}  // namespace platform
