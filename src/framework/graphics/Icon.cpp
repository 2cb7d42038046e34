#include "framework/graphics/Icon.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Canvas.h"
#include "platform/drawing/TransparentBlt.h"
#include "platform/images/ImageCodecs.h"

namespace framework {

using platform::DIBitmap;

namespace {

constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kFileHeaderSize = 14;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

[[noreturn]] void Bad(const std::string& why) { throw EInvalidGraphic("Invalid icon: " + why); }

DIBitmap EmptyMask(int width, int height) {
  DIBitmap mask(width, height, 1);
  mask.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
  return mask;
}

struct Entry {
  int width;
  int height;
  int bitCount;
  uint32_t size;
  uint32_t offset;
};

// The image the icon shows: 48 x 48 if there is one (the deepest), else the largest.
const Entry& ChooseEntry(const std::vector<Entry>& entries) {
  const auto better = [](const Entry& a, const Entry& b) {  // a before b?
    const bool a48 = a.width == 48 && a.height == 48, b48 = b.width == 48 && b.height == 48;
    if (a48 != b48) return a48;
    const int areaA = a.width * a.height, areaB = b.width * b.height;
    if (!a48 && areaA != areaB) return areaA > areaB;
    return a.bitCount > b.bitCount;
  };
  const Entry* best = &entries.front();
  for (const Entry& e : entries)
    if (better(e, *best)) best = &e;
  return *best;
}

// One BMP-style icon image: a BITMAPINFOHEADER whose height counts the colour rows and the mask
// rows together, the palette, the colour rows, then the 1-bit AND mask, all bottom-up.
std::pair<DIBitmap, DIBitmap> ReadBmpImage(const uint8_t* data, size_t size) {
  if (size < kInfoHeaderSize) Bad("truncated image header");
  const uint32_t headerSize = U32(data);
  const auto width = static_cast<int32_t>(U32(data + 4));
  const auto doubledHeight = static_cast<int32_t>(U32(data + 8));
  const int planes = U16(data + 12);
  const int bits = U16(data + 14);
  const uint32_t compression = U32(data + 16);
  const uint32_t colorsUsed = U32(data + 32);
  if (headerSize < kInfoHeaderSize || headerSize > size) Bad("bad image header size");
  if (width < 1 || width > TIcon::kMaxSize || doubledHeight < 2 ||
      doubledHeight > 2 * TIcon::kMaxSize || doubledHeight % 2 != 0)
    Bad("bad image size");
  if (planes != 1 || compression != 0) Bad("unsupported image encoding");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) Bad("unsupported depth");
  const int height = doubledHeight / 2;
  const size_t paletteEntries =
      bits <= 8
          ? (colorsUsed == 0 ? size_t{1} << bits : std::min<size_t>(colorsUsed, size_t{1} << bits))
          : 0;
  const size_t colorOffset = headerSize + 4 * paletteEntries;
  const size_t colorBytes = DIBitmap::BytesPerRowFor(width, bits) * static_cast<size_t>(height);
  const size_t maskStride = DIBitmap::BytesPerRowFor(width, 1);
  const size_t maskOffset = colorOffset + colorBytes;
  if (maskOffset + maskStride * static_cast<size_t>(height) > size) Bad("truncated image");

  // The colour part is a BMP file once it has a file header and its own height.
  std::vector<uint8_t> bmp;
  bmp.reserve(kFileHeaderSize + maskOffset);
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, static_cast<uint32_t>(kFileHeaderSize + maskOffset));
  Put32(bmp, 0);
  Put32(bmp, static_cast<uint32_t>(kFileHeaderSize + colorOffset));
  bmp.insert(bmp.end(), data, data + maskOffset);
  uint8_t* info = bmp.data() + kFileHeaderSize;
  const auto patch32 = [](uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  };
  patch32(info + 8, static_cast<uint32_t>(height));
  patch32(info + 20, 0);  // image size: worked out from the sizes
  patch32(info + 32, static_cast<uint32_t>(paletteEntries));
  const DIBitmap colors = platform::ReadBmp(bmp);

  DIBitmap mask = EmptyMask(width, height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* stored = data + maskOffset + maskStride * static_cast<size_t>(height - 1 - y);
    std::memcpy(mask.ScanLine(y), stored, maskStride);
  }
  if (bits == 32) {
    // Icons with an alpha channel often leave the AND mask clear and mark transparency in alpha.
    bool anyAlpha = false;
    for (int y = 0; y < height && !anyAlpha; ++y) {
      const uint8_t* row = colors.ScanLine(y);
      for (int x = 0; x < width; ++x)
        if (row[4 * x + 3] != 0) anyAlpha = true;
    }
    if (anyAlpha) {
      for (int y = 0; y < height; ++y) {
        const uint8_t* row = colors.ScanLine(y);
        uint8_t* bitsRow = mask.ScanLine(y);
        for (int x = 0; x < width; ++x)
          if (row[4 * x + 3] < 128)
            bitsRow[x >> 3] = static_cast<uint8_t>(bitsRow[x >> 3] | (0x80 >> (x & 7)));
      }
    }
  }
  return {colors.BitsPerPixel() == 24 ? colors : colors.ConvertedTo(24), std::move(mask)};
}

}  // namespace

const TClassInfo& TIcon::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TIcon>("TIcon", TGraphic::StaticClassInfo());
  return info;
}

TIcon::TIcon() = default;

TIcon::~TIcon() = default;

