// The skinned push button: its three states, clicks from the mouse and the space key, the window
// region cut from the border mask, the caption and its focus frame.

#include <gtest/gtest.h>

#include "platform/windows/Window.h"
#include "tests/skin/controls/SkinnedButtonsFixture.h"

namespace skin::test {
namespace {

using SkinnedButtonTest = SkinnedButtonsTest;

TEST_F(SkinnedButtonTest, TheRegionLeavesOutTheMasksTransparentPixelsForPaintingAndClicks) {
  ShowButtons(1);
  const auto region = platform::GetWindowRgn(button->Handle());
  ASSERT_TRUE(region.has_value());
  EXPECT_FALSE(region->Contains(0, 0));
  EXPECT_TRUE(region->Contains(37, 15));
  EXPECT_EQ(*region, button->WindowRegion());
  // The pixel outside the region shows the panel behind.
  EXPECT_EQ(ScreenAt(button, 0, 0), desktop->ScreenPixel(ScreenPointOf(panel, 109, 10)));

  // A click inside the button's rectangle but outside its region goes to the panel.
  PointAt(button, 0, 0);
  Press();
  Release();
  EXPECT_EQ(clicks, 0);
  PointAt(button, 37, 15);
  Press();
  Release();
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedButtonTest, ThePressedLookShowsOnlyWhileThePointerIsOverTheButton) {
  ShowButtons(1);
  button->SetAnimatEvents(0);
  PointAt(button, 37, 15);
  Press();
  EXPECT_EQ(button->CurrentState(), 2);
  PointAway();
  EXPECT_EQ(button->CurrentState(), 1);  // focused by the press
  PointAt(button, 37, 15);
  EXPECT_EQ(button->CurrentState(), 2);
  PointAway();
  Release();
  EXPECT_EQ(clicks, 0);  // released elsewhere
  EXPECT_EQ(button->CurrentState(), 1);
}

TEST_F(SkinnedButtonTest, AReleaseWithoutAPressOnTheButtonDoesNotClick) {
  ShowButtons(1);
  PointAt(panel, 5, 5);
  Press();
  PointAt(button, 37, 15);
  Release();
  EXPECT_EQ(clicks, 0);
}

TEST_F(SkinnedButtonTest, TheSpaceKeyShowsThePressedLookAndClicksOnceOnRelease) {
  ShowButtons(1);
  button->SetFocus();
  Pump();
  desktop->KeyDown(platform::VK_SPACE);
  Pump();
  EXPECT_EQ(button->CurrentState(), 2);
  EXPECT_EQ(clicks, 0);
  desktop->KeyUp(platform::VK_SPACE);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(button->CurrentState(), 2);
}

TEST_F(SkinnedButtonTest, ADownButtonShowsThePressedLookWithItsCaptionShifted) {
  ShowButtons(1);
  const platform::TRect up = button->CaptionRect();
  button->SetDown(true);
  Pump();
  EXPECT_EQ(button->CurrentState(), 2);  // with the mouse elsewhere
  EXPECT_EQ(button->CaptionRect(), up.Translated(1, 1));
  button->SetDown(false);
  Pump();
  EXPECT_EQ(button->CurrentState(), 0);
}

TEST_F(SkinnedButtonTest, TheFocusFrameNeedsACaptionAndTheSectionsShowFocus) {
  ShowButtons(1);
  button->SetAnimatEvents(0);
  auto framePixels = [&] {
    button->SkinData()->Invalidate();
    Pump();
    const platform::DIBitmap& cache = button->SkinData()->CacheBitmap->DIB();
    int black = 0;
    for (int x = 0; x < 75; ++x)
      for (int y = 0; y < 30; ++y)
        if (cache.Pixel(x, y) == platform::clBlack) ++black;
    return black;
  };
  const int unfocused = framePixels();
  button->SetFocus();
  EXPECT_GT(framePixels(), unfocused);
  button->SetCaption("");
  const int emptyFocused = framePixels();
  platform::SetFocus(edit->Handle());
  Pump();
  EXPECT_EQ(framePixels(), emptyFocused);
}

TEST_F(SkinnedButtonTest, TheDefaultButtonLooksActiveUntilAnotherButtonTakesTheFocus) {
  ShowButtons(1);
  button->SetAnimatEvents(0);
  auto* other = framework::Create<TsButton>(form);
  other->SetParent(panel);
  other->SetBounds(110, 42, 75, 16);
  button->SetDefault(true);
  platform::SetFocus(edit->Handle());
  Pump();
  EXPECT_TRUE(button->DefaultActive());
  EXPECT_EQ(button->CurrentState(), 1);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(button->DefaultActive());
  EXPECT_EQ(button->CurrentState(), 0);
  button->SetFocus();
  Pump();
  EXPECT_TRUE(button->DefaultActive());
}

TEST_F(SkinnedButtonTest, WithoutTheSkinTheWindowIsRectangularAgain) {
  ShowButtons(1);
  ASSERT_TRUE(platform::GetWindowRgn(button->Handle()).has_value());
  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(platform::GetWindowRgn(button->Handle()).has_value());
  PointAt(button, 0, 0);
  Press();
  Release();
  EXPECT_EQ(clicks, 1);  // the corner is the button's again
  manager->SetActive(true);
  Pump();
  EXPECT_TRUE(platform::GetWindowRgn(button->Handle()).has_value());
}

}  // namespace
}  // namespace skin::test
