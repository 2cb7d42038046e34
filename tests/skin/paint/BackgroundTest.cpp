// Background composition: colour, gradient and texture shares, the section's transparency over
// the parent's image or colour, the hot column, and the disabled look.

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>

#include "framework/controls/Panel.h"
#include "framework/forms/StandardClasses.h"
#include "skin/paint/sBackground.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/skin/paint/PaintTestSupport.h"

namespace skin::test {
namespace {

using platform::RGB;

class Background : public SkinManagerFixture {
 protected:
  void SetUp() override {
    SkinManagerFixture::SetUp();
    framework::RegisterStandardClasses();
    stored = AddTestSkin(manager.get(), "Test");
  }
  void TearDown() override {
    form.reset();
    SkinManagerFixture::TearDown();
  }
  // CHECKBOX, which has no border mask in the test skin, changed by `change`, then loaded.
  template <typename Change>
  void Section(Change&& change) {
    for (int i = 0; i < stored->GeneralData()->Count(); ++i) {
      TsSkinGeneral* g = stored->GeneralData()->Items(i);
      if (g->SectionName == "CHECKBOX") change(*g);
    }
    manager->SetSkinName("Test");
    data = std::make_unique<TsCommonDataBase>(nullptr, true);
    data->Bind(manager.get(), "CHECKBOX");
    ASSERT_GE(data->SectionIndex, 0);
  }
  std::unique_ptr<TBitmap> Face(const TCacheInfo& info, int state = 0, platform::TPoint at = {}) {
    auto face = Plain(6, 4, platform::clBlack);
    PaintControlFace(*data, info, bfFillCentre,
                     {face.get(), at, {0, 0, 6, 4}, static_cast<TsLook>(state)});
    return face;
  }

