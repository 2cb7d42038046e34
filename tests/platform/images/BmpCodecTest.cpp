#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>
#include <vector>

#include "CodecTestData.h"
#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

// The largest single allocation made through operator new since the last reset, so a test can
// prove that a file claiming a huge picture is refused before its pixel buffer is allocated.
namespace {
std::atomic<size_t> largestAllocation{0};
}  // namespace

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // both sides are malloc and free
#endif
void* operator new(std::size_t size) {
  size_t seen = largestAllocation.load(std::memory_order_relaxed);
  while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace platform {
namespace {

// A BMP file put together field by field, so each test states exactly the bytes it feeds in.
struct BmpFile {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t planes = 1;
  uint16_t bitsPerPixel = 8;
  uint32_t compression = 0;
  uint32_t clrUsed = 0;
  uint32_t headerSize = 40;
  std::vector<uint8_t> afterHeader;  // colour masks of a 40-byte bit-field header
  std::vector<uint8_t> palette;      // the colour table as stored
  std::vector<uint8_t> pixels;
  std::optional<uint32_t> offBits;     // default: straight after the colour table
  std::vector<uint8_t> masksInHeader;  // V4/V5: the first fields after the 40 bytes

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
      out.push_back(static_cast<uint8_t>(v));
      out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
      u16(v & 0xFFFF);
      u16(v >> 16);
    };
    const uint32_t tableEnd =
        static_cast<uint32_t>(14 + headerSize + afterHeader.size() + palette.size());
    out.push_back('B');
    out.push_back('M');
    u32(static_cast<uint32_t>(tableEnd + pixels.size()));
    u32(0);
    u32(offBits.value_or(tableEnd));
    u32(headerSize);
    if (headerSize == 12) {
      u16(static_cast<uint32_t>(width));
      u16(static_cast<uint32_t>(height));
      u16(planes);
      u16(bitsPerPixel);
    } else {
      u32(static_cast<uint32_t>(width));
      u32(static_cast<uint32_t>(height));
      u16(planes);
      u16(bitsPerPixel);
      u32(compression);
      u32(static_cast<uint32_t>(pixels.size()));
      u32(2835);
      u32(2835);
      u32(clrUsed);
      u32(0);
      out.insert(out.end(), masksInHeader.begin(), masksInHeader.end());
      while (out.size() < 14 + std::min<size_t>(headerSize, 124)) out.push_back(0);
    }
    out.insert(out.end(), afterHeader.begin(), afterHeader.end());
    out.insert(out.end(), palette.begin(), palette.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
  }
};

std::vector<uint8_t> Quads(std::initializer_list<TColor> colors) {
  std::vector<uint8_t> out;
  for (TColor c : colors) out.insert(out.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
  return out;
}

std::vector<uint8_t> GreyQuads(int count) {
  std::vector<uint8_t> out;
  for (int i = 0; i < count; ++i) {
    const auto v = static_cast<uint8_t>(i * 16);
    out.insert(out.end(), {v, v, v, 0});
  }
  return out;
}

std::vector<uint8_t> StandardMasks() { return {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0}; }

uint32_t ReadU32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Stored row r (first stored row 0) of a bottom-up bitmap as indices.
std::vector<int> IndexRow(const DIBitmap& bmp, int storedRow) {
  const int y = bmp.Order() == RowOrder::BottomUp ? bmp.Height() - 1 - storedRow : storedRow;
  std::vector<int> row;
  for (int x = 0; x < bmp.Width(); ++x) row.push_back(bmp.PixelIndex(x, y));
  return row;
}

// ---- writing and reading back -------------------------------------------------------------

TEST(BmpCodec, EightBitFileHasFullPaletteAndPixelsAt1078) {
  DIBitmap bmp(5, 3, 8);
  bmp.SetPalette({{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) bmp.SetPixelIndex(x, y, static_cast<uint8_t>((x + 2 * y) % 3));

  const std::vector<uint8_t> file = WriteBmp(bmp);
  ASSERT_EQ(file.size(), 1078u + 8 * 3);  // rows of 5 bytes padded to 8
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(ReadU32(file, 2), file.size());
  EXPECT_EQ(ReadU32(file, 10), 1078u);
  EXPECT_EQ(ReadU32(file, 14), 40u);
  EXPECT_EQ(ReadU32(file, 22), 3u);  // positive height: bottom-up
  EXPECT_EQ(file[28], 8);
  EXPECT_EQ(ReadU32(file, 34), 24u);   // biSizeImage
  EXPECT_EQ(ReadU32(file, 46), 256u);  // biClrUsed
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.begin() + 62),
            (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
  // The first stored row is the bottom one (y = 2): indices (x + 4) % 3.
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 1078, file.begin() + 1083),
            (std::vector<uint8_t>{1, 2, 0, 1, 2}));

  const DIBitmap back = ReadBmp(file);
  EXPECT_EQ(back.BitsPerPixel(), 8);
  EXPECT_EQ(back.Order(), RowOrder::BottomUp);
  ASSERT_EQ(back.Palette().size(), 256u);
  EXPECT_EQ(back.Palette()[2], (RGBQuad{7, 8, 9, 0}));
  EXPECT_EQ(back.Palette()[255], RGBQuad{});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.PixelIndex(x, y), bmp.PixelIndex(x, y));
}

TEST(BmpCodec, TwentyFourBitRoundTripFromEitherRowOrder) {
  for (RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown}) {
    DIBitmap bmp(7, 4, 24, order);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 7; ++x) bmp.SetPixel(x, y, RGB(x * 30, y * 60, 200 - x * 10));
    const std::vector<uint8_t> file = WriteBmp(bmp);
    ASSERT_EQ(file.size(), 54u + 24 * 4);
    EXPECT_EQ(ReadU32(file, 10), 54u);
    EXPECT_EQ(ReadU32(file, 46), 0u);
    // Bottom-left pixel first, blue green red.
    EXPECT_EQ(file[54], 200);
    EXPECT_EQ(file[55], 180);
    EXPECT_EQ(file[56], 0);
    const DIBitmap back = ReadBmp(file);
    EXPECT_EQ(back.BitsPerPixel(), 24);
    EXPECT_TRUE(back == bmp);
  }
}

