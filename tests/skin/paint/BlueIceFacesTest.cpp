// Golden pictures of the program's skinned faces in the stored skin "BlueIce (internal)": the
// edits, buttons, panels and check box glyphs at the program's sizes and in each state, composed
// as the controls compose them over the FORM background of a form that answers like a skinned
// one, and put on that background as the screen shows them. Compared byte for byte with the PNG
// files under tests/golden/skin.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CustomEdit.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/StandardClasses.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sCornerRepair.h"
#include "skin/paint/sStateImage.h"
#include "tests/GoldenPicture.h"

namespace skin::test {
namespace {

using framework::TBitmap;
using framework::TControl;
using platform::TRect;

// A form that answers its controls as a skinned form does: its background is its cache, and that
// background is a picture (the FORM section's JPEG pattern).
class SkinnedForm : public framework::TForm {
 public:
  explicit SkinnedForm(framework::TComponent* owner) : TForm(owner) {}
  void WndProc(framework::TMessage& m) override {
    if (m.Msg == SM_SKINCMD) {
      switch (SkinCommandOf(m.WParam)) {
        case SKC_GETCACHE: ParentCache() = {background.get(), 0, 0, true}; return;
        case SKC_HASPATTERNBG: m.LParam = 1; return;
        default: break;
      }
    }
    TForm::WndProc(m);
  }
  std::unique_ptr<TBitmap> background;
};

class BlueIceFaces : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>());
    app = std::make_unique<framework::TApplication>();
    RegisterStoredSkins();
    RegisterSkinDataClasses();
    framework::RegisterStandardClasses();
    root = std::make_unique<framework::TComponent>(nullptr);
    framework::ReadComponentRes(root.get(),
                                "object Form1: TComponent\n"
                                "  object sSkinManager1: TsSkinManager\n"
                                "    InternalSkins = <\n"
                                "      file 'skins/BlueIce/Skin.dfm'>\n"
                                "    SkinName = 'BlueIce (internal)'\n"
                                "  end\n"
                                "end\n",
                                "Unit1.dfm");
    manager = dynamic_cast<TsSkinManager*>(root->FindComponent("sSkinManager1"));
    ASSERT_TRUE(manager);
  }
  void TearDown() override {
    bindings.clear();
    form = nullptr;
    app.reset();
    root.reset();
    platform::InstallBackend(nullptr);
  }

  // A borderless form of the size with the FORM background rendered into its cache.
  void MakeForm(int width, int height) {
    form = new SkinnedForm(app.get());
    form->SetBorderStyle(framework::bsNone);
    form->SetBounds(0, 0, width, height);
    form->SetColor(manager->Tables()
                       .Sections[static_cast<size_t>(manager->Tables().FindSection("FORM"))]
                       .Color);
    form->HandleNeeded();
    form->background = NewBitmap24(width, height);
    const TsSkinTables& tables = manager->Tables();
    PaintSectionBackground({&tables, tables.FindSection("FORM"), "FORM"}, {}, kKeyColor,
                           {form->background.get(), {0, 0}, {0, 0, width, height}});
    screen = std::make_unique<TBitmap>();
    screen->Assign(form->background.get());
  }
  template <typename T>
  TsCommonDataBase* Place(const std::string& section, int left, int top, int width, int height,
                          bool enabled = true) {
    auto* control = new T(form);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    control->SetEnabled(enabled);
    bindings.push_back(std::make_unique<TsCommonDataBase>(control, true));
    TsCommonDataBase* data = bindings.back().get();
    data->Bind(manager, section);
    data->PrepareCache();
    return data;
  }
  // The cache onto the screen where the control lies, leaving out what the region cuts away.
  void Show(TsCommonDataBase& data, const platform::Region* region = nullptr) {
    const TControl* c = data.OwnerControl;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x)
        if (!region || region->Contains(x, y))
          screen->DIB().SetPixel(c->Left() + x, c->Top() + y, data.CacheBitmap->DIB().Pixel(x, y));
  }
  // An edit, a panel or a check box: the whole face, its corners repaired from the parent.
  void PaintFace(TsCommonDataBase& data, bool fillCentre, int state) {
    const TControl* c = data.OwnerControl;
    const auto look = static_cast<TsLook>(state);
    PaintControlFace(
        data, data.GetParentCache(), fillCentre ? bfFillCentre : 0,
        {data.CacheBitmap.get(), {c->Left(), c->Top()}, {0, 0, c->Width(), c->Height()}, look});
    RepairCorners(data, look, kAllCorners);
  }
  // A push button: background, border cut out of the window's region, the disabled look.
  platform::Region PaintButton(TsCommonDataBase& data, int state) {
    const TControl* c = data.OwnerControl;
    const TCacheInfo info = data.GetParentCache();
    const auto look = static_cast<TsLook>(state);
    const TsFaceColors faceColors(data, info);
    PaintControlBackground(data, info,
                           faceColors.Filled({data.CacheBitmap.get(),
                                              {c->Left(), c->Top()},
                                              {0, 0, c->Width(), c->Height()},
                                              look}));
    platform::Region region(TRect{0, 0, c->Width(), c->Height()});
    DrawBorderMaskWithRegion(data.CacheBitmap.get(), region, bfFillCentre, look,
                             manager->Tables().Masks[static_cast<size_t>(data.BorderMaskIndex)]);
    if (!c->Enabled())
      PaintDisabledLook(data.CacheBitmap.get(), dkBlended, form, c->BoundsRect().TopLeft(), info);
    return region;
  }

  void ExpectGolden(const std::string& name) {
    golden::ExpectGoldenPicture(screen->DIB(), "skin", name);
  }

  std::unique_ptr<framework::TApplication> app;
  std::unique_ptr<framework::TComponent> root;
  TsSkinManager* manager = nullptr;
  SkinnedForm* form = nullptr;
  std::unique_ptr<TBitmap> screen;
  std::vector<std::unique_ptr<TsCommonDataBase>> bindings;
};

