// The tip of a slot coming in: over the "HINT" section's fading steps where the section fades,
// at once where it does not, and never ticking once it shows or once it is hidden.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/controls/HintWindow.h"
#include "skin/controls/sFadeTimer.h"
#include "skin/data/sStoredSkin.h"
#include "tests/app/BarFixture.h"

namespace {

using snipwell::test::BarTest;

class HintFade : public BarTest {
 protected:
  void SetUp() override {
    BarTest::SetUp();
    snipwell::test::WriteConfig("One\r\nTwo\r\nThree\r\nFour\r\nFive\r\nSix\r\nSeven\r\n");
    Start();
  }
  // BlueIce again, its "HINT" section fading over this many steps (0: fading off).
  void HintFadesOver(int iterations) {
    skin::TsSkinManager* manager = Form1->sSkinManager1;
    skin::TsStoredSkin* stored = manager->InternalSkins()->Items(0);
    for (int i = 0; i < stored->GeneralData()->Count(); ++i) {
      skin::TsSkinGeneral* section = stored->GeneralData()->Items(i);
      if (section->SectionName != "HINT") continue;
      section->FadingEnabled = iterations > 0;
      section->FadingIterations = iterations;
    }
    manager->SetSkinName(stored->Name());
    Pump();
  }
  platform::HWND Tip() const {
    const framework::THintWindow* tip = app->HintWindow();
    return tip && tip->Showing() ? tip->Handle() : nullptr;
  }
  // How opaque the desktop shows the tip, or -1 without one.
  int TipOpacity() const {
    const platform::HeadlessBackend::TopLevel* record = desktop->Find(Tip());
    return record ? record->opacity : -1;
  }
  // The timer ticks the tip's window gets over the next fade tick.
  int TimerTicksOfTip(platform::HWND tip) {
    desktop->Advance(skin::kFadeInterval);
    int ticks = 0;
    platform::MSG msg;
    while (platform::PeekMessage(&msg, platform::PM_REMOVE)) {
      ticks += msg.hwnd == tip && msg.message == platform::WM_TIMER;
      platform::DispatchMessage(msg);
    }
    return ticks;
  }
  // Ticks of the fade clock until the tip is opaque (at most 100); the opacities on the way.
  std::vector<int> OpacitiesUntilOpaque() {
    std::vector<int> seen{TipOpacity()};
    while (seen.back() != 255 && seen.size() < 100) {
      Tick();
      seen.push_back(TipOpacity());
    }
    return seen;
  }
};

TEST_F(HintFade, FadesInOverTheSectionsStepsThenStopsTicking) {
  HintFadesOver(20);
  RestOnSlot(3);
  ASSERT_NE(Tip(), nullptr);
  // Shown invisible, then more opaque at every tick of the fade clock, opaque at the last step.
  const std::vector<int> seen = OpacitiesUntilOpaque();
  EXPECT_EQ(seen.size(), 21u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end(), std::greater_equal<>()), seen.end());
  // Opaque, the tip has nothing more to do: the loop may sleep.
  EXPECT_EQ(TimerTicksOfTip(Tip()), 0);
  EXPECT_EQ(TipOpacity(), 255);
}

TEST_F(HintFade, HiddenHalfWayItStopsAndShownAgainItFadesFromTheStart) {
  HintFadesOver(5);
  RestOnSlot(3);
  Tick();
  Tick();
  const platform::HWND first = Tip();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(TipOpacity(), 255 - skin::FadeWeight(2, 5));
  // A click hides the tip in the middle of its fade; the fade clock ticking on changes nothing.
  desktop->Click();
  Pump();
  EXPECT_EQ(Tip(), nullptr);
  EXPECT_EQ(TimerTicksOfTip(first), 0);
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_TRUE(reports.empty());

  RestOnSlot(5);
  ASSERT_NE(Tip(), nullptr);
  EXPECT_EQ(OpacitiesUntilOpaque(), (std::vector<int>{0, 51, 102, 153, 204, 255}));
}

TEST_F(HintFade, WithoutFadingOrWithoutASkinTheTipShowsOpaqueAtOnce) {
  // The stored skins' own tips do not fade.
  RestOnSlot(3);
  ASSERT_NE(Tip(), nullptr);
  EXPECT_EQ(TipOpacity(), 255);
  EXPECT_EQ(platform::GetWindowExStyle(Tip()) & platform::WS_EX_LAYERED, 0u);
  EXPECT_EQ(TimerTicksOfTip(Tip()), 0);

  // Fading on in the skin, but the manager inactive: the classic tip, at once.
  HintFadesOver(20);
  desktop->Click();
  Pump();
  Form1->sSkinManager1->SetActive(false);
  Pump();
  RestOnSlot(4);
  ASSERT_NE(Tip(), nullptr);
  EXPECT_EQ(TipOpacity(), 255);
  EXPECT_EQ(TimerTicksOfTip(Tip()), 0);
}

TEST_F(HintFade, ASkinRemovedDuringTheFadeLeavesTheTipOpaqueAtTheNextTick) {
  HintFadesOver(20);
  RestOnSlot(3);
  Tick();
  ASSERT_LT(TipOpacity(), 255);
  Form1->sSkinManager1->SetActive(false);
  Pump();
  ASSERT_NE(Tip(), nullptr);
  Tick();
  EXPECT_EQ(TipOpacity(), 255);
  EXPECT_EQ(TimerTicksOfTip(Tip()), 0);
}

}  // namespace
