// The skinned labels: the skin's text colour and what happens to it when the skin goes, the
// disabled text mixed toward the colour beneath, and TsLabelFX's room for its shadow, its blurred
// shadow and its embossed disabled look.

#include <gtest/gtest.h>

#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "skin/controls/sLabel.h"
#include "tests/skin/SkinnedFormFixture.h"

namespace skin::test {
namespace {

class SkinnedLabelTest : public SkinnedFormTest {
 protected:
  // A plain white panel below the skinned one, for labels to stand on.
  void ShowWithWhitePanel() {
    ShowSkinned();
    white = framework::Create<framework::TPanel>(form);
    white->SetParent(form);
    white->SetBounds(0, 60, 300, 60);
    white->SetBevelOuter(framework::bvNone);
    white->SetColor(platform::clWhite);
    Pump();
  }
  template <typename Label>
  Label* MakeLabel(const std::string& caption, int left = 10) {
    auto* label = framework::Create<Label>(form);
    label->SetParent(white);
    label->SetLeft(left);
    label->SetTop(10);
    label->Font()->SetColor(platform::clBlack);
    label->SetCaption(caption);
    Pump();
    return label;
  }
  // The colours the label shows on the screen, darkest red byte first.
  int DarkestRed(framework::TControl* label) {
    int darkest = 256;
    for (int y = 0; y < label->Height(); ++y)
      for (int x = 0; x < label->Width(); ++x) {
        const TColor c = desktop->ScreenPixel({form->Left() + white->Left() + label->Left() + x,
                                               form->Top() + white->Top() + label->Top() + y});
        darkest = std::min(darkest, static_cast<int>(platform::GetRValue(c)));
      }
    return darkest;
  }

  framework::TPanel* white = nullptr;
};

TEST_F(SkinnedLabelTest, TheEffectLabelGrowsByEightForItsDefaultShadowAndNotWithoutOne) {
  ShowWithWhitePanel();
  auto* plain = MakeLabel<framework::TLabel>("Snipwell 2.1.");
  auto* fx = MakeLabel<TsLabelFX>("Snipwell 2.1.", 150);
  EXPECT_EQ(fx->Width(), plain->Width() + 8);
  EXPECT_EQ(fx->Height(), plain->Height() + 8);
  fx->Shadow()->SetBlurCount(0);
  EXPECT_EQ(fx->Width(), plain->Width());
  fx->Shadow()->SetBlurCount(4);
  fx->Shadow()->SetColor(platform::clNone);
  EXPECT_EQ(fx->Height(), plain->Height());
  // An empty caption still measures one line.
  fx->SetCaption("");
  EXPECT_EQ(fx->Height(), plain->Height());
}

TEST_F(SkinnedLabelTest, TheShadowIsBlurredBeneathTheTextInTheShadowColour) {
  ShowWithWhitePanel();
  auto* fx = MakeLabel<TsLabelFX>("Title");
  fx->Kind()->SetKindType(ktCustom);
  fx->Kind()->SetColor(platform::clWhite);
  fx->Shadow()->SetColor(platform::clBlue);
  Pump();
  // White text on a white panel: all that shows is the shadow, blue and fading out.
  int blueish = 0;
  int partial = 0;
  for (int y = 0; y < fx->Height(); ++y)
    for (int x = 0; x < fx->Width(); ++x) {
      const TColor c = desktop->ScreenPixel(
          {form->Left() + white->Left() + fx->Left() + x, form->Top() + white->Top() + 10 + y});
      EXPECT_EQ(platform::GetBValue(c), 255);  // blue over white keeps the blue byte
      if (platform::GetRValue(c) < 255) ++blueish;
      if (platform::GetRValue(c) > 40 && platform::GetRValue(c) < 215) ++partial;
    }
  EXPECT_GT(blueish, 20);
  EXPECT_GT(partial, 10);  // blurred, not a hard copy
}

TEST_F(SkinnedLabelTest, ADisabledLabelMixesItsTextFortyPercentTowardTheColourBeneath) {
  ShowWithWhitePanel();
  auto* label = MakeLabel<TsLabel>("Disabled text");
  label->SetUseSkinColor(false);
  EXPECT_EQ(DarkestRed(label), 0);
  label->SetEnabled(false);
  Pump();
  EXPECT_EQ(DarkestRed(label), 153);  // 0.4 x (0 - 255) + 255
}

TEST_F(SkinnedLabelTest, ADisabledEffectLabelIsEmbossedWithoutShadow) {
  ShowWithWhitePanel();
  auto* fx = MakeLabel<TsLabelFX>("Title");
  fx->SetEnabled(false);
  Pump();
  const TColor shadow = platform::ColorToRGB(platform::clBtnShadow);
  for (int y = 0; y < fx->Height(); ++y)
    for (int x = 0; x < fx->Width(); ++x) {
      const TColor c = desktop->ScreenPixel(
          {form->Left() + white->Left() + fx->Left() + x, form->Top() + white->Top() + 10 + y});
      // Only text in the shadow colour (and its anti-aliased edges) over white: never darker.
      EXPECT_GE(platform::GetRValue(c), platform::GetRValue(shadow)) << x << ", " << y;
    }
  // Without a shadow it takes no room for one: it measures as a plain label of its text.
  auto* plain = MakeLabel<framework::TLabel>("Snipwell 2.1.", 150);
  fx->SetCaption("Snipwell 2.1.");
  EXPECT_EQ(fx->Width(), plain->Width());
  EXPECT_EQ(fx->Height(), plain->Height());
}

TEST_F(SkinnedLabelTest, TheSkinColourFollowsTheSkinUnlessUseSkinColorIsOff) {
  ShowWithWhitePanel();
  auto* follows = MakeLabel<TsLabel>("follows");
  auto* keeps = MakeLabel<TsLabel>("keeps", 150);
  keeps->SetUseSkinColor(false);
  keeps->Font()->SetColor(platform::clMaroon);
  follows->Font()->SetColor(platform::clMaroon);
  follows->Invalidate();
  keeps->Invalidate();
  Pump();
  EXPECT_EQ(follows->Font()->Color(), manager->Tables().GlobalTextColor());
  EXPECT_EQ(keeps->Font()->Color(), platform::clMaroon);
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(follows->Font()->Color(), platform::clWindowText);
  EXPECT_EQ(keeps->Font()->Color(), platform::clMaroon);
}

}  // namespace
}  // namespace skin::test
