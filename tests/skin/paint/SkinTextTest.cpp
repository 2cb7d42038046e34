// Skinned text: the section's colours and outline copies, the embossed disabled caption, the
// rectangle fitted around a single line, the ellipsis, the focus dots and alignment flags.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "framework/controls/Panel.h"
#include "framework/forms/StandardClasses.h"
#include "skin/paint/sSkinText.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/skin/paint/PaintTestSupport.h"

namespace skin::test {
namespace {

using platform::RGB;

class SkinText : public SkinManagerFixture {
 protected:
  void SetUp() override {
    SkinManagerFixture::SetUp();
    framework::RegisterStandardClasses();
    stored = AddTestSkin(manager.get(), "Test");
    form = std::make_unique<framework::TForm>(nullptr);
    owner = new framework::TPanel(form.get());
    owner->SetParent(form.get());
  }
  void TearDown() override {
    data.reset();
    form.reset();
    SkinManagerFixture::TearDown();
  }
  void Bind(const std::string& section, const std::string& fontColor) {
    for (int i = 0; i < stored->GeneralData()->Count(); ++i) {
      TsSkinGeneral* g = stored->GeneralData()->Items(i);
      if (g->SectionName == section) g->FontColor = fontColor;
    }
    manager->SetSkinName("Test");
    data = std::make_unique<TsCommonDataBase>(owner, false);
    data->Bind(manager.get(), section);
  }
  // The caption drawn on white; the colours that appear.
  std::set<TColor> Draw(TsTextState state, TRect* fitted = nullptr) {
    canvasBitmap = Plain(80, 30, platform::clWhite);
    TRect r{10, 5, 70, 25};
    DrawSkinText(canvasBitmap->Canvas(), "Exit", state, lkNormal, *data, platform::DT_CENTER, r);
    if (fitted) *fitted = r;
    std::set<TColor> colours;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 80; ++x) colours.insert(At(*canvasBitmap, x, y));
    return colours;
  }
  int LeftmostColumnOf(TColor c) const {
    for (int x = 0; x < 80; ++x)
      for (int y = 0; y < 30; ++y)
        if (At(*canvasBitmap, x, y) == c) return x;
    return -1;
  }

