// A stored skin loaded on a dense display: its pictures enlarged by repeated pixels, its
// rectangles and margins grown with them, the rest of its tables as at factor 1; and a colour
// adjustment reloads from the stored data, scaled once.

#include <vector>

#include "framework/graphics/DisplayScale.h"
#include "tests/app/BarFixture.h"

namespace {

using platform::DIBitmap;
using snipwell::test::BarTest;

// What a loaded skin's tables hold, copied so that a later load cannot change it.
struct Tables {
  DIBitmap master;
  std::vector<skin::TsMaskData> masks;  // without their pictures
  std::vector<DIBitmap> ownPictures;
  std::vector<DIBitmap> patterns;
  skin::TsSkinData data;
};

Tables Snapshot(const skin::TsSkinManager& m) {
  Tables t;
  t.master = m.Tables().MasterBitmap->DIB();
  for (const skin::TsMaskData& mask : m.Tables().Masks) {
    skin::TsMaskData copy;
    copy.R = mask.R;
    copy.BorderWidth = mask.BorderWidth;
    copy.WL = mask.WL;
    copy.WT = mask.WT;
    copy.WR = mask.WR;
    copy.WB = mask.WB;
    copy.ImageCount = mask.ImageCount;
    copy.MaskType = mask.MaskType;
    copy.SectionName = mask.SectionName;
    t.masks.push_back(std::move(copy));
    t.ownPictures.push_back(mask.Bmp ? mask.Bmp->DIB() : DIBitmap());
  }
  for (const skin::TsPatternData& p : m.Tables().Patterns) t.patterns.push_back(p.Img->DIB());
  t.data = m.SkinData();
  return t;
}

// Whether big is small with every pixel repeated n times each way.
bool IsEnlarged(const DIBitmap& small, const DIBitmap& big, int n) {
  if (big.Width() != small.Width() * n || big.Height() != small.Height() * n) return false;
  for (int y = 0; y < big.Height(); ++y)
    for (int x = 0; x < big.Width(); ++x)
      if (big.Pixel(x, y) != small.Pixel(x / n, y / n)) return false;
  return true;
}

class ScaledSkinTables : public BarTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void TearDown() override {
    BarTest::TearDown();
    framework::SetDisplayScale(1);
  }
};

TEST_P(ScaledSkinTables, PicturesAreRepeatedPixelsAndGeometryGrowsWithThem) {
  snipwell::test::WriteConfig("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  Start();
  skin::TsSkinManager& m = *Form1->sSkinManager1;
  m.SetSkinName(GetParam());
  const Tables one = Snapshot(m);
  framework::SetDisplayScale(2);
  m.SetSkinName(GetParam());
  const Tables two = Snapshot(m);

  EXPECT_TRUE(IsEnlarged(one.master, two.master, 2));
  ASSERT_EQ(one.masks.size(), two.masks.size());
  for (size_t i = 0; i < one.masks.size(); ++i) {
    const skin::TsMaskData& a = one.masks[i];
    const skin::TsMaskData& b = two.masks[i];
    SCOPED_TRACE(a.SectionName);
    EXPECT_EQ(b.R, (platform::TRect{a.R.Left * 2, a.R.Top * 2, a.R.Right * 2, a.R.Bottom * 2}));
    EXPECT_EQ(b.BorderWidth, a.BorderWidth * 2);
    EXPECT_EQ((std::vector<int>{b.WL, b.WT, b.WR, b.WB}),
              (std::vector<int>{a.WL * 2, a.WT * 2, a.WR * 2, a.WB * 2}));
    EXPECT_EQ(b.ImageCount, a.ImageCount);
    EXPECT_EQ(b.MaskType, a.MaskType);
    EXPECT_TRUE(IsEnlarged(one.ownPictures[i], two.ownPictures[i], 2));
  }
  ASSERT_EQ(one.patterns.size(), two.patterns.size());
  for (size_t i = 0; i < one.patterns.size(); ++i)
    EXPECT_TRUE(IsEnlarged(one.patterns[i], two.patterns[i], 2)) << i;
  EXPECT_EQ(two.data.Shadow1Offset, one.data.Shadow1Offset * 2);

  // A colour adjustment loads again from the stored data: scaled once, not twice.
  m.SetHueOffset(40);
  EXPECT_EQ(m.Tables().MasterBitmap->Width(), one.master.Width() * 2);
  ASSERT_EQ(m.Tables().Masks.size(), one.masks.size());
  for (size_t i = 0; i < one.masks.size(); ++i)
    EXPECT_EQ(m.Tables().Masks[i].R.Right, one.masks[i].R.Right * 2);
  EXPECT_TRUE(reports.empty());
}

INSTANTIATE_TEST_SUITE_P(Skins, ScaledSkinTables,
                         ::testing::Values("BlueIce (internal)", "BlueGauze (internal)",
                                           "BluePlastic (internal)"));

}  // namespace
