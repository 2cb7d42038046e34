#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "CodecTestData.h"
#include "platform/Exception.h"
#include "platform/images/ImageCodecs.h"

namespace platform {
namespace {

DIBitmap Gradient(int width, int height, RowOrder order = RowOrder::BottomUp) {
  DIBitmap bmp(width, height, 24, order);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bmp.SetPixel(x, y, RGB(x * 255 / (width - 1), y * 255 / (height - 1), (x + y) * 2));
  return bmp;
}

struct Difference {
  int largest = 0;
  double mean = 0;
};

Difference Compare(const DIBitmap& a, const DIBitmap& b) {
  Difference d;
  long total = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TColor p = a.Pixel(x, y);
      const TColor q = b.Pixel(x, y);
      for (int channel :
           {std::abs(GetRValue(p) - GetRValue(q)), std::abs(GetGValue(p) - GetGValue(q)),
            std::abs(GetBValue(p) - GetBValue(q))}) {
        d.largest = std::max(d.largest, channel);
        total += channel;
      }
    }
  d.mean = static_cast<double>(total) / (3.0 * a.Width() * a.Height());
  return d;
}

bool HasMarker(const std::vector<uint8_t>& jpeg, uint8_t marker) {
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) return true;
  return false;
}

// The offset of the SOF0/SOF2 segment's height field.
size_t FrameSizeOffset(const std::vector<uint8_t>& jpeg) {
  for (size_t i = 0; i + 9 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) return i + 5;
  return 0;
}

TEST(JpegCodec, GradientSurvivesEncodingWithinTolerance) {
  const DIBitmap source = Gradient(64, 48);
  const std::vector<uint8_t> jpeg = EncodeJpeg(source, 90);
  ASSERT_GT(jpeg.size(), 20u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 11), std::string("JFIF\0", 5));
  EXPECT_TRUE(HasMarker(jpeg, 0xC0)) << "baseline frame";
  EXPECT_FALSE(HasMarker(jpeg, 0xC2)) << "no progressive frame";
  EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  EXPECT_EQ(jpeg.back(), 0xD9);

  const DIBitmap decoded = DecodeJpeg(jpeg);
  EXPECT_EQ(decoded.Width(), 64);
  EXPECT_EQ(decoded.Height(), 48);
  EXPECT_EQ(decoded.BitsPerPixel(), 24);
  const Difference d = Compare(source, decoded);
  EXPECT_LE(d.largest, 8);
  EXPECT_LE(d.mean, 1.5);
}

TEST(JpegCodec, QualityTradesSizeForFidelity) {
  const DIBitmap source = Gradient(64, 64);
  const std::vector<uint8_t> low = EncodeJpeg(source, 20);
  const std::vector<uint8_t> high = EncodeJpeg(source, 98);
  EXPECT_LT(low.size(), high.size());
  EXPECT_GT(Compare(source, DecodeJpeg(low)).mean, Compare(source, DecodeJpeg(high)).mean);
  EXPECT_EQ(EncodeJpeg(source, -5), EncodeJpeg(source, 1));
  EXPECT_EQ(EncodeJpeg(source, 1000), EncodeJpeg(source, 100));
}

TEST(JpegCodec, EncodesEveryDepthAndRowOrderAlike) {
  const DIBitmap source = Gradient(20, 10);
  const std::vector<uint8_t> reference = EncodeJpeg(source);
  EXPECT_EQ(EncodeJpeg(Gradient(20, 10, RowOrder::TopDown)), reference);
  EXPECT_EQ(EncodeJpeg(source.ConvertedTo(32)), reference);

  DIBitmap indexed(4, 4, 8);
  indexed.SetPalette({{0, 0, 255, 0}, {255, 0, 0, 0}});
  for (int x = 0; x < 4; ++x) indexed.SetPixelIndex(x, 2, 1);
  EXPECT_EQ(EncodeJpeg(indexed), EncodeJpeg(indexed.ConvertedTo(24)));

  EXPECT_THROW(EncodeJpeg(DIBitmap()), EInvalidGraphic);
}

