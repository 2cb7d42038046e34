// Hue rotation and saturation, alone and as the manager applies them to a loaded skin.

#include "skin/data/sColorAdjust.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

TEST(ColorAdjustTest, HueRotation) {
  EXPECT_EQ(AdjustHue(kRed, 120), kGreen);
  EXPECT_EQ(AdjustHue(kRed, -120), kBlue);
  EXPECT_EQ(AdjustHue(kRed, 360), kRed);
  EXPECT_EQ(AdjustHue(kRed, 0), kRed);
  EXPECT_EQ(AdjustHue(0x808080, 77), 0x808080);  // greys never change
  EXPECT_EQ(AdjustHue(0, 77), 0);
  // The rotated hue is rounded to whole degrees, so a full turn keeps only colours whose hue is
  // whole: 0xCAAB77 has a hue of 202.4 and comes back with 202 (the manager skips full turns).
  EXPECT_EQ(AdjustHue(0xCAAB77, 360), AdjustHue(0xCAAB77, 720));
  EXPECT_NE(AdjustHue(0xCAAB77, 360), 0xCAAB77);
  EXPECT_EQ(AdjustHue(kRed, 2147483647), AdjustHue(kRed, 2147483647 % 360));
  // Halfway hues: yellow ($00FFFF) is 60 degrees, cyan 180.
  EXPECT_EQ(AdjustHue(kRed, 60), 0x00FFFF);
  EXPECT_EQ(AdjustHue(kGreen, 60), 0xFFFF00);
  EXPECT_EQ(AdjustHue(0x7F3F1F, 120) >> 24, 0);  // results have a zero high byte
  // A system colour is resolved before it is rotated.
  EXPECT_EQ(AdjustHue(platform::clHighlight, 360), platform::ColorToRGB(platform::clHighlight));
}

TEST(ColorAdjustTest, SaturationAndItsEffectiveAmount) {
  EXPECT_EQ(SaturationAmount(0), 0);
  EXPECT_EQ(SaturationAmount(1), -1);
  EXPECT_EQ(SaturationAmount(100), -100);
  EXPECT_EQ(SaturationAmount(-100), 100);
  EXPECT_EQ(SaturationAmount(101), 0);
  EXPECT_EQ(SaturationAmount(150), -49);
  EXPECT_EQ(SaturationAmount(-2147483647 - 1), static_cast<int>(2147483648LL % 101));

  EXPECT_EQ(AdjustSaturation(kRed, 100), 0x555555);  // grey of the channel mean, 85
  EXPECT_EQ(AdjustSaturation(kRed, 0), kRed);
  EXPECT_EQ(AdjustSaturation(0x808080, -100), 0x808080);
  // 10 + 50 x ((20 - 10) / 100) = 15; 30 + 50 x ((20 - 30) / 100) = 25.
  EXPECT_EQ(AdjustSaturation(0x1E140A, 50), 0x19140F);
  // Away from the mean, limited to 0..255.
  EXPECT_EQ(AdjustSaturation(0x00FFC8, -100), 0x00FFF8);
  // Ties go to even: 1 + 50 x ((2 - 1) / 100) = 1.5 -> 2, 3 + 50 x (-1 / 100) = 2.5 -> 2.
  EXPECT_EQ(AdjustSaturation(0x030201, 50), 0x020202);
}

TEST(ColorAdjustTest, BitmapPassesKeepMagentaAndGreyPixels) {
  platform::DIBitmap dib(4, 1, 24);
  dib.SetPixel(0, 0, platform::clFuchsia);
  dib.SetPixel(1, 0, 0x777777);
  dib.SetPixel(2, 0, kRed);
  dib.SetPixel(3, 0, 0xFF00FE);
  AdjustBitmapHue(dib, 120);
  EXPECT_EQ(dib.Pixel(0, 0), platform::clFuchsia);
  EXPECT_EQ(dib.Pixel(1, 0), 0x777777);
  EXPECT_EQ(dib.Pixel(2, 0), kGreen);
  EXPECT_NE(dib.Pixel(3, 0), 0xFF00FE);
  AdjustBitmapSaturation(dib, 100);
  EXPECT_EQ(dib.Pixel(0, 0), platform::clFuchsia);
  EXPECT_EQ(dib.Pixel(2, 0), 0x555555);
}