std::unique_ptr<TGraphic> TIcon::NewOfSameClass() const { return std::make_unique<TIcon>(); }

void TIcon::SetImage(const DIBitmap& image, const DIBitmap* mask) {
  if (image.Width() > kMaxSize || image.Height() > kMaxSize)
    throw EInvalidGraphic("Icon is larger than " + std::to_string(kMaxSize) + " pixels");
  if (mask && (mask->Width() != image.Width() || mask->Height() != image.Height()))
    throw EInvalidGraphic("Icon mask does not match the image size");
  DIBitmap colors = image.BitsPerPixel() == 24 ? image : image.ConvertedTo(24);
  DIBitmap bits = EmptyMask(image.Width(), image.Height());
  if (mask && !mask->Empty()) {
    const DIBitmap converted = mask->BitsPerPixel() < 24 ? mask->ConvertedTo(24) : DIBitmap();
    const DIBitmap& m = mask->BitsPerPixel() < 24 ? converted : *mask;
    const int bpp = m.BitsPerPixel() / 8;
    for (int y = 0; y < m.Height(); ++y) {
      const uint8_t* in = m.ScanLine(y);
      uint8_t* out = bits.ScanLine(y);
      for (int x = 0; x < m.Width(); ++x, in += bpp)
        if ((in[0] | in[1] | in[2]) != 0)
          out[x >> 3] = static_cast<uint8_t>(out[x >> 3] | (0x80 >> (x & 7)));
    }
  }
  image_ = std::move(colors);
  mask_ = std::move(bits);
  Changed();
}

void TIcon::Assign(const TPersistent* source) {
  if (!source) {
    image_ = DIBitmap();
    mask_ = DIBitmap();
    Changed();
    return;
  }
  const auto* icon = dynamic_cast<const TIcon*>(source);
  if (!icon) {
    TGraphic::Assign(source);
    return;
  }
  if (icon == this) return;
  image_ = icon->image_;
  mask_ = icon->mask_;
  Changed();
}

void TIcon::Draw(TCanvas& canvas, const platform::TRect& rect) {
  if (image_.Empty()) return;
  platform::DrawIconEx(canvas.Handle(), rect.Left, rect.Top, image_, &mask_, rect.Width(),
                       rect.Height());
}

void TIcon::LoadFromStream(const uint8_t* data, size_t size) {
  if (size == 0) {
    Assign(nullptr);
    return;
  }
  if (size < kDirSize) Bad("truncated header");
  if (U16(data) != 0 || U16(data + 2) != 1) Bad("not an icon file");
  const size_t count = U16(data + 4);
  if (count == 0) Bad("no images");
  if (kDirSize + count * kEntrySize > size) Bad("truncated directory");
  std::vector<Entry> entries;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + kDirSize + i * kEntrySize;
    entries.push_back(
        {e[0] == 0 ? 256 : e[0], e[1] == 0 ? 256 : e[1], U16(e + 6), U32(e + 8), U32(e + 12)});
  }
  const Entry& entry = ChooseEntry(entries);
  if (uint64_t{entry.offset} + entry.size > size) Bad("image outside the file");
  const uint8_t* image = data + entry.offset;
  static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (entry.size >= 8 && std::memcmp(image, kPngSignature, 8) == 0) {
    // The header's size is checked before anything is decoded: an icon is small.
    if (entry.size < 24) Bad("truncated image");
    const auto be32 = [](const uint8_t* p) {
      return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) |
             uint32_t{p[3]};
    };
    if (be32(image + 16) > kMaxSize || be32(image + 20) > kMaxSize)
      Bad("image larger than 256 pixels");
    DIBitmap colors = platform::DecodePng(image, entry.size);
    if (colors.Width() > kMaxSize || colors.Height() > kMaxSize)
      Bad("image larger than 256 pixels");
    DIBitmap mask = EmptyMask(colors.Width(), colors.Height());
    image_ = std::move(colors);
    mask_ = std::move(mask);
  } else {
    auto [colors, mask] = ReadBmpImage(image, entry.size);
    image_ = std::move(colors);
    mask_ = std::move(mask);
  }
  Changed();
}

void TIcon::SaveToStream(std::vector<uint8_t>& stream) const {
  if (image_.Empty()) return;
  const int w = image_.Width(), h = image_.Height();
  const size_t colorStride = DIBitmap::BytesPerRowFor(w, 24);
  const size_t maskStride = DIBitmap::BytesPerRowFor(w, 1);
  const auto imageBytes = static_cast<uint32_t>(kInfoHeaderSize + (colorStride + maskStride) * h);
  std::vector<uint8_t> out;
  out.reserve(kDirSize + kEntrySize + imageBytes);
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<uint8_t>(w == 256 ? 0 : w));
  out.push_back(static_cast<uint8_t>(h == 256 ? 0 : h));
  out.push_back(0);  // colours in a palette: none
  out.push_back(0);
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, imageBytes);
  Put32(out, static_cast<uint32_t>(kDirSize + kEntrySize));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(w));
  Put32(out, static_cast<uint32_t>(2 * h));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<uint32_t>(imageBytes - kInfoHeaderSize));
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution, colours used and important
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = image_.ScanLine(y);
    out.insert(out.end(), row, row + colorStride);
  }
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = mask_.ScanLine(y);
    out.insert(out.end(), row, row + maskStride);
  }
  stream.insert(stream.end(), out.begin(), out.end());
}

}  // namespace framework