TEST(JpegCodec, DecodesBaselineProgressiveAndGreyFiles) {
  using namespace testdata;
  for (const char* name : {"baseline.jpg", "progressive.jpg"}) {
    const DIBitmap bmp = DecodeJpeg(ReadFile(name));
    ASSERT_EQ(bmp.Width(), 16) << name;
    ASSERT_EQ(bmp.Height(), 16) << name;
    int largest = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const TColor c = bmp.Pixel(x, y);
        largest = std::max({largest, std::abs(GetRValue(c) - FixtureRed(x)),
                            std::abs(GetGValue(c) - FixtureGreen(y)),
                            std::abs(GetBValue(c) - kFixtureBlue)});
      }
    EXPECT_LE(largest, 8) << name;
  }

  const DIBitmap grey = DecodeJpeg(ReadFile("grey.jpg"));
  ASSERT_EQ(grey.Width(), 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const TColor c = grey.Pixel(x, y);
      EXPECT_EQ(GetRValue(c), GetGValue(c));
      EXPECT_EQ(GetRValue(c), GetBValue(c));
      EXPECT_NEAR(GetRValue(c), (x + y) * 8, 6) << x << "," << y;
    }
}

TEST(JpegCodec, RefusesCmykAndNonJpegData) {
  try {
    DecodeJpeg(testdata::ReadFile("cmyk.jpg"));
    ADD_FAILURE() << "CMYK accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("CMYK"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(DecodeJpeg(nullptr, 0), EInvalidGraphic);
  EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{}), EInvalidGraphic);
  EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}), EInvalidGraphic);
  EXPECT_THROW(DecodeJpeg(testdata::ReadFile("grey.png")), EInvalidGraphic);
  const std::vector<uint8_t> tablesOnly = {0xFF, 0xD8, 0xFF, 0xD9};
  EXPECT_THROW(DecodeJpeg(tablesOnly), EInvalidGraphic);
}

TEST(JpegCodec, EveryTruncationIsRefused) {
  const std::vector<std::vector<uint8_t>> files = {EncodeJpeg(Gradient(24, 16), 75),
                                                   testdata::ReadFile("progressive.jpg")};
  testdata::ExpectEveryTruncationRefused(
      files, [](const std::vector<uint8_t>& bytes) { return DecodeJpeg(bytes); });
}

TEST(JpegCodec, CorruptBytesDecodeOrThrowButNeverCrash) {
  const std::vector<uint8_t> file = EncodeJpeg(Gradient(32, 16), 80);
  int refused = 0;
  for (size_t i = 0; i < file.size(); ++i)
    for (uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> bad = file;
      bad[i] ^= flip;
      try {
        const DIBitmap bmp = DecodeJpeg(bad);
        EXPECT_GT(bmp.Width(), 0);
      } catch (const EInvalidGraphic&) {
        ++refused;
      }
    }
  EXPECT_GT(refused, 0);
}

TEST(JpegCodec, RefusesFramesBeyondTheBitmapLimits) {
  std::vector<uint8_t> file = EncodeJpeg(Gradient(16, 16));
  const size_t at = FrameSizeOffset(file);
  ASSERT_NE(at, 0u);
  // 30000 x 30000 is within the side limit but not the byte limit; 65000 is past both. Either is
  // an invalid picture, refused before a bitmap is made (which would raise EOutOfResources).
  for (int side : {30000, 65000}) {
    file[at] = file[at + 2] = static_cast<uint8_t>(side >> 8);
    file[at + 1] = file[at + 3] = static_cast<uint8_t>(side);
    EXPECT_THROW(DecodeJpeg(file), EInvalidGraphic) << side;
  }
}

TEST(JpegCodec, RefusesEndlessProgressiveScans) {
  // The progressive fixture's scans (with the tables between them) repeated: a few repeats
  // decode, hundreds of scans are refused instead of being re-run one after the other.
  const std::vector<uint8_t> file = testdata::ReadFile("progressive.jpg");
  size_t frame = FrameSizeOffset(file);
  ASSERT_NE(frame, 0u);
  size_t scansStart = frame;
  while (
      scansStart + 1 < file.size() &&
      !(file[scansStart] == 0xFF && (file[scansStart + 1] == 0xC4 || file[scansStart + 1] == 0xDA)))
    ++scansStart;
  ASSERT_LT(scansStart + 2, file.size());
  auto repeated = [&](int times) {
    std::vector<uint8_t> out(file.begin(), file.begin() + static_cast<ptrdiff_t>(scansStart));
    for (int i = 0; i < times; ++i)
      out.insert(out.end(), file.begin() + static_cast<ptrdiff_t>(scansStart), file.end() - 2);
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
  };
  EXPECT_EQ(DecodeJpeg(repeated(2)).Width(), 16);
  try {
    DecodeJpeg(repeated(100));
    ADD_FAILURE() << "hundreds of scans accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("scans"), std::string::npos) << e.Message();
  }
}

}  // namespace
}  // namespace platform
