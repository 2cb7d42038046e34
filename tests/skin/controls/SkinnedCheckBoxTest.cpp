// The skinned check box: toggling only by a press and release on it, ReadOnly, its automatic
// size from the skin's glyph and its caption, and the glyph's states.

#include <gtest/gtest.h>

#include <set>

#include "framework/classes/FormReader.h"
#include "framework/forms/StandardClasses.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/paint/sPixelAccess.h"
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

// ---- glyphs from an image list

using platform::TColor;

// Two 18 x 10 pictures, each three 6 x 5 state cells (normal, hot, pressed) over their masks:
// opaque (black) but for each cell's transparent (white) top-left pixel. The list's own mask
// leaves out the bottom-right pixel of every cell.
// (None of them is a colour of the test skin.)
constexpr TColor kCells[2][3] = {{0x102030, 0x204060, 0x306090}, {0x405020, 0x50A040, 0x60F060}};

std::string ImageListData() {
  framework::TBitmap strip(36, 10);
  framework::TBitmap mask(36, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 36; ++x) {
      const int picture = x / 18, cell = x % 18 / 6, cx = x % 6;
      const bool upper = y < 5;
      const int cy = y % 5;
      strip.DIB().SetPixel(x, y,
                           upper                ? kCells[picture][cell]
                           : cx == 0 && cy == 0 ? platform::clWhite
                                                : platform::clBlack);
      mask.DIB().SetPixel(x, y,
                          upper && cx == 5 && cy == 4 ? platform::clWhite : platform::clBlack);
    }
  }
  framework::TImageList list(nullptr);
  list.SetWidth(18);
  list.SetHeight(10);
  list.Add(&strip, &mask);
  framework::TFormValue data;
  data.kind = framework::TFormValue::Kind::Binary;
  data.bytes = list.WriteData();
  return framework::FormatFormValue(data, 4);
}

class ImageListGlyphTest : public SkinnedButtonsTest {
 protected:
  // The skinned form with a check box and the image list it names, read from a description in
  // which the list comes after the box.
  void ReadBoxAndList(const std::string& indexes) {
    framework::RegisterStandardClasses();
    RegisterSkinControlClasses();
    MakeForm();
    MakeManager();
    MakeControls();
    framework::ReadComponentRes(form,
                                "object TestForm: TForm\n"
                                "  object sCheckBox1: TsCheckBox\n"
                                "    Left = 210\n"
                                "    Top = 70\n"
                                "    Caption = 'Copy'\n"
                                "    Images = ImageList1\n" +
                                    indexes +
                                    "  end\n"
                                    "  object ImageList1: TImageList\n"
                                    "    Width = 18\n"
                                    "    Height = 10\n"
                                    "    Bitmap = " +
                                    ImageListData() +
                                    "\n"
                                    "  end\n"
                                    "end\n",
                                "Test.dfm");
    box = dynamic_cast<TsCheckBox*>(form->FindComponent("sCheckBox1"));
    list = dynamic_cast<framework::TImageList*>(form->FindComponent("ImageList1"));
    ASSERT_TRUE(box && list);
    box->OnClick = [this](framework::TObject*) { ++toggles; };
    manager->SetSkinName("Test");
    form->Show();
    PointAway();
  }

  // Every pixel of the glyph's place in the cache: the picture's cell where the cell is opaque,
  // the face mixed through the cell's fully transparent mask (255 of 256 parts face), and the
  // parent's background where the list's mask leaves the picture out.
  void ExpectGlyphCell(TColor colour) {
    box->SkinData()->Invalidate();
    Pump();
    const platform::TRect place = box->GlyphRect();
    ASSERT_EQ(place.Width(), 6);
    ASSERT_EQ(place.Height(), 5);
    const platform::DIBitmap& cache = box->SkinData()->CacheBitmap->DIB();
    const TCacheInfo parent = box->SkinData()->GetParentCache();
    ASSERT_TRUE(parent.Ready);
    const TColor face = cache.Pixel(place.Left - 1, place.Top);
    const TColor underMask =
        platform::RGB(MaskMix(platform::GetRValue(face), platform::GetRValue(colour), 255),
                      MaskMix(platform::GetGValue(face), platform::GetGValue(colour), 255),
                      MaskMix(platform::GetBValue(face), platform::GetBValue(colour), 255));
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        TColor expected = colour;
        if (x == 0 && y == 0) expected = underMask;
        if (x == 5 && y == 4)
          expected =
              parent.Bitmap->DIB().Pixel(parent.X + place.Left + x, parent.Y + place.Top + y);
        ASSERT_EQ(cache.Pixel(place.Left + x, place.Top + y), expected)
            << x << "," << y << " of the cell in colour " << std::hex << colour;
      }
    }
  }

  // The colours of the pictures found anywhere in the box's cache.
  std::set<TColor> PictureColoursShown() {
    box->SkinData()->Invalidate();
    Pump();
    const platform::DIBitmap& cache = box->SkinData()->CacheBitmap->DIB();
    std::set<TColor> shown;
    for (int y = 0; y < cache.Height(); ++y)
      for (int x = 0; x < cache.Width(); ++x)
        for (const auto& picture : kCells)
          for (TColor c : picture)
            if (cache.Pixel(x, y) == c) shown.insert(c);
    return shown;
  }

  framework::TImageList* list = nullptr;
};

TEST_F(ImageListGlyphTest, TheGlyphIsTheStateCellOfThePictureTheStateNames) {
  ReadBoxAndList("    ImgChecked = 1\n    ImgUnchecked = 0\n");
  EXPECT_EQ(box->Images(), list);
  const platform::TSize text = MeasureText(box->Font()->Handle(), "Copy");
  EXPECT_EQ(box->Width(), 6 + 2 * 2 + text.cx + 8);
  EXPECT_FALSE(box->Checked());
  ExpectGlyphCell(kCells[0][0]);
  PointAt(box, 1, 1);
  ExpectGlyphCell(kCells[0][1]);
  Press();
  ExpectGlyphCell(kCells[0][2]);
  Release();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(toggles, 1);
  ExpectGlyphCell(kCells[1][1]);
  // Hot while it has the focus, wherever the pointer is.
  PointAway();
  ExpectGlyphCell(kCells[1][1]);
  edit->SetFocus();
  ExpectGlyphCell(kCells[1][0]);
}

TEST_F(ImageListGlyphTest, ANegativeIndexOrNoListFallsBackAndAnIndexTheListLacksShowsNoGlyph) {
  ReadBoxAndList("    ImgChecked = -1\n");
  // The skin's glyph: its 4 x 4 cell, none of the pictures.
  EXPECT_EQ(box->GlyphRect().Width(), 4);
  EXPECT_TRUE(PictureColoursShown().empty());

  // Both indexes usable again, the checked one beyond the list: sized from the list, no glyph.
  box->SetImgChecked(2);
  box->SetChecked(true);
  EXPECT_EQ(box->GlyphRect().Width(), 6);
  EXPECT_TRUE(PictureColoursShown().empty());
  box->SetChecked(false);
  EXPECT_EQ(PictureColoursShown(), (std::set<TColor>{kCells[0][0]}));

  // The list goes: the box forgets it and shows the skin's glyph again.
  delete list;
  EXPECT_EQ(box->Images(), nullptr);
  EXPECT_EQ(box->GlyphRect().Width(), 4);
  EXPECT_TRUE(PictureColoursShown().empty());
}

}  // namespace
}  // namespace skin::test
