#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/Picture.h"
#include "platform/images/ImageCodecs.h"

namespace framework {
namespace {

using platform::DIBitmap;
using platform::TColor;

// Four flat quadrants, 16 x 16 each: JPEG keeps flat 8 x 8 blocks almost exactly.
DIBitmap Quadrants() {
  DIBitmap b(32, 32);
  const TColor colors[4] = {platform::RGB(200, 40, 40), platform::RGB(40, 200, 40),
                            platform::RGB(40, 40, 200), platform::RGB(220, 220, 220)};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) b.SetPixel(x, y, colors[(y / 16) * 2 + x / 16]);
  return b;
}

bool Near(TColor a, TColor b, int tolerance) {
  return std::abs(platform::GetRValue(a) - platform::GetRValue(b)) <= tolerance &&
         std::abs(platform::GetGValue(a) - platform::GetGValue(b)) <= tolerance &&
         std::abs(platform::GetBValue(a) - platform::GetBValue(b)) <= tolerance;
}

TEST(JPEGImageTest, LoadsDrawsAndSavesTheSameBytes) {
  const std::vector<uint8_t> bytes = platform::EncodeJpeg(Quadrants(), 95);
  TJPEGImage jpeg;
  EXPECT_TRUE(jpeg.Empty());
  int changes = 0;
  jpeg.OnChange = [&](TObject*) { ++changes; };
  jpeg.LoadFromStream(bytes);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(jpeg.Width(), 32);
  EXPECT_EQ(jpeg.Height(), 32);
  std::vector<uint8_t> saved;
  jpeg.SaveToStream(saved);
  EXPECT_EQ(saved, bytes);

  TBitmap target(40, 40);
  target.Canvas()->Draw(4, 4, &jpeg);
  const DIBitmap original = Quadrants();
  // Away from the quadrant edges, where subsampled chroma blurs.
  for (int y = 0; y < 32; y += 3) {
    for (int x = 0; x < 32; x += 3) {
      if (x % 16 >= 3 && x % 16 <= 12 && y % 16 >= 3 && y % 16 <= 12) {
        EXPECT_TRUE(Near(target.DIB().Pixel(x + 4, y + 4), original.Pixel(x, y), 8))
            << x << "," << y;
      }
    }
  }
  EXPECT_EQ(target.DIB().Pixel(3, 3), platform::clWhite);
  target.Canvas()->StretchDraw({0, 0, 8, 8}, &jpeg);
  EXPECT_TRUE(Near(target.DIB().Pixel(7, 7), platform::RGB(220, 220, 220), 8));
  EXPECT_THROW(jpeg.SetWidth(10), EInvalidGraphicOperation);

  EXPECT_THROW(jpeg.LoadFromStream(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 200)),
               EInvalidGraphic);
  EXPECT_EQ(jpeg.Width(), 32);  // still the old picture

  // Description data: a 32-bit length, then the file.
  const std::vector<uint8_t> data = jpeg.WriteData();
  ASSERT_EQ(data.size(), bytes.size() + 4);
  EXPECT_EQ(static_cast<size_t>(data[0] | (data[1] << 8) | (data[2] << 16)), bytes.size());
  TJPEGImage fromData;
  fromData.ReadData(data);
  EXPECT_EQ(fromData.Bytes(), bytes);
  EXPECT_THROW(fromData.ReadData({1, 2}), EInvalidGraphic);
}

TEST(JPEGImageTest, AssignBetweenImagesAndBitmaps) {
  TJPEGImage jpeg;
  jpeg.LoadFromStream(platform::EncodeJpeg(Quadrants(), 90));
  TJPEGImage copy;
  copy.Assign(&jpeg);
  EXPECT_EQ(copy.Bytes(), jpeg.Bytes());
  EXPECT_EQ(&copy.DIB(), &jpeg.DIB());  // the decoded pixels are shared

  TBitmap bitmap;
  bitmap.Assign(&jpeg);
  EXPECT_EQ(bitmap.Width(), 32);
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(bitmap.DIB().Pixel(20, 20), jpeg.DIB().Pixel(20, 20));

  TBitmap flat(16, 8);
  flat.Canvas()->Brush()->SetColor(platform::RGB(10, 100, 200));
  flat.Canvas()->FillRect({0, 0, 16, 8});
  TJPEGImage compressed;
  compressed.Assign(&flat);
  EXPECT_EQ(compressed.Width(), 16);
  ASSERT_GE(compressed.Bytes().size(), 2u);
  EXPECT_EQ(compressed.Bytes()[0], 0xFF);
  EXPECT_TRUE(Near(compressed.DIB().Pixel(5, 5), platform::RGB(10, 100, 200), 4));
  compressed.Assign(nullptr);
  EXPECT_TRUE(compressed.Empty());
}

