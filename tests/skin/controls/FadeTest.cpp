// Fading between the looks of a skinned button: how many frames a fade shows and how each frame
// weighs the old look against the new, a fade reversed half-way, halving, the events that fade,
// and that no timer outlives its fade or its control.

#include <gtest/gtest.h>

#include "skin/paint/sPixelAccess.h"
#include "tests/skin/controls/SkinnedButtonsFixture.h"

namespace skin::test {
namespace {

using FadeTest = SkinnedButtonsTest;

// One byte of a frame at level l of n: the old look weighs a, the new 255 - a.
int FrameByte(int oldByte, int newByte, int l, int n) {
  const int a = ClipToByte(255 - (l * 256) / n);
  return (oldByte * a + newByte * (255 - a) + 127) >> 8;
}

TEST_F(FadeTest, EnteringFadesOverTheSectionsStepsWithTheOldLookWeighingLessEachTick) {
  ShowButtons(5);
  // One row across the button, where the face shows its section colour between mask pixels.
  auto row = [&] {
    std::vector<TColor> pixels;
    for (int x = 0; x < 75; ++x) pixels.push_back(ScreenAt(button, x, 15));
    return pixels;
  };
  const std::vector<TColor> normal = row();
  PointAt(button, 37, 20);
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->FadeTimer()->Interval(), kFadeInterval);
  EXPECT_EQ(button->FadeTimer()->Iterations, 5);
  EXPECT_EQ(row(), normal);  // nothing moves before the first tick
  std::vector<std::vector<TColor>> frames;
  for (int i = 0; i < 5; ++i) {
    Tick();
    frames.push_back(row());
  }
  ASSERT_NE(button->FadeTimer(), nullptr);  // the tick after the last step ends it
  Tick();
  EXPECT_EQ(button->FadeTimer(), nullptr);
  // Once the fade is over the screen shows the hot look exactly, not the last frame's rounding.
  const std::vector<TColor> hot = row();
  int compared = 0;
  for (size_t x = 0; x < hot.size(); ++x) {
    if (platform::GetRValue(hot[x]) == platform::GetRValue(normal[x])) continue;
    ++compared;
    for (int l = 1; l <= 5; ++l) {
      const int expected =
          FrameByte(platform::GetRValue(normal[x]), platform::GetRValue(hot[x]), l, 5);
      EXPECT_EQ(platform::GetRValue(frames[static_cast<size_t>(l - 1)][x]), expected)
          << "level " << l << ", x " << x;
    }
  }
  EXPECT_GT(compared, 0);
  button->Invalidate();
  Pump();
  EXPECT_EQ(row(), hot);
}

TEST_F(FadeTest, LeavingHalfWayGoesBackInAsManyStepsAsHadBeenShown) {
  ShowButtons(20);
  PointAt(button, 37, 15);
  for (int i = 0; i < 6; ++i) Tick();
  ASSERT_EQ(button->FadeTimer()->Level, 7);
  PointAway();
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->FadeTimer()->Iterations, 7);
  EXPECT_EQ(button->FadeTimer()->Level, 1);
  EXPECT_EQ(TicksUntilFadeEnds(button), 8);
}

TEST_F(FadeTest, PressAndReleaseFadeInHalfTheSteps) {
  ShowButtons(20);
  button->SetFocus();
  PointAt(button, 37, 15);
  TicksUntilFadeEnds(button);
  Press();
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->FadeTimer()->Iterations, 10);
  EXPECT_EQ(TicksUntilFadeEnds(button), 11);
  Release();
  EXPECT_EQ(clicks, 1);
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->FadeTimer()->Iterations, 10);
  EXPECT_EQ(TicksUntilFadeEnds(button), 11);
}

TEST_F(FadeTest, TheFirstPressOnAButtonWithoutTheFocusShowsThePressedLookAtOnce) {
  ShowButtons(20);
  PointAt(button, 37, 15);
  TicksUntilFadeEnds(button);
  ASSERT_FALSE(button->Focused());
  Press();
  EXPECT_TRUE(button->Focused());
  EXPECT_EQ(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->CurrentState(), 2);
  const TColor pressed = ScreenAt(button, 37, 3);
  button->Invalidate();
  Pump();
  EXPECT_EQ(ScreenAt(button, 37, 3), pressed);  // the screen shows it whole, no frame of a fade
  Release();
  EXPECT_EQ(clicks, 1);
}

TEST_F(FadeTest, OneIterationShowsTheNewLookAtOnceAndHalvedToNoneStillShowsIt) {
  ShowButtons(1);
  const TColor normal = ScreenAt(button, 37, 3);
  PointAt(button, 37, 15);
  Tick();  // level 1 of 1: a = 0, the new look
  const TColor hot = ScreenAt(button, 37, 3);
  EXPECT_NE(hot, normal);
  Tick();
  EXPECT_EQ(button->FadeTimer(), nullptr);

  // Pressing halves 1 step to 0: the first tick ends the fade without a frame, and the pressed
  // look then reaches the screen by an ordinary paint.
  button->SetFocus();
  Pump();
  Press();
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->FadeTimer()->Iterations, 0);
  EXPECT_EQ(button->FadeTimer()->Level, 1);
  Tick();
  EXPECT_EQ(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->CurrentState(), 2);
  const TColor pressed = ScreenAt(button, 37, 3);
  button->Invalidate();
  Pump();
  EXPECT_EQ(ScreenAt(button, 37, 3), pressed);
  Release();
}

TEST_F(FadeTest, AnimatedEventsDecideWhichChangesFade) {
  ShowButtons(5);
  button->SetAnimatEvents(0);
  PointAt(button, 37, 15);
  EXPECT_EQ(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->CurrentState(), 1);
  Press();
  EXPECT_EQ(button->FadeTimer(), nullptr);
  Release();
  EXPECT_EQ(button->FadeTimer(), nullptr);
  PointAway();
  EXPECT_EQ(button->FadeTimer(), nullptr);

  button->SetAnimatEvents(aeMouseEnter);
  PointAt(button, 37, 15);
  EXPECT_NE(button->FadeTimer(), nullptr);
  TicksUntilFadeEnds(button);
  PointAway();
  EXPECT_EQ(button->FadeTimer(), nullptr);

  // The default set stands behind aeGlobalDef.
  EXPECT_TRUE(EventAnimated(aeGlobalDef, aeMouseDown));
  EXPECT_FALSE(EventAnimated(aeMouseEnter, aeMouseDown));
}

TEST_F(FadeTest, NoTimerRunsOnceTheLookRestsNorOnceTheControlIsGone) {
  ShowButtons(5);
  PointAt(button, 37, 15);
  TicksUntilFadeEnds(button);
  EXPECT_EQ(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->ComponentCount(), 0);  // the timer was the button's only component

  // A control destroyed mid-fade takes its timer along; later ticks find nothing.
  PointAway();
  Tick();
  ASSERT_NE(button->FadeTimer(), nullptr);
  delete button;
  button = nullptr;
  for (int i = 0; i < 10; ++i) Tick();
}

TEST_F(FadeTest, ARefreshOfTheSkinStopsTheFadeAndShowsTheTargetLook) {
  ShowButtons(5);
  PointAt(button, 37, 15);
  ASSERT_NE(button->FadeTimer(), nullptr);
  manager->RepaintForms();
  Pump();
  EXPECT_EQ(button->FadeTimer(), nullptr);
  const TColor hot = ScreenAt(button, 37, 3);
  TicksUntilFadeEnds(button);
  EXPECT_EQ(ScreenAt(button, 37, 3), hot);
}

}  // namespace
}  // namespace skin::test
