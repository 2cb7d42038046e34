// The skinned check box: toggling only by a press and release on it, ReadOnly, its automatic
// size from the skin's glyph and its caption, and the glyph's states.

#include <gtest/gtest.h>

#include "skin/paint/sSkinText.h"
#include "tests/skin/controls/SkinnedButtonsFixture.h"

namespace skin::test {
namespace {

using SkinnedCheckBoxTest = SkinnedButtonsTest;

TEST_F(SkinnedCheckBoxTest, APressAndReleaseOnTheBoxTogglesItAndLeavingBetweenDoesNot) {
  ShowButtons(1);
  PointAt(box, 3, 5);
  Press();
  EXPECT_TRUE(box->Pressed());
  EXPECT_EQ(box->GlyphState(), 2);
  Release();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(toggles, 1);

  Press();
  PointAway();
  EXPECT_FALSE(box->Pressed());
  Release();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(toggles, 1);

  // Space: down presses, up toggles.
  box->SetFocus();
  desktop->KeyDown(platform::VK_SPACE);
  Pump();
  EXPECT_TRUE(box->Pressed());
  desktop->KeyUp(platform::VK_SPACE);
  Pump();
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(toggles, 2);
}

TEST_F(SkinnedCheckBoxTest, AKeyReleaseEndsAPressAndLosingTheFocusEndsItUntoggled) {
  ShowButtons(1);
  box->SetFocus();
  Pump();
  // Space down, then the release of another key: that release ends the press and toggles.
  desktop->KeyDown(platform::VK_SPACE);
  desktop->KeyDown(platform::VK_SHIFT);
  desktop->KeyUp(platform::VK_SHIFT);
  Pump();
  EXPECT_FALSE(box->Pressed());
  EXPECT_TRUE(box->Checked());
  desktop->KeyUp(platform::VK_SPACE);
  Pump();
  EXPECT_EQ(toggles, 1);

  // Space down, Tab, Space up: the focus moves on, and the press ends without a toggle.
  desktop->KeyDown(platform::VK_SPACE);
  Pump();
  ASSERT_TRUE(box->Pressed());
  desktop->Key(platform::VK_TAB);
  Pump();
  EXPECT_FALSE(box->Focused());
  EXPECT_FALSE(box->Pressed());
  EXPECT_EQ(box->GlyphState(), 0);
  desktop->KeyUp(platform::VK_SPACE);
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(toggles, 1);

  // While the box is being read from a description, Checked is left to State.
  box->framework::TComponent::SetState(framework::csLoading, true);
  box->SetChecked(false);
  box->framework::TComponent::SetState(framework::csLoading, false);
  EXPECT_TRUE(box->Checked());
}

TEST_F(SkinnedCheckBoxTest, AReadOnlyBoxIgnoresClicksDoubleClicksAndSpaceAndIsNeverHot) {
  ShowButtons(1);
  box->SetReadOnly(true);
  PointAt(box, 3, 5);
  EXPECT_EQ(box->GlyphState(), 0);
  Press();
  Release();
  desktop->Click();
  desktop->Click();
  Pump();
  box->SetFocus();
  desktop->Key(platform::VK_SPACE);
  Pump();
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(toggles, 0);
  EXPECT_EQ(box->GlyphState(), 0);
}

TEST_F(SkinnedCheckBoxTest, TheAutomaticSizeComesFromTheSkinGlyphAndTheCaption) {
  ShowButtons(1);
  // BOXCHECKED: 12 x 8 pixels, three states over their masks: 4 x 4 cells.
  const platform::TSize text = MeasureText(box->Font()->Handle(), "Copy");
  EXPECT_EQ(box->Width(), 4 + 2 * 2 + text.cx + 0 + 8);
  EXPECT_EQ(box->Height(), std::max(4, text.cy + 2 * 2) + 2);
  EXPECT_EQ(box->GlyphRect().Left, 2);

  box->SetCaption("");
  Pump();
  EXPECT_EQ(box->Width(), 4 + 2 * 2);

  // MultiLine and AutoSize exclude each other.
  box->SetMultiLine(true);
  EXPECT_FALSE(box->AutoSize());
  box->SetAutoSize(true);
  box->Invalidate();
  EXPECT_FALSE(box->MultiLine());
}

TEST_F(SkinnedCheckBoxTest, UncheckedWithOnlyACheckedUserGlyphDrawsNoGlyph) {
  ShowButtons(1);
  box->SetAnimatEvents(0);
  // Three 4 x 4 green cells over an all-black (fully opaque) mask band.
  framework::TBitmap glyph(12, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x)
      glyph.DIB().SetPixel(x, y, y < 4 ? platform::clLime : platform::clBlack);
  box->SetGlyphChecked(&glyph);
  auto greenPixels = [&] {
    box->SkinData()->Invalidate();
    Pump();
    const platform::DIBitmap& cache = box->SkinData()->CacheBitmap->DIB();
    int green = 0;
    for (int y = 0; y < cache.Height(); ++y)
      for (int x = 0; x < cache.Width(); ++x)
        if (cache.Pixel(x, y) == platform::clLime) ++green;
    return green;
  };
  EXPECT_EQ(greenPixels(), 0);
  box->SetChecked(true);
  EXPECT_EQ(greenPixels(), 16);
  EXPECT_EQ(box->GlyphRect(),
            (platform::TRect{2, (box->Height() - 4) / 2, 6, (box->Height() - 4) / 2 + 4}));
}

TEST_F(SkinnedCheckBoxTest, EnteringAndCheckingFade) {
  ShowButtons(4);
  PointAt(box, 3, 5);
  ASSERT_NE(box->FadeTimer(), nullptr);
  EXPECT_EQ(box->FadeTimer()->Iterations, 4);
  EXPECT_EQ(TicksUntilFadeEnds(box), 5);
  // A press on a focused box fades in half the steps, and so does the change it makes.
  box->SetFocus();
  Pump();
  Press();
  ASSERT_NE(box->FadeTimer(), nullptr);
  EXPECT_EQ(box->FadeTimer()->Iterations, 2);
  EXPECT_EQ(TicksUntilFadeEnds(box), 3);
  Release();
  EXPECT_TRUE(box->Checked());
  ASSERT_NE(box->FadeTimer(), nullptr);
  EXPECT_EQ(box->FadeTimer()->Iterations, 2);
  EXPECT_EQ(TicksUntilFadeEnds(box), 3);
}

}  // namespace
}  // namespace skin::test