TEST_F(BlueIceFaces, EditsOfTheBarAndTheEditorInBothStates) {
  MakeForm(700, 96);
  PaintFace(*Place<framework::TEdit>("EDIT", 8, 8, 130, 21), true, 0);
  PaintFace(*Place<framework::TEdit>("EDIT", 150, 8, 130, 21), true, 1);
  PaintFace(*Place<framework::TEdit>("EDIT", 8, 38, 681, 21), true, 0);
  PaintFace(*Place<framework::TEdit>("EDIT", 8, 66, 681, 21), true, 1);
  for (auto& data : bindings) Show(*data);
  ExpectGolden("blueice_edits");
}

TEST_F(BlueIceFaces, ButtonsAtTheProgramsSizesInEachStateAndDisabled) {
  MakeForm(348, 122);
  const int widths[] = {47, 65, 75};
  const int heights[] = {26, 25, 30};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      const bool disabled = column == 3;
      TsCommonDataBase* data = Place<framework::TButton>("BUTTON", 8 + column * 85, 8 + row * 38,
                                                         widths[row], heights[row], !disabled);
      const platform::Region region = PaintButton(*data, disabled ? 0 : column);
      Show(*data, &region);
    }
  }
  ExpectGolden("blueice_buttons");
}

TEST_F(BlueIceFaces, ThePanelOfTheBar) {
  MakeForm(1019, 56);
  TsCommonDataBase* panel = Place<framework::TPanel>("PANEL", 0, 0, 969, 30);
  PaintFace(*panel, false, 0);
  Show(*panel);
  ExpectGolden("blueice_bar_panel");
}

TEST_F(BlueIceFaces, ThePanelOfTheEditor) {
  MakeForm(753, 305);
  TsCommonDataBase* panel = Place<framework::TPanel>("PANEL", 0, 0, 753, 305);
  PaintFace(*panel, false, 0);
  Show(*panel);
  ExpectGolden("blueice_editor_panel");
}

TEST_F(BlueIceFaces, CheckBoxGlyphsInEachState) {
  MakeForm(104, 80);
  const char* glyphs[] = {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"};
  for (int row = 0; row < 3; ++row) {
    const int mask = manager->Tables().FindMaskExact("GLOBALINFO", glyphs[row]);
    ASSERT_TRUE(manager->Tables().IsValidMaskIndex(mask)) << glyphs[row];
    const TsMaskData& glyph = manager->Tables().Masks[static_cast<size_t>(mask)];
    const int cellHeight = glyph.R.Height() / (glyph.MaskType + 1);
    for (int state = 0; state < 3; ++state) {
      TsCommonDataBase* box =
          Place<framework::TCheckBox>("CHECKBOX", 8 + state * 32, 6 + row * 24, 24, 20);
      PaintFace(*box, true, state);
      DrawStateImage(box->CacheBitmap.get(), {2, (20 - cellHeight) / 2}, static_cast<TsLook>(state),
                     glyph, 1);
      Show(*box);
    }
  }
  ExpectGolden("blueice_checkboxes");
}

}  // namespace
}  // namespace skin::test
