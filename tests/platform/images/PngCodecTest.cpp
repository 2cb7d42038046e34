#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CodecTestData.h"
#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

namespace platform {
namespace {

DIBitmap Pattern(int width, int height, int bitsPerPixel = 24,
                 RowOrder order = RowOrder::BottomUp) {
  DIBitmap bmp(width, height, bitsPerPixel, order);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bmp.SetPixel(x, y, RGB(x * 37, y * 53, (x ^ y) * 11));
  return bmp;
}

void ExpectSamePixels(const DIBitmap& a, const DIBitmap& b, const std::string& what) {
  ASSERT_EQ(a.Width(), b.Width()) << what;
  ASSERT_EQ(a.Height(), b.Height()) << what;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << what << " at " << x << "," << y;
}

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBig32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 24);
  b[at + 1] = static_cast<uint8_t>(v >> 16);
  b[at + 2] = static_cast<uint8_t>(v >> 8);
  b[at + 3] = static_cast<uint8_t>(v);
}

TEST(PngCodec, RoundTripIsLosslessForEveryDepthAndOrder) {
  const DIBitmap bottomUp = Pattern(9, 5);
  const std::vector<uint8_t> png = EncodePng(bottomUp);
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
  EXPECT_EQ(png[24], 8);  // bit depth
  EXPECT_EQ(png[25], 2);  // colour type RGB
  const DIBitmap back = DecodePng(png);
  EXPECT_EQ(back.BitsPerPixel(), 24);
  EXPECT_TRUE(back == bottomUp);

  ExpectSamePixels(DecodePng(EncodePng(Pattern(9, 5, 24, RowOrder::TopDown))), bottomUp,
                   "top-down");
  ExpectSamePixels(DecodePng(EncodePng(Pattern(9, 5, 32))), bottomUp, "32 bits");

  DIBitmap indexed(6, 3, 4);
  indexed.SetPalette({{10, 20, 30, 0}, {40, 50, 60, 0}});
  indexed.SetPixelIndex(5, 2, 1);
  ExpectSamePixels(DecodePng(EncodePng(indexed)), indexed, "4 bits");

  EXPECT_THROW(EncodePng(DIBitmap()), EInvalidGraphic);
}

TEST(PngCodec, DecodesGreyPaletteSixteenBitAlphaAndInterlacedFiles) {
  using testdata::ReadFile;
  const std::vector<TColor> small = {RGB(255, 0, 0),     RGB(0, 255, 0),   RGB(0, 0, 255),
                                     RGB(255, 255, 255), RGB(0, 0, 0),     RGB(128, 64, 32),
                                     RGB(10, 20, 30),    RGB(200, 100, 50)};
  // Alpha is dropped: the half-transparent pixels keep their stored colour.
  for (const char* name : {"palette.png", "rgb16.png", "rgba.png"}) {
    const DIBitmap bmp = DecodePng(ReadFile(name));
    ASSERT_EQ(bmp.Width(), 4) << name;
    ASSERT_EQ(bmp.Height(), 2) << name;
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(bmp.Pixel(i % 4, i / 4), small[i]) << name << " pixel " << i;
  }

  const int greys[8] = {0, 50, 100, 150, 200, 250, 255, 7};
  const DIBitmap grey = DecodePng(ReadFile("grey.png"));
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(grey.Pixel(i % 4, i / 4), RGB(greys[i], greys[i], greys[i]));

  const DIBitmap interlaced = DecodePng(ReadFile("interlaced.png"));
  ASSERT_EQ(interlaced.Width(), 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(interlaced.Pixel(x, y),
                RGB(testdata::FixtureRed(x), testdata::FixtureGreen(y), testdata::kFixtureBlue));
}

TEST(PngCodec, FilesRoundTripAndMissingFilesRaise) {
  const std::string path = testing::TempDir() + "snipwell_png_codec_test.png";
  const DIBitmap bmp = Pattern(7, 7);
  WritePngFile(bmp, path);
  EXPECT_TRUE(ReadPngFile(path) == bmp);
  std::remove(path.c_str());
  EXPECT_THROW(ReadPngFile(path), Exception);
  EXPECT_THROW(WritePngFile(bmp, "/nonexistent-folder-of-snipwell/x.png"), Exception);
}

TEST(PngCodec, EveryTruncationIsRefused) {
  const std::vector<std::vector<uint8_t>> files = {EncodePng(Pattern(12, 6)),
                                                   testdata::ReadFile("interlaced.png")};
  testdata::ExpectEveryTruncationRefused(
      files, [](const std::vector<uint8_t>& bytes) { return DecodePng(bytes); });
}

TEST(PngCodec, CorruptBytesAndHugeHeadersAreRefused) {
  const std::vector<uint8_t> file = EncodePng(Pattern(8, 8));
  for (size_t i = 0; i < file.size(); ++i) {
    std::vector<uint8_t> bad = file;
    bad[i] ^= 0x10;
    // Every chunk carries a CRC, so any flipped bit of a critical chunk is caught.
    try {
      const DIBitmap bmp = DecodePng(bad);
      ADD_FAILURE() << "flipped byte " << i << " accepted";
    } catch (const EInvalidGraphic&) {
    }
  }
  EXPECT_THROW(DecodePng(nullptr, 0), EInvalidGraphic);
  EXPECT_THROW(DecodePng(testdata::ReadFile("baseline.jpg")), EInvalidGraphic);

  // IHDR data starts at 16 (width, height), its CRC at 29. 30000 per side passes the side limit
  // but not the byte limit; 40000 fails the side limit. Both are refused as invalid pictures
  // before a bitmap is made.
  for (uint32_t side : {30000u, 40000u}) {
    std::vector<uint8_t> huge = file;
    PutBig32(huge, 16, side);
    PutBig32(huge, 20, side);
    PutBig32(huge, 29, Crc32(huge.data() + 12, 17));
    EXPECT_THROW(DecodePng(huge), EInvalidGraphic) << side;
  }
}

}  // namespace
}  // namespace platform