// A 48 x 48 icon: a blue square with a transparent 8 x 8 hole at (10, 20).
std::unique_ptr<TIcon> MakeIcon() {
  DIBitmap image(48, 48);
  DIBitmap mask(48, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) {
      image.SetPixel(x, y, platform::RGB(x * 5, 0, 200));
      if (x >= 10 && x < 18 && y >= 20 && y < 28) mask.SetPixel(x, y, platform::clWhite);
    }
  auto icon = std::make_unique<TIcon>();
  icon->SetImage(image, &mask);
  return icon;
}

TEST(IconTest, DrawingHonoursTheMask) {
  const auto made = MakeIcon();
  TIcon& icon = *made;
  EXPECT_EQ(icon.Width(), 48);
  EXPECT_EQ(icon.Mask().BitsPerPixel(), 1);
  EXPECT_EQ(icon.Mask().Pixel(12, 22), platform::clWhite);
  TBitmap target(50, 50);
  target.Canvas()->Brush()->SetColor(platform::clYellow);
  target.Canvas()->FillRect({0, 0, 50, 50});
  target.Canvas()->Draw(1, 1, &icon);
  EXPECT_EQ(target.DIB().Pixel(1, 1), platform::RGB(0, 0, 200));
  EXPECT_EQ(target.DIB().Pixel(11, 21), platform::clYellow);  // the hole
  EXPECT_EQ(target.DIB().Pixel(18, 28), platform::clYellow);
  EXPECT_EQ(target.DIB().Pixel(19, 29), platform::RGB(90, 0, 200));
  EXPECT_EQ(target.DIB().Pixel(49, 49), platform::clYellow);

  DIBitmap small(4, 4);
  EXPECT_THROW(icon.SetImage(DIBitmap(48, 48), &small), EInvalidGraphic);
  EXPECT_THROW(icon.SetImage(DIBitmap(300, 2), nullptr), EInvalidGraphic);
  EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);
}

TEST(IconTest, IcoFilesRoundTripAndBadOnesAreRefused) {
  const auto made = MakeIcon();
  const TIcon& icon = *made;
  std::vector<uint8_t> file;
  icon.SaveToStream(file);
  ASSERT_EQ(file.size(), 6u + 16 + 40 + 48 * 48 * 3 + 48 * 8);
  TIcon loaded;
  loaded.LoadFromStream(file);
  EXPECT_EQ(loaded.Image(), icon.Image());
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x)
      ASSERT_EQ(loaded.Mask().Pixel(x, y), icon.Mask().Pixel(x, y)) << x << "," << y;

  // Every truncation is refused, and the icon keeps its picture.
  for (size_t size : {size_t{3}, size_t{10}, size_t{30}, size_t{100}, file.size() - 1}) {
    EXPECT_THROW(loaded.LoadFromStream(file.data(), size), EInvalidGraphic) << size;
    EXPECT_EQ(loaded.Width(), 48);
  }
  std::vector<uint8_t> cursor = file;
  cursor[2] = 2;
  EXPECT_THROW(loaded.LoadFromStream(cursor), EInvalidGraphic);
  std::vector<uint8_t> huge = file;
  huge[6 + 16 + 4] = 0x01;  // width 257
  huge[6 + 16 + 5] = 0x01;
  EXPECT_THROW(loaded.LoadFromStream(huge), EInvalidGraphic);
}

