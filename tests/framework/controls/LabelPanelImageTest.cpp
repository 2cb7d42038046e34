// Labels sizing themselves to their text, panels placing aligned children inside their bevels,
// and images taking their picture's size and place.

#include "framework/classes/FormReader.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Picture.h"
#include "platform/text/Font.h"
#include "platform/windows/Paint.h"
#include "tests/framework/StandardControlsFixture.h"

namespace framework::test {
namespace {

// The size of one line of text in a font, as the platform measures it.
platform::TSize TextSize(const TFont& font, const std::string& text) {
  platform::HDC dc = platform::GetScreenDC();
  const int saved = platform::SaveDC(dc);
  platform::SelectFont(dc, font.Handle());
  platform::TSize size;
  platform::GetTextExtentPoint32(dc, text, &size);
  platform::RestoreDC(dc, saved);
  return size;
}
int TextWidth(const TFont& font, const std::string& text) { return TextSize(font, text).cx; }

class LabelTest : public StandardControlsTest {
 protected:
  void SetUp() override {
    StandardControlsTest::SetUp();
    form = MakeForm(400, 200);
    label = Create<TLabel>(form);
    label->SetParent(form);
    label->SetBounds(100, 50, 10, 10);
  }
  TForm* form = nullptr;
  TLabel* label = nullptr;
};

TEST_F(LabelTest, AutoSizeFollowsTheTextAndTheFont) {
  label->SetCaption("Text copied to clipboard: ");
  EXPECT_EQ(label->Width(), TextWidth(*label->Font(), "Text copied to clipboard: "));
  EXPECT_EQ(label->Height(), 13);  // one line of MS Sans Serif at -11
  TFont larger;
  larger.Assign(label->Font());
  larger.SetHeight(-13);
  label->SetFont(&larger);
  EXPECT_EQ(label->Width(), TextWidth(larger, "Text copied to clipboard: "));
  EXPECT_EQ(label->Height(), 16);
  // "&&" is one "&" unless accelerators are off; an empty caption keeps one blank's size.
  label->SetCaption("A&&B");
  EXPECT_EQ(label->Width(), TextWidth(larger, "A&B"));
  label->SetShowAccelChar(false);
  EXPECT_EQ(label->Width(), TextWidth(larger, "A&&B"));
  label->SetCaption("");
  EXPECT_EQ(label->Width(), TextWidth(larger, " "));
  EXPECT_EQ(label->Height(), 16);
  EXPECT_EQ(label->Left(), 100);
  EXPECT_EQ(label->Top(), 50);
}

TEST_F(LabelTest, TheAnchoredEdgeStays) {
  label->SetAlignment(taRightJustify);
  label->SetCaption("wide caption");
  const int right = label->Left() + label->Width();
  label->SetCaption("x");
  EXPECT_EQ(label->Left() + label->Width(), right);
  label->SetAlignment(taLeftJustify);
  label->SetAnchors(akTop | akRight);
  label->SetCaption("wider caption again");
  EXPECT_EQ(label->Left() + label->Width(), right);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndTakesTheHeight) {
  label->SetAutoSize(false);
  label->SetBounds(100, 50, 60, 10);
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  label->SetCaption("several words that cannot fit one line");
  EXPECT_EQ(label->Width(), 60);
  EXPECT_GT(label->Height(), 3 * 13 - 1);
  EXPECT_EQ(label->Height() % 13, 0);
  // Without AutoSize nothing moves.
  label->SetAutoSize(false);
  label->SetCaption("x");
  EXPECT_EQ(label->Width(), 60);
}

TEST_F(LabelTest, ADescriptionSizesTheLabelOnceRead) {
  // The bar's copied-text label: empty, bold Arial at -11, sized to one blank of that font.
  ReadComponentRes(form,
                   "object Bar: TForm\n"
                   "  object Copied: TLabel\n"
                   "    Left = 137\n"
                   "    Top = 33\n"
                   "    Width = 3\n"
                   "    Height = 14\n"
                   "    Font.Height = -11\n"
                   "    Font.Name = 'Arial'\n"
                   "    Font.Style = [fsBold]\n"
                   "    ParentFont = False\n"
                   "  end\n"
                   "end\n",
                   "Bar");
  auto* copied = dynamic_cast<TLabel*>(form->FindComponent("Copied"));
  ASSERT_NE(copied, nullptr);
  TFont font;
  font.SetName("Arial");
  font.SetStyle(fsBold);
  EXPECT_EQ(copied->Width(), TextWidth(font, " "));
  EXPECT_EQ(copied->Height(), TextSize(font, " ").cy);
  EXPECT_EQ(copied->Left(), 137);
}

TEST(PanelAlign, AlignedChildrenStayInsideTheBevelsAndBorder) {
  {
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 200, 100);
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    auto* child = new TPanel(&panel);
    child->SetParent(&panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), platform::Rect(7, 7, 193, 93));
    panel.SetBevelOuter(bvNone);
    EXPECT_EQ(child->BoundsRect(), platform::Rect(5, 5, 195, 95));
  }
}

TEST_F(LabelTest, AnImageTakesItsPicturesSizeAndPlace) {
  auto* image = Create<TImage>(form);
  image->SetParent(form);
  image->SetBounds(0, 0, 57, 49);
  TBitmap picture(48, 40);
  image->Picture()->SetGraphic(&picture);
  EXPECT_EQ(image->DestRect(), platform::Rect(0, 0, 48, 40));
  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), platform::Rect(4, 4, 52, 44));
  image->SetStretch(true);
  EXPECT_EQ(image->DestRect(), platform::Rect(0, 0, 57, 49));
  image->SetProportional(true);  // 48 x 40 scaled to the width: 57 x 47, centred
  EXPECT_EQ(image->DestRect(), platform::Rect(0, 1, 57, 48));
  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 48);
  EXPECT_EQ(image->Height(), 40);
  // A picture covering the whole control hides what lies under it.
  image->SetStretch(false);
  EXPECT_TRUE(image->ControlStyleHas(csOpaque));
  image->Picture()->SetGraphic(nullptr);
  EXPECT_FALSE(image->ControlStyleHas(csOpaque));
}

}  // namespace
}  // namespace framework::test