TEST(BmpCodec, OtherDepthsAreWrittenAsEightOrTwentyFourBits) {
  DIBitmap wide(3, 2, 32);
  wide.SetPixel(0, 0, clRed);
  wide.SetPixel(2, 1, RGB(1, 2, 3));
  const DIBitmap wideBack = ReadBmp(WriteBmp(wide));
  EXPECT_EQ(wideBack.BitsPerPixel(), 24);
  EXPECT_TRUE(wideBack == wide.ConvertedTo(24));

  for (int bpp : {1, 4}) {
    DIBitmap indexed(11, 3, bpp);
    indexed.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 11; ++x) indexed.SetPixelIndex(x, y, static_cast<uint8_t>((x * y) & 1));
    const std::vector<uint8_t> file = WriteBmp(indexed);
    EXPECT_EQ(ReadU32(file, 10), 1078u);
    const DIBitmap back = ReadBmp(file);
    EXPECT_EQ(back.BitsPerPixel(), 8);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 11; ++x)
        EXPECT_EQ(back.PixelIndex(x, y), indexed.PixelIndex(x, y))
            << bpp << " bits, " << x << "," << y;
  }

  EXPECT_THROW(WriteBmp(DIBitmap()), EInvalidGraphic);
}

// ---- hand-made files ----------------------------------------------------------------------