class SkinColorTest : public SkinManagerFixture {
 protected:
  void SetUp() override {
    SkinManagerFixture::SetUp();
    TsStoredSkin* skin = AddTestSkin(manager.get(), "BlueIce (internal)");
    TsSkinGeneral* form = skin->GeneralData()->Items(1);
    form->GradientData = "255;65280;100;0;0;16711680;255;0";  // one segment and three stray words
    form->HotGradientData = "255;65280;100;0;0";
    form->ShadowColor = kRed;
    form->BorderColor1 = kRed;
    manager->SetSkinName("BlueIce (internal)");
  }
  const TsGeneralData& Form() const { return Tables().Sections[1]; }
};

TEST_F(SkinColorTest, HueOffsetRecoloursTheTablesOnceFromStoredData) {
  const std::vector<uint8_t> jpegBefore = Tables().Patterns[0].Img->Bytes();
  const int16_t boxChecked = Tables().CommonIndices().BoxChecked;
  ASSERT_GE(boxChecked, 0);
  log.clear();
  auto* form = new RecordingForm(app.get(), &log);
  manager->SetHueOffset(120);
  EXPECT_EQ(Commands(), (std::vector<int>{SKC_STOPFADE, SKC_REFRESH}));
  // Only a refresh is announced, so the check boxes keep the glyph indices they have.
  EXPECT_EQ(Tables().CommonIndices().BoxChecked, boxChecked);
  EXPECT_EQ(Form().Color, kGreen);
  EXPECT_EQ(Form().HotColor, AdjustHue(0xCAAB77, 120));
  EXPECT_EQ(Form().FontColor, (TsFontColors{0, AdjustHue(16768169, 120), -1, -1, -1}));
  EXPECT_EQ(Form().GradientArray[0].StartColor, kGreen);
  EXPECT_EQ(Form().GradientArray[0].EndColor, kBlue);
  EXPECT_EQ(Form().HotGradientArray[0].StartColor, kGreen);
  EXPECT_EQ(Form().ShadowColor, kRed);  // not adjusted
  EXPECT_EQ(Form().BorderColor1, kRed);
  EXPECT_EQ(manager->SkinData().Shadow1Color, AdjustHue(5061670, 120));
  EXPECT_EQ(Tables().MasterBitmap->DIB().Pixel(2, 0), kGreen);
  EXPECT_EQ(Tables().MasterBitmap->DIB().Pixel(0, 0), platform::clFuchsia);
  EXPECT_EQ(Tables().MasterBitmap->DIB().Pixel(1, 0), 0x808080);
  const int huge = Tables().FindMaskExact("BUTTON_HUGE", "BORDERSMASK");
  EXPECT_EQ(Tables().Masks[huge].Bmp->DIB().Pixel(2, 0), kGreen);
  EXPECT_EQ(Tables().Patterns[0].Img->Bytes(), jpegBefore);  // patterns keep their colours

  // 30 and then 60 is a rotation of 60, not 90; 360 is the stored skin again.
  manager->SetHueOffset(30);
  manager->SetHueOffset(60);
  EXPECT_EQ(Form().Color, 0x00FFFF);
  manager->SetHueOffset(360);
  EXPECT_EQ(Form().Color, kRed);
  EXPECT_EQ(Form().HotColor, 0xCAAB77);  // a full turn is no turn, whole degrees or not
  EXPECT_EQ(manager->SkinData().Shadow1Color, 5061670);
  EXPECT_EQ(Tables().MasterBitmap->DIB().Pixel(2, 0), kRed);
  (void)form;
}

TEST_F(SkinColorTest, SaturationGoesBackToTheStoredColours) {
  manager->SetSaturation(-100);
  EXPECT_EQ(Form().Color, 0x555555);
  EXPECT_EQ(Tables().MasterBitmap->DIB().Pixel(2, 0), 0x555555);
  manager->SetSaturation(20);
  EXPECT_NE(Form().HotColor, 0xCAAB77);
  manager->SetSaturation(0);
  EXPECT_EQ(Form().Color, kRed);
  EXPECT_EQ(Form().HotColor, 0xCAAB77);
  EXPECT_EQ(Form().FontColor[1], 16768169);
  manager->SetSaturation(101);  // wraps to no change
  EXPECT_EQ(Form().Color, kRed);
}

TEST_F(SkinColorTest, WithoutAReadySkinOnlyTheValueIsStoredAndTheNextLoadAppliesIt) {
  manager->SetActive(false);
  manager->SetHueOffset(120);
  EXPECT_TRUE(Tables().Sections.empty());
  manager->SetActive(true);
  EXPECT_EQ(Form().Color, kGreen);
}

}  // namespace
}  // namespace skin::test
