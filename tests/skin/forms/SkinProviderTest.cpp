// The form skin provider on a borderless form: its image from section FORM, its answers to the
// controls, the manager's announcements, and the form's colour with and without a skin.

#include <gtest/gtest.h>

#include "platform/windows/Paint.h"
#include "tests/skin/SkinnedFormFixture.h"

namespace skin::test {
namespace {

using SkinProviderTest = SkinnedFormTest;

// FORM as one flat colour: 0x123456 while the form is active, no texture.
void FlatForm(TsStoredSkin* skin) {
  TsSkinGeneral* form = StoredSection(skin, "FORM");
  form->ImagePercent = 0;
  form->HotImagePercent = 0;
  form->HotColor = 0x123456;
}

TEST_F(SkinProviderTest, ABorderlessFormPaintsFromFormAndAnswersWithItsImageAtZeroZero) {
  adjust = FlatForm;
  ShowSkinned();
  EXPECT_TRUE(provider->SkinData()->BoundToActiveSkin());
  const platform::DIBitmap& screen = desktop->Find(form->Handle())->screen;
  EXPECT_EQ(screen.Pixel(250, 100), 0x123456);  // active: the hot colour
  ParentCache() = {};
  SendSkinCommand(form, SKC_GETCACHE);
  EXPECT_TRUE(ParentCache().Ready);
  EXPECT_EQ(ParentCache().Bitmap, provider->SkinData()->CacheBitmap.get());
  EXPECT_EQ(ParentCache().X, 0);
  EXPECT_EQ(ParentCache().Y, 0);
  EXPECT_EQ(ParentCache().Bitmap->Width(), 300);
}

TEST_F(SkinProviderTest, TheSizeLimitsTheFormLeavesOpenComeFromTheWorkArea) {
  ShowSkinned();
  desktop->SetWorkArea({0, 30, 1023, 994});
  platform::MINMAXINFO info;
  info.ptMaxPosition = info.ptMaxTrackSize = {5000, 5000};
  info.ptMinTrackSize = {7, 8};
  form->Perform(platform::WM_GETMINMAXINFO, 0, reinterpret_cast<platform::LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize, (platform::TPoint{1023, 964}));
  EXPECT_EQ(info.ptMaxPosition, (platform::TPoint{0, 30}));
  EXPECT_EQ(info.ptMinTrackSize, (platform::TPoint{7, 8}));  // left as it was
}

TEST_F(SkinProviderTest, ARefreshShowsTheNewImageOnTheWholeForm) {
  adjust = [](TsStoredSkin* skin) {
    FlatForm(skin);
    // A grey global colour keeps its hue: the form's Color does not change and invalidate it.
    StoredSection(skin, "GLOBALINFO")->Color = 0x808080;
  };
  ShowSkinned();
  const platform::DIBitmap& screen = desktop->Find(form->Handle())->screen;
  ASSERT_EQ(screen.Pixel(250, 100), 0x123456);
  manager->SetHueOffset(120);  // recoloured and refreshed, not announced anew
  Pump();
  EXPECT_NE(screen.Pixel(250, 100), 0x123456);
  EXPECT_EQ(screen.Pixel(250, 100),
            manager->Tables()
                .Sections[static_cast<size_t>(manager->Tables().FindSection("FORM"))]
                .HotColor);
}

TEST_F(SkinProviderTest, TheFormStandsForItsHotColourActiveOrNot) {
  ShowSkinned();
  platform::SendMessage(form->Handle(), platform::WM_ACTIVATE, platform::WA_INACTIVE, 0);
  EXPECT_FALSE(provider->FormActive());
  ColorSlot() = kColorSlotUnset;
  SendSkinCommand(form, SKC_GETCOLOR);
  EXPECT_EQ(ColorSlot(), 0xCAAB77);
  // Deactivation renders the image again with the normal values.
  EXPECT_FALSE(provider->SkinData()->BackgroundDirty);
}

TEST_F(SkinProviderTest, TheFormTakesTheGlobalColourAndRemovalGivesItButtonFace) {
  ShowSkinned();
  EXPECT_EQ(form->Color(), manager->Tables().GlobalBackgroundColor());
  manager->SetActive(false);
  EXPECT_EQ(form->Color(), platform::clBtnFace);
  EXPECT_FALSE(provider->SkinData()->BoundToSection());
  // The plain form paints itself in its own colour.
  Pump();
  EXPECT_EQ(desktop->Find(form->Handle())->screen.Pixel(250, 100),
            platform::ColorToRGB(platform::clBtnFace));
}

TEST_F(SkinProviderTest, AnnouncementsOfAnotherManagerAreIgnored) {
  ShowSkinned();
  auto* other = framework::Create<TsSkinManager>(form);
  platform::SendMessage(form->Handle(), SM_SKINCMD, SkinWParam(SKC_REFRESH),
                        reinterpret_cast<platform::LPARAM>(other));
  EXPECT_FALSE(provider->SkinData()->BackgroundDirty);
  platform::SendMessage(form->Handle(), SM_SKINCMD, SkinWParam(SKC_REMOVESKIN),
                        reinterpret_cast<platform::LPARAM>(other));
  EXPECT_TRUE(provider->SkinData()->BoundToActiveSkin());
  platform::SendMessage(form->Handle(), SM_SKINCMD, SkinWParam(SKC_REFRESH),
                        reinterpret_cast<platform::LPARAM>(manager));
  EXPECT_FALSE(provider->SkinData()->BackgroundDirty);  // rendered again at once
}

TEST_F(SkinProviderTest, MovingTheFormKeepsItsImageAndResizingRendersItAgain) {
  ShowSkinned();
  const framework::TBitmap* cache = provider->SkinData()->CacheBitmap.get();
  form->SetBounds(150, 150, 300, 120);
  EXPECT_FALSE(provider->SkinData()->BackgroundDirty);
  form->SetBounds(150, 150, 320, 130);
  EXPECT_EQ(cache->Width(), 320);
  EXPECT_EQ(cache->Height(), 130);
}

TEST_F(SkinProviderTest, WithoutAManagerTheFormPaintsItselfAndDestructionGivesBackItsProcedure) {
  MakeForm();
  MakeControls();
  form->Show();
  Pump();
  EXPECT_FALSE(provider->SkinData()->BoundToSection());
  EXPECT_EQ(desktop->Find(form->Handle())->screen.Pixel(250, 100),
            platform::ColorToRGB(platform::clBtnFace));
  EXPECT_TRUE(QuerySkinCommand(form, SKC_ISSKINNED));
  delete provider;
  EXPECT_FALSE(QuerySkinCommand(form, SKC_ISSKINNED));
  form->Invalidate();
  Pump();
}

}  // namespace
}  // namespace skin::test