  TsStoredSkin* stored = nullptr;
  std::unique_ptr<TsCommonDataBase> data;
  std::unique_ptr<framework::TForm> form;
};

TEST_F(Background, FullTransparencyShowsExactlyTheParentBehindTheControl) {
  Section([](TsSkinGeneral& g) { g.Transparency = 100; });
  auto parent = Tagged(20, 20);
  auto face = Face({parent.get(), 1, 2, true}, 0, {3, 4});
  EXPECT_TRUE(PixelsAre(*face, [](int x, int y) { return Tag(x + 4, y + 6); }));
  EXPECT_EQ(ColorSlot(), kColorSlotUnset);
}

TEST_F(Background, HalfTransparentRedOverBlueMixesWithWeight127) {
  Section([](TsSkinGeneral& g) { g.Transparency = 50; });
  auto parent = Plain(10, 10, platform::clBlue);
  auto face = Face({parent.get(), 0, 0, true});
  EXPECT_TRUE(PixelsAre(*face, [](int, int) { return RGB(127, 0, 127); }));
}

TEST_F(Background, GradientAloneAndGradientTintedTowardTheColour) {
  Section([](TsSkinGeneral& g) {
    g.GradientPercent = 100;
    g.GradientData = "65280;65280;100;0;0";  // plain green
  });
  EXPECT_TRUE(PixelsAre(*Face({}), [](int, int) { return platform::clLime; }));
  manager.reset();
  manager = std::make_unique<TsSkinManager>(nullptr);
  stored = AddTestSkin(manager.get(), "Test");
  Section([](TsSkinGeneral& g) {
    g.GradientPercent = 60;
    g.GradientData = "65280;65280;100;0;0";
  });
  // 60 % green, 40 % the section's red: 0.6 * 255 = 153, 0.4 * 255 = 102.
  EXPECT_TRUE(PixelsAre(*Face({}), [](int, int) { return RGB(102, 153, 0); }));
}

TEST_F(Background, WithoutAParentImageATransparentFaceTakesTheParentsColour) {
  Section([](TsSkinGeneral& g) { g.Transparency = 70; });
  form = std::make_unique<framework::TForm>(nullptr);
  form->SetColor(platform::clTeal);
  auto* control = new framework::TPanel(form.get());
  control->SetParent(form.get());
  control->SetBounds(0, 0, 6, 4);
  data = std::make_unique<TsCommonDataBase>(control, true);
  data->Bind(manager.get(), "CHECKBOX");
  EXPECT_TRUE(PixelsAre(*Face({}), [](int, int) { return platform::clTeal; }));
  EXPECT_EQ(ColorSlot(), kColorSlotUnset);
  // Without the parent's image its colour is the mask fill too; with it, the target's own stays.
  // A composition that fails half-way leaves the colour slot unset for the next face.
  try {
    const TsFaceColors faceColors(*data, {});
    EXPECT_EQ(faceColors.Filled({}).MaskFill, platform::ColorToRGB(platform::clTeal));
    EXPECT_EQ(ColorSlot(), platform::ColorToRGB(platform::clTeal));
    throw std::bad_alloc();
  } catch (const std::bad_alloc&) {
  }
  EXPECT_EQ(ColorSlot(), kColorSlotUnset);
  auto parent = Plain(10, 10, platform::clBlue);
  const TsFaceColors overParent(*data, {parent.get(), 0, 0, true});
  EXPECT_EQ(overParent.Filled({nullptr, {}, {}, lkNormal, platform::clNavy}).MaskFill,
            platform::clNavy);
}

TEST_F(Background, EveryStateButTheFirstPaintsTheHotColumn) {
  Section([](TsSkinGeneral& g) {
    g.HotColor = platform::clYellow;
    g.HotTransparency = 100;
  });
  auto parent = Plain(10, 10, platform::clBlue);
  EXPECT_TRUE(PixelsAre(*Face({}, 1), [](int, int) { return platform::clYellow; }));
  EXPECT_TRUE(
      PixelsAre(*Face({parent.get(), 0, 0, true}, 2), [](int, int) { return platform::clBlue; }));
  EXPECT_TRUE(
      PixelsAre(*Face({parent.get(), 0, 0, true}, 0), [](int, int) { return platform::clRed; }));
}

TEST_F(Background, DisabledLookGraysThenBlendsFortyPercentFaceOverSixtyParent) {
  auto face = Plain(4, 4, RGB(30, 60, 90));  // grey 60
  auto parent = Plain(10, 10, RGB(200, 0, 101));
  PaintDisabledLook(face.get(), dkGrayed | dkBlended, nullptr, {2, 2}, {parent.get(), 1, 1, true});
  // 0.4 * 60 + 0.6 * 200 = 144; 0.4 * 60 = 24; 0.4 * 60 + 0.6 * 101 = 84.6 -> 85.
  EXPECT_TRUE(PixelsAre(*face, [](int, int) { return RGB(144, 24, 85); }));
  auto plain = Plain(4, 4, RGB(100, 100, 100));
  ColorSlot() = RGB(0, 0, 0);
  PaintDisabledLook(plain.get(), dkBlended, nullptr, {0, 0}, {});
  ColorSlot() = kColorSlotUnset;
  EXPECT_TRUE(PixelsAre(*plain, [](int, int) { return RGB(50, 50, 50); }));
}

TEST_F(Background, InvalidSectionsAndRectanglesOutsideTheBitmapDrawNothing) {
  Section([](TsSkinGeneral&) {});
  auto face = Plain(6, 4, platform::clBlack);
  PaintControlFace(*data, {}, bfFillCentre, {face.get(), {}, {0, 0, 7, 4}});
  PaintSection({&manager->Tables(), 99, "NONE"}, {}, {face.get(), {}, {0, 0, 6, 4}}, bfFillCentre);
  PaintSection({&manager->Tables(), data->SectionIndex, "CHECKBOX"}, {},
               {face.get(), {}, {-1, 0, 6, 4}}, bfFillCentre);
  EXPECT_TRUE(PixelsAre(*face, [](int, int) { return platform::clBlack; }));
  data->SectionIndex = 1000;
  PaintControlFace(*data, {}, bfFillCentre, {face.get(), {}, {0, 0, 6, 4}});
  EXPECT_TRUE(PixelsAre(*face, [](int, int) { return platform::clBlack; }));
}

}  // namespace
}  // namespace skin::test