TEST(BmpCodec, ReadsPalettedFilesOfOneFourAndEightBits) {
  BmpFile one;
  one.width = 10;
  one.height = 2;
  one.bitsPerPixel = 1;
  one.palette = Quads({clBlack, clWhite});
  one.pixels = {0b10101010, 0b11000000, 0, 0,   // bottom row
                0xFF,       0x00,       0, 0};  // top row
  const DIBitmap a = ReadBmp(one.Bytes());
  EXPECT_EQ(a.Width(), 10);
  EXPECT_EQ(a.Height(), 2);
  EXPECT_EQ(a.BitsPerPixel(), 1);
  EXPECT_EQ(IndexRow(a, 0), (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
  EXPECT_EQ(IndexRow(a, 1), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
  EXPECT_EQ(a.Pixel(0, 0), clWhite);
  EXPECT_EQ(a.Pixel(9, 0), clBlack);

  BmpFile four;  // top-down, table size implied by biClrUsed 0
  four.width = 3;
  four.height = -2;
  four.bitsPerPixel = 4;
  four.palette = GreyQuads(16);
  four.pixels = {0x12, 0x30, 0, 0, 0xF0, 0xA0, 0, 0};
  const DIBitmap b = ReadBmp(four.Bytes());
  EXPECT_EQ(b.Order(), RowOrder::TopDown);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Bits()[0], 0x12);  // the stored order is kept
  EXPECT_EQ(IndexRow(b, 0), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(IndexRow(b, 1), (std::vector<int>{15, 0, 10}));
  EXPECT_EQ(b.Palette().size(), 16u);
  EXPECT_EQ(b.Pixel(2, 1), RGB(160, 160, 160));

  BmpFile eight;  // a short table announced by biClrUsed
  eight.width = 3;
  eight.height = 1;
  eight.clrUsed = 3;
  eight.palette = Quads({clRed, clLime, clBlue});
  eight.pixels = {2, 1, 0, 0};
  const DIBitmap c = ReadBmp(eight.Bytes());
  EXPECT_EQ(c.Palette().size(), 3u);
  EXPECT_EQ(c.Pixel(0, 0), clBlue);
  EXPECT_EQ(c.Pixel(2, 0), clRed);

  BmpFile clamped = one;  // more entries announced than one bit can index: two are used
  clamped.clrUsed = 1000;
  EXPECT_EQ(ReadBmp(clamped.Bytes()).Palette().size(), 2u);
}

TEST(BmpCodec, ReadsCoreAndLaterHeaders) {
  BmpFile core;  // OS/2 header with RGBTRIPLE table
  core.headerSize = 12;
  core.width = 2;
  core.height = 1;
  core.bitsPerPixel = 4;
  for (int i = 0; i < 16; ++i)
    core.palette.insert(core.palette.end(), {0, 0, static_cast<uint8_t>(i * 10)});
  core.pixels = {0x3E, 0, 0, 0};
  const DIBitmap a = ReadBmp(core.Bytes());
  EXPECT_EQ(a.Pixel(0, 0), RGB(30, 0, 0));
  EXPECT_EQ(a.Pixel(1, 0), RGB(140, 0, 0));

  BmpFile v5;
  v5.headerSize = 124;
  v5.width = 2;
  v5.height = 2;
  v5.bitsPerPixel = 24;
  v5.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  const DIBitmap b = ReadBmp(v5.Bytes());
  EXPECT_EQ(b.Pixel(0, 1), RGB(3, 2, 1));
  EXPECT_EQ(b.Pixel(1, 0), RGB(12, 11, 10));

  BmpFile fields;  // 32-bit bit fields, masks after a 40-byte header
  fields.width = 1;
  fields.height = 1;
  fields.bitsPerPixel = 32;
  fields.compression = 3;
  fields.afterHeader = StandardMasks();
  fields.pixels = {10, 20, 30, 0};
  EXPECT_EQ(ReadBmp(fields.Bytes()).Pixel(0, 0), RGB(30, 20, 10));

  BmpFile v4 = fields;  // masks inside a V4 header
  v4.afterHeader.clear();
  v4.headerSize = 108;
  v4.masksInHeader = StandardMasks();
  EXPECT_EQ(ReadBmp(v4.Bytes()).Pixel(0, 0), RGB(30, 20, 10));

  BmpFile odd = v4;  // 10 bits of red
  odd.masksInHeader = {0, 0, 0xF0, 0x3F, 0, 0xFC, 0x0F, 0, 0xFF, 0x03, 0, 0};
  EXPECT_THROW(ReadBmp(odd.Bytes()), EInvalidGraphic);
}

TEST(BmpCodec, DecodesRle8WithEveryEscape) {
  BmpFile f;
  f.width = 6;
  f.height = 4;
  f.compression = 1;
  f.clrUsed = 16;
  f.palette = GreyQuads(16);
  f.pixels = {0x03, 0x05, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00,
              0x00, 0x00,                                      // run, odd absolute + pad, EOL
              0x01, 0x07, 0x00, 0x04, 0x0A, 0x0B, 0x0C, 0x0D,  // run, even absolute
              0x00, 0x02, 0x00, 0x01,                          // delta: down one row
              0x01, 0x09, 0x00, 0x00,                          // run at x 5, EOL
              0x08, 0x04,                                      // run clipped at the edge
              0x00, 0x01};                                     // end of bitmap
  const DIBitmap bmp = ReadBmp(f.Bytes());
  EXPECT_EQ(IndexRow(bmp, 0), (std::vector<int>{5, 5, 5, 1, 2, 3}));
  EXPECT_EQ(IndexRow(bmp, 1), (std::vector<int>{7, 10, 11, 12, 13, 0}));
  EXPECT_EQ(IndexRow(bmp, 2), (std::vector<int>{0, 0, 0, 0, 0, 9}));
  EXPECT_EQ(IndexRow(bmp, 3), (std::vector<int>{4, 4, 4, 4, 4, 4}));
  EXPECT_EQ(bmp.Palette().size(), 16u);
}

TEST(BmpCodec, DecodesRle4WithEveryEscape) {
  BmpFile f;
  f.width = 7;
  f.height = 2;
  f.bitsPerPixel = 4;
  f.compression = 2;
  f.palette = GreyQuads(16);
  f.pixels = {0x03, 0x12,                          // run of alternating 1 2 1
              0x00, 0x03, 0x45, 0x60,              // absolute 4 5 6 in two bytes, no pad
              0x00, 0x00,                          // EOL
              0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,  // absolute A B C D E in three bytes + pad
              0x04, 0xFF,                          // run clipped to the last two pixels
              0x00, 0x01};
  const DIBitmap bmp = ReadBmp(f.Bytes());
  EXPECT_EQ(IndexRow(bmp, 0), (std::vector<int>{1, 2, 1, 4, 5, 6, 0}));
  EXPECT_EQ(IndexRow(bmp, 1), (std::vector<int>{10, 11, 12, 13, 14, 15, 15}));

  f.pixels = {0x00, 0x02, 0x03, 0x01,
              0x02, 0x77, 0x00, 0x01};  // delta right 3 and down 1, then a run
  const DIBitmap moved = ReadBmp(f.Bytes());
  EXPECT_EQ(IndexRow(moved, 1), (std::vector<int>{0, 0, 0, 7, 7, 0, 0}));
}

TEST(BmpCodec, RefusesRleThatEscapesTheBitmap) {
  BmpFile f;
  f.width = 4;
  f.height = 2;
  f.compression = 1;
  f.palette = GreyQuads(4);
  f.clrUsed = 4;
  const std::vector<std::vector<uint8_t>> bad = {
      {0x02, 0x05, 0x00, 0x00},                          // no end-of-bitmap mark
      {0x00, 0x02, 0x00, 0x03, 0x00, 0x01},              // delta below the last row
      {0x00, 0x00, 0x00, 0x00, 0x01, 0x05, 0x00, 0x01},  // a run after the last row
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01},  // a line end after the last row
      {0x00, 0x05, 0x01, 0x02},                          // absolute run cut short
      {0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x01},        // padding eats half the end mark
  };
  for (const auto& pixels : bad) {
    f.pixels = pixels;
    EXPECT_THROW(ReadBmp(f.Bytes()), EInvalidGraphic) << testing::PrintToString(pixels);
  }
}

// ---- bad headers ----------------------------------------------------------------------------

BmpFile ValidEightBit() {
  BmpFile f;
  f.width = 2;
  f.height = 2;
  f.palette = GreyQuads(256);
  f.pixels = {1, 2, 0, 0, 3, 4, 0, 0};
  return f;
}

TEST(BmpCodec, RefusesInconsistentHeaders) {
  EXPECT_NO_THROW(ReadBmp(ValidEightBit().Bytes()));
  auto expectInvalid = [](const std::vector<uint8_t>& bytes, const char* why) {
    EXPECT_THROW(ReadBmp(bytes), EInvalidGraphic) << why;
  };
  auto with = [](auto change) {
    BmpFile f = ValidEightBit();
    change(f);
    return f.Bytes();
  };

  std::vector<uint8_t> magic = ValidEightBit().Bytes();
  magic[1] = 'X';
  expectInvalid(magic, "wrong signature");
  expectInvalid({}, "no data");
  expectInvalid({'B'}, "one byte");
  EXPECT_THROW(ReadBmp(nullptr, 100), EInvalidGraphic);
  expectInvalid(with([](BmpFile& f) { f.headerSize = 20; }), "header too small");
  expectInvalid(with([](BmpFile& f) { f.headerSize = 0xFFFFFFF0u; }), "header past the end");
  expectInvalid(with([](BmpFile& f) { f.planes = 0; }), "zero planes");
  expectInvalid(with([](BmpFile& f) { f.planes = 2; }), "two planes");
  expectInvalid(with([](BmpFile& f) { f.width = 0; }), "zero width");
  expectInvalid(with([](BmpFile& f) { f.width = -2; }), "negative width");
  expectInvalid(with([](BmpFile& f) { f.height = 0; }), "zero height");
  expectInvalid(with([](BmpFile& f) { f.width = 40000; }), "too wide");
  expectInvalid(with([](BmpFile& f) { f.height = -40000; }), "too tall, top-down");
  expectInvalid(with([](BmpFile& f) { f.height = INT32_MIN; }), "most negative height");
  expectInvalid(with([](BmpFile& f) { f.offBits = 5000; }), "offset past the end");
  expectInvalid(with([](BmpFile& f) { f.offBits = 30; }), "offset into the headers");
  expectInvalid(with([](BmpFile& f) { f.offBits = 54 + 16; }), "offset into the colour table");
  expectInvalid(with([](BmpFile& f) { f.pixels.resize(6); }), "pixel rows cut short");
  expectInvalid(with([](BmpFile& f) { f.compression = 4; }), "embedded JPEG");
  expectInvalid(with([](BmpFile& f) { f.compression = 2; }), "RLE4 at 8 bits");
  expectInvalid(with([](BmpFile& f) { f.bitsPerPixel = 4, f.compression = 1; }), "RLE8 at 4 bits");
  expectInvalid(with([](BmpFile& f) { f.bitsPerPixel = 16, f.palette.clear(); }), "16 bits");
  expectInvalid(with([](BmpFile& f) { f.bitsPerPixel = 2; }), "2 bits");
  expectInvalid(with([](BmpFile& f) {
                  f.bitsPerPixel = 24, f.compression = 3, f.palette.clear();
                  f.afterHeader = StandardMasks();
                }),
                "bit fields at 24 bits");

  try {
    ReadBmp(with([](BmpFile& f) { f.planes = 3; }));
    ADD_FAILURE() << "three planes accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("planes"), std::string::npos) << e.Message();
  }
}

TEST(BmpCodec, EveryTruncationIsRefused) {
  DIBitmap eight(5, 3, 8);
  eight.SetPalette({{1, 2, 3, 0}});
  DIBitmap colour(3, 3, 24, RowOrder::TopDown);
  colour.SetPixel(1, 1, clAqua);

  BmpFile rle8;
  rle8.width = 3;
  rle8.height = 2;
  rle8.compression = 1;
  rle8.clrUsed = 16;
  rle8.palette = GreyQuads(16);
  rle8.pixels = {0x03, 0x01, 0x00, 0x00, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x00, 0x01};
  BmpFile rle4 = rle8;
  rle4.bitsPerPixel = 4;
  rle4.compression = 2;
  BmpFile core;
  core.headerSize = 12;
  core.width = 3;
  core.bitsPerPixel = 1;
  core.palette = {0, 0, 0, 255, 255, 255};
  core.pixels = {0xA0, 0, 0, 0};
  BmpFile fields;
  fields.bitsPerPixel = 32;
  fields.compression = 3;
  fields.afterHeader = StandardMasks();
  fields.pixels = {1, 2, 3, 4};

  const std::vector<std::vector<uint8_t>> files = {
      WriteBmp(eight), WriteBmp(colour), rle8.Bytes(), rle4.Bytes(), core.Bytes(), fields.Bytes()};
  testdata::ExpectEveryTruncationRefused(
      files, [](const std::vector<uint8_t>& bytes) { return ReadBmp(bytes); });
}

TEST(BmpCodec, HugeDimensionsAreRefusedBeforeAllocating) {
  largestAllocation = 0;
  (void)ReadBmp(WriteBmp(DIBitmap(200, 100, 24)));
  ASSERT_GE(largestAllocation.load(), size_t{60000}) << "allocations are not being watched";

  struct Claim {
    uint16_t bitsPerPixel;
    uint32_t compression;
  };
  for (const Claim claim : {Claim{1, 0}, Claim{4, 0}, Claim{8, 0}, Claim{24, 0}, Claim{32, 0},
                            Claim{8, 1}, Claim{4, 2}}) {
    BmpFile f;
    f.width = 30000;
    f.height = 30000;
    f.bitsPerPixel = claim.bitsPerPixel;
    f.compression = claim.compression;
    if (claim.bitsPerPixel <= 8) f.palette = GreyQuads(1 << claim.bitsPerPixel);
    f.pixels = {0x00, 0x01, 0, 0};
    const std::vector<uint8_t> bytes = f.Bytes();
    largestAllocation = 0;
    EXPECT_THROW(ReadBmp(bytes), EInvalidGraphic) << claim.bitsPerPixel << " bits";
    EXPECT_LT(largestAllocation.load(), size_t{1} << 16) << claim.bitsPerPixel << " bits";
  }
}

}  // namespace
}  // namespace platform