  TsStoredSkin* stored = nullptr;
  std::unique_ptr<framework::TForm> form;
  framework::TPanel* owner = nullptr;
  std::unique_ptr<TsCommonDataBase> data;
  std::unique_ptr<TBitmap> canvasBitmap;
};

TEST_F(SkinText, OneColourWithoutOutlinesAndTheLeftOutlineUnderTheText) {
  Bind("CHECKBOX", "0 -1 -1 -1 -1");
  EXPECT_EQ(Draw(txEnabled), (std::set<TColor>{platform::clWhite, platform::clBlack}));
  Bind("CHECKBOX", "5391682 8484210 -1 -1 -1");
  EXPECT_EQ(Draw(txEnabled), (std::set<TColor>{platform::clWhite, 5391682, 8484210}));
  // The outline lies one pixel to the left, under the text.
  EXPECT_EQ(LeftmostColumnOf(8484210) + 1, LeftmostColumnOf(5391682));
}

TEST_F(SkinText, DisabledCaptionsAreEmbossedWithoutTheSectionsColours) {
  Bind("CHECKBOX", "5391682 8484210 -1 -1 -1");
  const TColor highlight = platform::ColorToRGB(platform::clBtnHighlight);
  const TColor shadow = platform::ColorToRGB(platform::clBtnShadow);
  std::set<TColor> colours = Draw(txDisabled);
  colours.erase(platform::clWhite);
  EXPECT_EQ(colours, (std::set<TColor>{shadow}));
  // On white the highlight copy cannot be seen: draw on black to find it one pixel down-right.
  canvasBitmap = Plain(80, 30, platform::clBlack);
  TRect r{10, 5, 70, 25};
  DrawSkinText(canvasBitmap->Canvas(), "Exit", txDisabled, lkNormal, *data, platform::DT_CENTER, r);
  EXPECT_EQ(LeftmostColumnOf(shadow) + 1, LeftmostColumnOf(highlight));
}

TEST_F(SkinText, ACentredLineNarrowsTheRectangleToTheTextPlusOnePixel) {
  Bind("CHECKBOX", "0 -1 -1 -1 -1");
  TRect fitted;
  Draw(txEnabled, &fitted);
  const int cx = canvasBitmap->Canvas()->TextExtent("Exit").cx;
  const int dx = (cx - 60) / 2;  // truncated toward zero
  EXPECT_EQ(fitted.Left, 10 - dx - 1);
  EXPECT_EQ(fitted.Width(), 60 + 2 * dx + 2);
}

TEST_F(SkinText, HotWebButtonCaptionsAreUnderlinedAndOthersAreNot) {
  Bind("CHECKBOX", "0 -1 -1 -1 -1");
  auto b = Plain(40, 20, platform::clWhite);
  TRect r{0, 0, 40, 20};
  DrawSkinText(b->Canvas(), "a", txEnabled, lkHot, *data, 0, r);
  EXPECT_EQ(b->Canvas()->Font()->Style() & framework::fsUnderline, 0u);
  data->Bind(manager.get(), "WEBBUTTON");
  r = {0, 0, 40, 20};
  DrawSkinText(b->Canvas(), "a", txEnabled, lkHot, *data, 0, r);
  EXPECT_NE(b->Canvas()->Font()->Style() & framework::fsUnderline, 0u);
}

TEST_F(SkinText, EllipsisKeepsWholeCharactersAndGivesUpWhenNothingFits) {
  auto b = Plain(10, 10, platform::clWhite);
  framework::TCanvas* c = b->Canvas();
  EXPECT_EQ(FitTextWithEllipsis(c, "Sample", 0), "");
  EXPECT_EQ(FitTextWithEllipsis(c, "Sample", 500), "Sample");
  EXPECT_EQ(FitTextWithEllipsis(c, "Sample", c->TextWidth("...")), "");
  const std::string cut = FitTextWithEllipsis(c, "Sample text", c->TextWidth("Sam..."));
  EXPECT_EQ(cut, "Sam...");
  // A two-byte character is never split.
  const std::string umlaut =
      FitTextWithEllipsis(c, "\xC3\xBC\xC3\xBC\xC3\xBC", c->TextWidth("\xC3\xBC..."));
  EXPECT_EQ(umlaut, "\xC3\xBC...");
}

TEST_F(SkinText, FocusDotsSetEveryThirdPixelOfTheEdges) {
  auto b = Plain(20, 20, platform::clGray);
  DrawFocusDots(b->Canvas(), {5, 5, 15, 15});
  // Along the top edge from its left end (the corner at the right belongs to the right edge's
  // loop): i = 0 to 3.
  int top = 0, left = 0, white = 0;
  for (int i = 5; i < 15; ++i) {
    top += At(*b, i, 5) == platform::clBlack;
    left += At(*b, 5, i) == platform::clBlack;
    white += At(*b, i - 1, 4) == platform::clWhite;
  }
  EXPECT_EQ(top, 4);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(white, 4);
  EXPECT_EQ(At(*b, 15, 5), platform::clBlack);
  EXPECT_EQ(At(*b, 6, 5), platform::clGray);
  EXPECT_EQ(At(*b, 4, 4), platform::clWhite);
}

TEST_F(SkinText, AlignmentFlagsAndMeasuring) {
  EXPECT_EQ(AlignmentTextFlags(owner, framework::taRightJustify), 0x46u);
  EXPECT_EQ(AlignmentTextFlags(owner, framework::taCenter), 0x45u);
  owner->SetBiDiMode(framework::bdRightToLeft);
  EXPECT_EQ(AlignmentTextFlags(owner, framework::taLeftJustify) & 0x3u, 0x2u);
  const platform::TSize size = MeasureText(platform::DefaultFont(), "Exit");
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(size.cy, 13);
}

}  // namespace
}  // namespace skin::test
