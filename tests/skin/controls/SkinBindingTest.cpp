// The skin binding with the skinned panel and edit: section names, the hot state, the colour a
// control stands for, painting that waits for the parent, and the plain look whenever there is no
// skin to paint with.

#include <gtest/gtest.h>

#include <cstring>

#include "framework/controls/ControlMessages.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "skin/paint/sCornerRepair.h"
#include "tests/skin/SkinnedFormFixture.h"

namespace skin::test {
namespace {

using framework::TMessage;

TColor AnswerToGetColor(framework::TControl* control) {
  ColorSlot() = kColorSlotUnset;
  SendSkinCommand(control, SKC_GETCOLOR);
  return ColorSlot();
}

using SkinBindingTest = SkinnedFormTest;

TEST_F(SkinBindingTest, SectionNamesAreStoredUpperCaseAndAnEmptyOneIsUnknown) {
  ShowSkinned();
  TsCommonData* data = edit->SkinData();
  EXPECT_EQ(data->SkinSection(), "EDIT");  // chosen by the control type
  EXPECT_EQ(panel->SkinData()->SkinSection(), "PANEL");
  data->SetSkinSection("");
  EXPECT_EQ(data->SkinSection(), "UNKNOWN");
  EXPECT_EQ(data->SectionIndex, -1);
  EXPECT_FALSE(data->BoundToSection());
  data->SetSkinSection("edit");
  EXPECT_EQ(data->SkinSection(), "EDIT");
  EXPECT_EQ(data->SectionIndex, manager->Tables().FindSection("EDIT"));
  EXPECT_TRUE(data->BoundToActiveSkin());
  // An unknown name leaves the edit plain, in the class library's colours.
  data->SetSkinSection("NO SUCH SECTION");
  Pump();
  EXPECT_FALSE(data->BoundToSection());
  EXPECT_EQ(edit->Color(), platform::clWindow);
  EXPECT_EQ(edit->Font()->Color(), platform::clWindowText);
}

TEST_F(SkinBindingTest, APanelIsNeverHotWhileAnEditUnderTheMouseOrFocusedIs) {
  ShowSkinned();
  EXPECT_FALSE(CanBeHot(ctPanel));
  EXPECT_TRUE(CanBeHot(ctCheckBox));
  EXPECT_TRUE(CanBeHot(300));
  platform::SetFocus(form->Handle());  // nothing focused
  panel->Perform(framework::CM_MOUSEENTER);
  EXPECT_FALSE(panel->SkinData()->MouseOver);
  EXPECT_FALSE(panel->SkinData()->IsHot());
  EXPECT_FALSE(edit->SkinData()->IsHot());
  edit->Perform(framework::CM_MOUSEENTER);
  EXPECT_TRUE(edit->SkinData()->IsHot());
  edit->Perform(framework::CM_MOUSELEAVE);
  EXPECT_FALSE(edit->SkinData()->IsHot());
  edit->SetFocus();
  EXPECT_TRUE(edit->SkinData()->HasFocus);
  EXPECT_TRUE(edit->SkinData()->IsHot());
  edit->SetEnabled(false);
  EXPECT_FALSE(edit->SkinData()->IsHot());  // a disabled control is never hot
}

TEST_F(SkinBindingTest, TheColourOfAHalfTransparentControlMixesInTwoHundredFiftySixths) {
  adjust = [](TsStoredSkin* skin) {
    StoredSection(skin, "EDIT")->Color = platform::clBlack;
    StoredSection(skin, "EDIT")->Transparency = 50;
    StoredSection(skin, "PANEL")->Color = platform::clWhite;
  };
  ShowSkinned();
  EXPECT_EQ(AnswerToGetColor(panel), platform::clWhite);
  EXPECT_EQ(AnswerToGetColor(edit), platform::RGB(49, 49, 49));  // (50 * 255 + 0) >> 8
  // The form stands for its section's hot colour.
  EXPECT_EQ(AnswerToGetColor(form), 0xCAAB77);
}

TEST_F(SkinBindingTest, AChildPaintsOnlyOnceItsParentHasPainted) {
  ShowSkinned();
  EXPECT_FALSE(panel->SkinData()->BackgroundDirty);
  EXPECT_FALSE(edit->SkinData()->BackgroundDirty);
  // The form's image goes dirty: the panel must not render over a background about to change.
  provider->SkinData()->BackgroundDirty = true;
  panel->SkinData()->BackgroundDirty = true;
  EXPECT_TRUE(panel->SkinData()->IsDeferred());
  panel->Invalidate();
  platform::UpdateWindow(panel->Handle());
  EXPECT_TRUE(panel->SkinData()->PaintDeferred);
  EXPECT_TRUE(panel->SkinData()->BackgroundDirty);  // nothing was rendered
  // The form paints, then tells its children, and the panel renders at once.
  form->Invalidate();
  platform::UpdateWindow(form->Handle());
  EXPECT_FALSE(provider->SkinData()->BackgroundDirty);
  EXPECT_FALSE(panel->SkinData()->PaintDeferred);
  EXPECT_FALSE(panel->SkinData()->BackgroundDirty);
}

TEST_F(SkinBindingTest, AnEditFollowsTheSectionColoursAndTheRemovalRestoresTheWindowColours) {
  ShowSkinned();
  EXPECT_EQ(edit->Color(), 0x0000FF);   // the section's Color
  EXPECT_EQ(edit->Font()->Color(), 0);  // its first FontColor
  EXPECT_EQ(form->Color(), 0x0000FF);   // GLOBALINFO's colour
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(edit->Color(), platform::clWindow);
  EXPECT_EQ(edit->Font()->Color(), platform::clWindowText);
  EXPECT_EQ(form->Color(), platform::clBtnFace);
  EXPECT_FALSE(panel->SkinData()->BoundToSection());
  manager->SetActive(true);
  Pump();
  EXPECT_EQ(edit->Color(), 0x0000FF);
  EXPECT_TRUE(edit->SkinData()->BoundToActiveSkin());
  // A control that keeps its own colour keeps it through both.
  edit->SkinData()->SetCustomColor(true);
  edit->SetColor(platform::clYellow);
  manager->SetActive(false);
  EXPECT_EQ(edit->Color(), platform::clYellow);
}

TEST_F(SkinBindingTest, ARefreshOfTheSkinReachesTheControlsOfASkinnedForm) {
  ShowSkinned();
  manager->SetHueOffset(120);  // recoloured: the manager refreshes the forms
  const TsGeneralData& section =
      manager->Tables().Sections[static_cast<size_t>(manager->Tables().FindSection("EDIT"))];
  ASSERT_NE(section.Color, 0x0000FF);
  EXPECT_EQ(edit->Color(), section.Color);
  Pump();
  EXPECT_FALSE(panel->SkinData()->BackgroundDirty);
  EXPECT_FALSE(edit->SkinData()->BackgroundDirty);
}

TEST_F(SkinBindingTest, AnEditNeverOffersAPatternedBackgroundAndAPlainPanelNeither) {
  adjust = [](TsStoredSkin* skin) { StoredSection(skin, "EDIT")->GradientPercent = 60; };
  ShowSkinned();
  EXPECT_FALSE(QuerySkinCommand(edit, SKC_HASPATTERNBG));
  EXPECT_FALSE(QuerySkinCommand(panel, SKC_HASPATTERNBG));
  EXPECT_TRUE(QuerySkinCommand(edit, SKC_ISSKINNED));
  // A plain panel is not redrawn when it moves.
  Pump();
  panel->SetLeft(5);
  EXPECT_FALSE(panel->SkinData()->DependsOnParent());
}

TEST_F(SkinBindingTest, ResizingAGradientContainerRepaintsItsTopLeftAnchoredChildrenOnly) {
  adjust = [](TsStoredSkin* skin) {
    StoredSection(skin, "PANEL")->GradientPercent = 100;
    StoredSection(skin, "EDIT")->Transparency = 50;  // the edits show the panel's gradient
  };
  ShowSkinned();
  auto* bottom = framework::Create<TsEdit>(form);
  bottom->SetParent(panel);
  bottom->SetBounds(120, 10, 60, 21);
  bottom->SetAnchors(framework::akLeft | framework::akBottom);
  Pump();
  ASSERT_FALSE(edit->SkinData()->BackgroundDirty);
  ASSERT_FALSE(bottom->SkinData()->BackgroundDirty);
  panel->SetBounds(0, 0, 220, 60);
  EXPECT_TRUE(edit->SkinData()->BackgroundDirty);
  // Anchored to the bottom, it moves with the panel's height and repaints by its own move.
  EXPECT_FALSE(bottom->SkinData()->BackgroundDirty);
}

TEST_F(SkinBindingTest, APasswordEditDrawsOneMaskCharacterPerCharacter) {
  ShowSkinned();
  platform::SetFocus(form->Handle());  // the whole face, text included, from the cache
  edit->SetPasswordChar(U'*');
  edit->SetText("G\xC3\xBCt");  // three characters, four bytes
  Pump();
  const platform::DIBitmap masked = edit->SkinData()->CacheBitmap->DIB();
  edit->SetPasswordChar(0);
  edit->SetText("***");
  Pump();
  const platform::DIBitmap& plain = edit->SkinData()->CacheBitmap->DIB();
  ASSERT_EQ(masked.Width(), plain.Width());
  for (int y = 0; y < plain.Height(); ++y)
    ASSERT_EQ(0, std::memcmp(masked.ScanLine(y), plain.ScanLine(y),
                             static_cast<size_t>(plain.Width()) * 3))
        << "row " << y;
}

TEST_F(SkinBindingTest, AnEditPartlyOutsideItsParentRendersOnEveryFullPaint) {
  ShowSkinned();
  edit->SetBounds(150, 10, 100, 21);  // beyond the panel's right edge
  Pump();
  EXPECT_TRUE(edit->SkinData()->PartlyPainted);
  edit->Invalidate();
  platform::UpdateWindow(edit->Handle());
  EXPECT_TRUE(edit->SkinData()->PartlyPainted);
  EXPECT_FALSE(edit->SkinData()->BackgroundDirty);  // rendered again, not skipped
}

TEST_F(SkinBindingTest, ASkinWithoutPanelOrEditSectionsLeavesThemPlain) {
  MakeForm();
  manager = framework::Create<TsSkinManager>(form);
  TsStoredSkin* skin = manager->InternalSkins()->AddItem();
  skin->SetName("Bare");
  skin->SetMasterBitmap(MakeBitmap8(16, 16).get());
  AddSection(skin, "FORM");
  MakeControls();
  manager->SetSkinName("Bare");
  form->Show();
  Pump();
  EXPECT_TRUE(provider->SkinData()->BoundToActiveSkin());
  EXPECT_FALSE(panel->SkinData()->BoundToSection());
  EXPECT_FALSE(edit->SkinData()->BoundToSection());
  EXPECT_EQ(edit->Color(), platform::clWindow);
  // The plain panel paints its own colour.
  const platform::DIBitmap& screen = desktop->Find(form->Handle())->screen;
  EXPECT_EQ(screen.Pixel(100, 40), platform::ColorToRGB(platform::clBtnFace));
}

TEST_F(SkinBindingTest, ControlsMadeBeforeAnyManagerAreSkinnedWhenOneComes) {
  MakeForm();
  MakeControls();
  form->Show();
  Pump();
  EXPECT_EQ(edit->SkinData()->GetSkinManager(), nullptr);
  EXPECT_FALSE(edit->SkinData()->BoundToSection());
  MakeManager();
  manager->SetSkinName("Test");
  Pump();
  EXPECT_TRUE(edit->SkinData()->BoundToActiveSkin());
  EXPECT_TRUE(panel->SkinData()->BoundToActiveSkin());
  EXPECT_EQ(edit->Color(), 0x0000FF);
  EXPECT_FALSE(panel->SkinData()->BackgroundDirty);  // painted once the form had painted
}

TEST_F(SkinBindingTest, AManagerFreedWhileTheFormShowsLeavesThePlainLook) {
  ShowSkinned();
  delete manager;
  manager = nullptr;
  Pump();
  EXPECT_EQ(DefaultManager(), nullptr);
  EXPECT_FALSE(edit->SkinData()->BoundToSection());
  EXPECT_EQ(edit->Color(), platform::clWindow);
  EXPECT_EQ(form->Color(), platform::clBtnFace);
  // Painting and hovering go on in the plain look.
  edit->Perform(framework::CM_MOUSEENTER);
  form->Invalidate();
  Pump();
}

TEST_F(SkinBindingTest, AStoredManagerIsForgottenWhenItGoes) {
  ShowSkinned();
  auto* second = framework::Create<TsSkinManager>(form);
  AddTestSkin(second, "Second");
  second->SetSkinName("Second");
  edit->SkinData()->SetSkinManager(second);
  EXPECT_EQ(edit->SkinData()->SkinManager(), second);
  second->SetActive(false);
  delete second;
  EXPECT_EQ(edit->SkinData()->SkinManager(), nullptr);
  EXPECT_EQ(edit->SkinData()->GetSkinManager(), manager);
}

TEST_F(SkinBindingTest, ABoundLabelStandsBesideItsEditAndFollowsIt) {
  ShowSkinned();
  edit->SetName("sEdit9");
  TsBoundLabel* bound = edit->BoundLabel();
  bound->SetActive(true);
  TsEditLabel* label = bound->TheLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Name(), "sEdit9Label");
  EXPECT_EQ(label->Caption(), "sEdit9");  // no caption of its own: the edit's name
  EXPECT_EQ(label->Parent(), panel);
  EXPECT_TRUE(label->Visible());
  bound->SetCaption("Name");
  bound->SetIndent(2);
  EXPECT_EQ(label->Left(), edit->Left() - label->Width() - 4 - 2);
  EXPECT_EQ(label->Top(), edit->Top() + (edit->Height() - label->Height()) / 2 - 1);
  bound->SetLayout(sclTopRight);
  EXPECT_EQ(label->Left(), edit->Left() + edit->Width() - label->Width());
  EXPECT_EQ(label->Top(), edit->Top() - label->Height() - 2);
  edit->SetBounds(40, 30, 100, 21);
  EXPECT_EQ(label->Top(), 30 - label->Height() - 2);
  edit->SetVisible(false);
  EXPECT_FALSE(label->Visible());
  bound->SetActive(false);
  EXPECT_EQ(bound->TheLabel(), nullptr);
}

TEST_F(SkinBindingTest, ABoundLabelFreedWithItsParentIsForgottenByItsEdit) {
  ShowSkinned();
  edit->BoundLabel()->SetActive(true);
  delete edit->BoundLabel()->TheLabel();
  EXPECT_EQ(edit->BoundLabel()->TheLabel(), nullptr);
  edit->BoundLabel()->SetActive(true);
  delete panel;  // the label and the edit go with it, in either order
  panel = nullptr;
  edit = nullptr;
  Pump();
}

TEST_F(SkinBindingTest, APanelCaptionIsRenderedAgainOnlyWhenItChanges) {
  ShowSkinned();
  panel->SetCaption("Caption");
  EXPECT_TRUE(panel->SkinData()->BackgroundDirty);
  Pump();
  EXPECT_FALSE(panel->SkinData()->BackgroundDirty);
  panel->SetCaption("");
  Pump();
  panel->Font()->SetHeight(-20);  // no caption: nothing to draw again
  EXPECT_FALSE(panel->SkinData()->BackgroundDirty);
}

TEST_F(SkinBindingTest, CornersOfALaterStateAreTakenFromItsShareOfTheWholeWidth) {
  // An edit border of three states over 20 columns of the master bitmap, whose key-coloured
  // pixels lie where (x + y) mod 5 is 0: state 2 starts at column 2 * 20 div 3 = 13, not at
  // 2 * (20 div 3) = 12.
  adjust = [](TsStoredSkin* skin) {
    for (int i = 0; i < skin->Images()->Count(); ++i) {
      TsSkinImage* image = skin->Images()->Items(i);
      if (image->SectionName != "EDIT") continue;
      image->Left = image->Top = 0;
      image->Right = 20;
      image->Bottom = 10;
      image->ImageCount = 3;
      image->BorderWidth = 0;
      image->WL = image->WT = image->WR = image->WB = 3;
    }
  };
  ShowSkinned();
  TsCommonData* data = edit->SkinData();
  ASSERT_TRUE(data->CacheBitmap);
  platform::DIBitmap& cache = data->CacheBitmap->DIB();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) cache.SetPixel(x, y, platform::clBlack);
  RepairCorners(*data, lkPressed, crTopLeft);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(cache.Pixel(x, y), (13 + x + y) % 5 == 0 ? platform::clRed : platform::clBlack)
          << x << ", " << y;
}

}  // namespace
}  // namespace skin::test