// An icon file with two images: 16 x 16 at 24 bits, then 48 x 48 at 32 bits whose alpha marks
// the left half transparent and whose AND mask is clear.
std::vector<uint8_t> TwoImageIco() {
  std::vector<uint8_t> out;
  auto put16 = [&](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto put32 = [&](uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  const uint32_t small = 40 + 16 * 16 * 3 + 16 * 4;
  const uint32_t large = 40 + 48 * 48 * 4 + 48 * 8;
  put16(0), put16(1), put16(2);
  const uint32_t sizes[2][3] = {{16, 24, small}, {48, 32, large}};
  uint32_t offset = 6 + 2 * 16;
  for (const auto& s : sizes) {
    out.push_back(static_cast<uint8_t>(s[0])), out.push_back(static_cast<uint8_t>(s[0]));
    out.push_back(0), out.push_back(0);
    put16(1), put16(s[1]), put32(s[2]), put32(offset);
    offset += s[2];
  }
  for (const auto& s : sizes) {
    const uint32_t side = s[0], bits = s[1];
    put32(40), put32(side), put32(2 * side), put16(1), put16(bits);
    for (int i = 0; i < 6; ++i) put32(0);
    for (uint32_t y = 0; y < side; ++y)
      for (uint32_t x = 0; x < side; ++x) {
        out.push_back(static_cast<uint8_t>(x)), out.push_back(static_cast<uint8_t>(bits)),
            out.push_back(9);
        if (bits == 32) out.push_back(x < side / 2 ? 0 : 255);
      }
    const uint32_t maskRow = side == 16 ? 4 : 8;
    out.insert(out.end(), maskRow * side, 0);
  }
  return out;
}

TEST(IconTest, ReadingPicksTheFortyEightPixelImageAndHonoursAlpha) {
  TIcon icon;
  icon.LoadFromStream(TwoImageIco());
  ASSERT_EQ(icon.Width(), 48);
  EXPECT_EQ(icon.Image().BitsPerPixel(), 24);
  EXPECT_EQ(icon.Image().Pixel(30, 5), platform::RGB(9, 32, 30));
  EXPECT_EQ(icon.Mask().Pixel(23, 40), platform::clWhite);
  EXPECT_EQ(icon.Mask().Pixel(24, 40), platform::clBlack);
}

TEST(PictureTest, DetectsTheFormatAndKeepsItsGraphicOnFailure) {
  TBitmap bitmap(3, 2);
  std::vector<uint8_t> bmp;
  bitmap.SaveToStream(bmp);
  const std::vector<uint8_t> jpeg = platform::EncodeJpeg(Quadrants());
  std::vector<uint8_t> ico;
  MakeIcon()->SaveToStream(ico);

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.LoadFromStream(bmp);
  EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 3);
  picture.LoadFromStream(jpeg);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Height(), 32);
  picture.LoadFromStream(ico);
  EXPECT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
  EXPECT_EQ(changes, 3);

  EXPECT_THROW(picture.LoadFromStream(std::vector<uint8_t>{'G', 'I', 'F', '8'}), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromStream(std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 50)),
               EInvalidGraphic);
  EXPECT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
  EXPECT_EQ(changes, 3);

  // The graphic's own changes reach the picture's listener.
  TBitmap* own = picture.Bitmap();  // the icon is replaced by an empty bitmap
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(own->Empty());
  own->SetSize(5, 5);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(picture.Width(), 5);
  picture.LoadFromStream(std::vector<uint8_t>());
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
}

TEST(PictureTest, AssignCopiesAndDataNamesTheGraphicClass) {
  TJPEGImage jpeg;
  jpeg.LoadFromStream(platform::EncodeJpeg(Quadrants()));
  TPicture picture;
  picture.Assign(&jpeg);
  ASSERT_NE(picture.Graphic(), &jpeg);
  EXPECT_EQ(picture.Graphic()->ClassName(), "TJPEGImage");
  const std::vector<uint8_t> data = picture.WriteData();
  ASSERT_GT(data.size(), 11u + 4);
  EXPECT_EQ(std::string(data.begin(), data.begin() + 11), "\x0ATJPEGImage");

  TPicture other;
  other.ReadData(data);
  EXPECT_EQ(static_cast<TJPEGImage*>(other.Graphic())->Bytes(), jpeg.Bytes());
  TPicture copy;
  copy.Assign(&other);
  EXPECT_EQ(copy.Width(), 32);
  TBitmap target;
  target.Assign(&copy);  // a picture assigns its graphic
  EXPECT_EQ(target.Width(), 32);

  EXPECT_THROW(other.ReadData({5, 'T', 'G', 'I', 'F', 'X', 0, 0, 0, 0}), EInvalidGraphic);
  EXPECT_THROW(other.ReadData({20, 'T'}), EInvalidGraphic);
  EXPECT_EQ(other.Width(), 32);
  copy.Assign(nullptr);
  EXPECT_EQ(copy.Graphic(), nullptr);
  EXPECT_TRUE(copy.WriteData().empty());
}

}  // namespace
}  // namespace framework
