// Golden pictures of the standard controls in their classic look, as the desktop shows them.

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CustomEdit.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "platform/windows/Input.h"
#include "tests/framework/StandardControlsFixture.h"

namespace framework::test {
namespace {

using platform::Bounds;

class StandardLook : public StandardControlsTest {
 protected:
  template <typename T>
  T* Make(TWinControl* parent, int left, int top, int width, int height) {
    T* control = Create<T>(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }
};

TEST_F(StandardLook, Panels) {
  TForm* form = MakeForm(300, 120);
  auto* plain = Make<TPanel>(form, 8, 8, 185, 41);
  plain->SetCaption("Panel caption");
  auto* framed = Make<TPanel>(form, 8, 58, 185, 50);
  framed->SetCaption("Left, inner bevel");
  framed->SetAlignment(taLeftJustify);
  framed->SetBevelInner(bvLowered);
  framed->SetBorderWidth(2);
  auto* thick = Make<TPanel>(form, 202, 8, 90, 100);
  thick->SetCaption("Right");
  thick->SetAlignment(taRightJustify);
  thick->SetBevelOuter(bvLowered);
  thick->SetBevelWidth(2);
  thick->SetColor(platform::clInfoBk);
  ShowForm(form);
  ExpectGolden(Screen(form), "panels");
}

TEST_F(StandardLook, EditsUnfocused) {
  TForm* form = MakeForm(300, 100);
  auto* text = Make<TEdit>(form, 8, 8, 130, 21);
  text->SetText("Sample Text 1");
  auto* flat = Make<TEdit>(form, 150, 8, 130, 21);
  flat->SetText("Not 3D");
  flat->SetCtl3D(false);
  auto* bare = Make<TEdit>(form, 8, 40, 130, 21);
  bare->SetText("No border");
  bare->SetBorderStyle(bsNone);
  auto* beveled = Make<TEdit>(form, 150, 40, 130, 21);
  beveled->SetText("Soft bevel");
  beveled->SetBevelKind(bkSoft);
  auto* disabled = Make<TEdit>(form, 8, 72, 130, 21);
  disabled->SetText("Disabled");
  disabled->SetEnabled(false);
  auto* utf8 = Make<TEdit>(form, 150, 72, 130, 21);
  utf8->SetText(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC 1 \xFF");
  ShowForm(form);
  // Nothing is focused, so no caret shows anywhere.
  form->SetActiveControl(nullptr);
  platform::SetFocus(form->Handle());
  Pump();
  ExpectGolden(Screen(form), "edits_unfocused");
}

TEST_F(StandardLook, EditWithSelectionAndCaret) {
  TForm* form = MakeForm(160, 64);
  auto* selected = Make<TEdit>(form, 8, 8, 140, 21);
  selected->SetText("Hello wide world");
  auto* other = Make<TEdit>(form, 8, 36, 140, 21);
  other->SetText("Caret after this");
  ShowForm(form);
  other->SetFocus();
  other->SetSelStart(static_cast<int>(other->Text().size()));
  Pump();
  ExpectGolden(Screen(form), "edit_caret");
  selected->SetFocus();
  selected->SetSelStart(6);
  selected->SetSelLength(4);
  Pump();
  EXPECT_EQ(selected->SelText(), "wide");
  ExpectGolden(Screen(form), "edit_selection");
}

TEST_F(StandardLook, ReadOnlyEditSelectedAsTheBarDoes) {
  TForm* form = MakeForm(146, 29, 0x00CAAB77);
  auto* slot = Make<TEdit>(form, 8, 4, 130, 21);
  slot->SetText("Sample Text 3");
  slot->SetReadOnly(true);
  slot->SetColor(platform::clWhite);
  ShowForm(form);
  slot->SetFocus();
  slot->SelectAll();
  Pump();
  ExpectGolden(Screen(form), "edit_readonly_selected");
}

TEST_F(StandardLook, LongTextScrollsToTheCaret) {
  TForm* form = MakeForm(100, 29);
  auto* edit = Make<TEdit>(form, 4, 4, 92, 21);
  ShowForm(form);
  edit->SetFocus();
  Type("The quick brown fox jumps over the lazy dog");
  EXPECT_GT(edit->ScrollOffset(), 0);
  ExpectGolden(Screen(form), "edit_scrolled");
}

TEST_F(StandardLook, Buttons) {
  TForm* form = MakeForm(260, 76);
  auto* field = Make<TEdit>(form, 8, 8, 80, 21);
  auto* ok = Make<TButton>(form, 96, 8, 75, 25);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  auto* cancel = Make<TButton>(form, 176, 8, 75, 25);
  cancel->SetCaption("&Cancel");
  auto* disabled = Make<TButton>(form, 96, 42, 75, 25);
  disabled->SetCaption("Disabled");
  disabled->SetEnabled(false);
  auto* exitButton = Make<TButton>(form, 176, 42, 47, 26);
  exitButton->SetCaption("Exit");
  ShowForm(form);
  field->SetFocus();
  Pump();
  // The focus is on an edit: the default button is the one Enter presses, and shows it.
  EXPECT_TRUE(ok->Active());
  EXPECT_FALSE(cancel->Active());
  ExpectGolden(Screen(form), "buttons_default");

  cancel->SetFocus();
  Pump();
  EXPECT_FALSE(ok->Active());
  ExpectGolden(Screen(form), "buttons_focused");

  desktop->MoveMouse(At(cancel, 30, 12));
  desktop->Press();
  Pump();
  EXPECT_TRUE(cancel->Pushed());
  ExpectGolden(Screen(form), "buttons_pressed");
  desktop->Release();
  Pump();
}

TEST_F(StandardLook, CheckBoxes) {
  TForm* form = MakeForm(220, 112);
  auto* unchecked = Make<TCheckBox>(form, 8, 4, 200, 17);
  unchecked->SetCaption("Unchecked");
  auto* checked = Make<TCheckBox>(form, 8, 22, 200, 17);
  checked->SetCaption("Copy to Clipboard when mouse over");
  checked->SetChecked(true);
  auto* grayed = Make<TCheckBox>(form, 8, 40, 200, 17);
  grayed->SetCaption("&Grayed");
  grayed->SetAllowGrayed(true);
  grayed->SetState(cbGrayed);
  auto* disabled = Make<TCheckBox>(form, 8, 58, 200, 17);
  disabled->SetCaption("Disabled and checked");
  disabled->SetChecked(true);
  disabled->SetEnabled(false);
  auto* left = Make<TCheckBox>(form, 8, 76, 200, 17);
  left->SetCaption("Text at the left");
  left->SetAlignment(taLeftJustify);
  auto* focused = Make<TCheckBox>(form, 8, 94, 200, 17);
  focused->SetCaption("Focused");
  ShowForm(form);
  focused->SetFocus();
  Pump();
  ExpectGolden(Screen(form), "checkboxes");
  // Held down with the mouse: the box turns grey until released.
  desktop->MoveMouse(At(unchecked, 6, 8));
  desktop->Press();
  Pump();
  ExpectGolden(Screen(form), "checkboxes_pressed");
  desktop->Release();
  Pump();
  EXPECT_TRUE(unchecked->Checked());
}

TEST_F(StandardLook, Labels) {
  TForm* form = MakeForm(260, 84);
  auto* plain = Make<TLabel>(form, 8, 4, 10, 10);
  plain->SetCaption("Text copied to clipboard: ");
  auto* disabled = Make<TLabel>(form, 8, 22, 10, 10);
  disabled->SetCaption("Disabled label");
  disabled->SetEnabled(false);
  auto* colored = Make<TLabel>(form, 8, 40, 10, 10);
  colored->SetCaption("Bold &Arial on maroon");
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-11);
  font.SetStyle(fsBold);
  font.SetColor(platform::clWhite);
  colored->SetFont(&font);
  colored->SetColor(platform::clMaroon);
  auto* centred = Make<TLabel>(form, 160, 4, 90, 70);
  centred->SetAutoSize(false);
  centred->SetWordWrap(true);
  centred->SetAlignment(taCenter);
  centred->SetLayout(tlCenter);
  centred->SetColor(platform::clWhite);
  centred->SetCaption("Centred text broken into lines");
  ShowForm(form);
  ExpectGolden(Screen(form), "labels");
}

// A 48 x 48 picture: a blue disc with a yellow ring, transparent outside the disc.
void MakeIcon(TIcon& icon) {
  platform::DIBitmap image(48, 48, 24);
  platform::DIBitmap mask(48, 48, 24);
  for (int y = 0; y < 48; ++y) {
    uint8_t* p = image.ScanLine(y);
    uint8_t* m = mask.ScanLine(y);
    for (int x = 0; x < 48; ++x, p += 3, m += 3) {
      const int dx = 2 * x - 47;
      const int dy = 2 * y - 47;
      const int d2 = dx * dx + dy * dy;
      const bool inside = d2 <= 46 * 46;
      const bool ring = d2 >= 36 * 36 && inside;
      p[0] = ring ? 0 : static_cast<uint8_t>(120 + 2 * y);
      p[1] = ring ? 210 : static_cast<uint8_t>(40 + 2 * x);
      p[2] = ring ? 250 : 20;
      m[0] = m[1] = m[2] = inside ? 0 : 255;
    }
  }
  icon.SetImage(image, &mask);
}

TEST_F(StandardLook, ImageWithAnIcon) {
  TForm* form = MakeForm(80, 64);
  auto* image = Make<TImage>(form, 8, 8, 57, 49);
  TIcon icon;
  MakeIcon(icon);
  image->Picture()->SetGraphic(&icon);
  ShowForm(form);
  ExpectGolden(Screen(form), "image_icon");
}

}  // namespace
}  // namespace framework::test
