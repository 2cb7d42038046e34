#pragma once
// Skin tests run on the in-memory desktop with an application object. Test skins are made here:
// small 8-bit master bitmaps and own pictures whose pixels say where they came from, JPEG patterns
// made with the platform's encoder, and forms that record every skin message they receive.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/images/ImageCodecs.h"
#include "platform/windows/Window.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinManager.h"

namespace skin::test {

using framework::TBitmap;
using platform::DIBitmap;

// Palette of the test pictures: index 0 magenta (transparent), 1 grey, 2 red, 3 blue, 4 green.
inline DIBitmap Make8Bit(int width, int height) {
  DIBitmap dib(width, height, 8);
  std::vector<platform::RGBQuad> palette(256);
  palette[0] = {255, 0, 255, 0};
  palette[1] = {128, 128, 128, 0};
  palette[2] = {0, 0, 255, 0};
  palette[3] = {255, 0, 0, 0};
  palette[4] = {0, 255, 0, 0};
  dib.SetPalette(palette);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) dib.SetPixelIndex(x, y, static_cast<uint8_t>((x + y) % 5));
  return dib;
}

inline std::unique_ptr<TBitmap> MakeBitmap8(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetDIB(Make8Bit(width, height));
  return bitmap;
}

inline std::vector<uint8_t> MakeJpegBytes(int width, int height, platform::TColor color) {
  DIBitmap dib(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) dib.SetPixel(x, y, color);
  return platform::EncodeJpeg(dib, 90);
}

// The files of such pictures, as a skin folder holds them.
inline std::string BmpFile(int width, int height) {
  const std::vector<uint8_t> bytes = platform::WriteBmp(Make8Bit(width, height));
  return {bytes.begin(), bytes.end()};
}
inline std::string JpegFile(int width, int height, platform::TColor color = 0x336699) {
  const std::vector<uint8_t> bytes = MakeJpegBytes(width, height, color);
  return {bytes.begin(), bytes.end()};
}

inline TsSkinGeneral* AddSection(TsStoredSkin* skin, const std::string& name,
                                 const std::string& parent = "") {
  TsSkinGeneral* g = skin->GeneralData()->AddItem();
  g->SectionName = name;
  g->ParentClass = parent;
  g->Color = 0x0000FF;  // pure red
  g->HotColor = 0xCAAB77;
  g->FontColor = "0 16768169 -1 -1 -1";
  g->HotFontColor = "0 -1 -1 -1 -1";
  // One blank: no gradient. (Assigned from a count and a character because GCC 12 warns wrongly
  // about copying a one-character literal here.)
  g->GradientData.assign(1, ' ');
  g->HotGradientData.assign(1, ' ');
  g->ShadowBlur = 6;
  g->ShadowOffset = 3;
  g->ShadowTransparency = 60;
  g->FadingIntervalIn = 5;
  g->FadingIntervalOut = 5;
  g->FadingIterations = 5;
  return g;
}

inline TsSkinImage* AddMask(TsStoredSkin* skin, const std::string& section, const std::string& role,
                            platform::TRect r, int imageCount, int maskType, int borderWidth,
                            TacImgType type = itisaBorder) {
  TsSkinImage* i = skin->Images()->AddItem();
  i->SectionName = section;
  i->PropertyName = role;
  i->Left = r.Left;
  i->Top = r.Top;
  i->Right = r.Right;
  i->Bottom = r.Bottom;
  i->ImageCount = imageCount;
  i->MaskType = maskType;
  i->BorderWidth = borderWidth;
  i->StretchMode = 1;
  i->ImgType = type;
  return i;
}

inline TsSkinPattern* AddPattern(TsStoredSkin* skin, const std::string& section,
                                 const std::string& role, const std::string& name,
                                 const std::vector<uint8_t>& jpeg = {}) {
  TsSkinPattern* p = skin->Patterns()->AddItem();
  p->SectionName = section;
  p->PropertyName = role;
  p->Name = name;
  if (!jpeg.empty()) p->Image()->LoadFromStream(jpeg);
  return p;
}

// A small skin laid out like the program's: GLOBALINFO first with the check box glyphs, the
// sections the program's windows use, GRIPH with a texture, COMBOBOX inheriting from EDIT, a
// BUTTON_HUGE border with its own picture, FORM and DIALOG sharing one JPEG picture by name, and
// the empty-named record last.
inline TsStoredSkin* AddTestSkin(TsSkinManager* manager, const std::string& name,
                                 platform::TColor patternColor = 0x336699) {
  TsStoredSkin* skin = manager->InternalSkins()->AddItem();
  skin->SetName(name);
  skin->Version = 4.83;
  skin->Author = "Snipwell tests";
  skin->Shadow1Color = 5061670;
  skin->Shadow1Offset = 1;
  skin->Shadow1Blur = 4;
  skin->Shadow1Transparency = 50;
  skin->SetMasterBitmap(MakeBitmap8(64, 48).get());
  for (const char* section :
       {"GLOBALINFO", "FORM", "DIALOG", "PANEL", "EDIT", "BUTTON", "CHECKBOX", "GRIPH"})
    AddSection(skin, section);
  AddSection(skin, "COMBOBOX", "EDIT");
  TsSkinGeneral* last = skin->GeneralData()->AddItem();
  last->SectionName = "";

  AddMask(skin, "GLOBALINFO", "BOXCHECKED", {0, 0, 12, 8}, 3, 1, 0, itisaGlyph);
  AddMask(skin, "GLOBALINFO", "BOXUNCHECKED", {12, 0, 24, 8}, 3, 1, 0, itisaGlyph);
  TsSkinImage* panel = AddMask(skin, "PANEL", "BORDERSMASK", {40, 6, 61, 48}, 1, 1, 0);
  panel->WL = panel->WR = panel->WT = panel->WB = 7;
  AddMask(skin, "EDIT", "BORDERSMASK", {24, 0, 36, 12}, 1, 0, 1);
  AddMask(skin, "GRIPH", "PATTERN", {36, 0, 44, 8}, 1, 0, 0, itisaTexture);
  TsSkinImage* huge = AddMask(skin, "BUTTON_HUGE", "BORDERSMASK", {5, 5, 6, 6}, 3, 1, 0);
  huge->Name = "BTN_HUGE.BMP";
  huge->SetImage(MakeBitmap8(36, 24).get());

  const std::vector<uint8_t> jpeg = MakeJpegBytes(16, 16, patternColor);
  AddPattern(skin, "DIALOG", "PATTERN", "BG.JPG", jpeg);
  AddPattern(skin, "DIALOG", "HOTPATTERN", "BG.JPG");
  AddPattern(skin, "FORM", "HOTPATTERN", "BG.JPG");
  AddPattern(skin, "FORM", "PATTERN", "BG.JPG");
  AddPattern(skin, "PANEL", "PATTERN", "NONE.JPG");
  return skin;
}

// A form that writes down every skin command it receives, with the state of its manager then.
struct SkinEvent {
  int command = 0;
  platform::LPARAM manager = 0;
  bool skinReady = false;
  bool notifying = false;
  bool changing = false;
  std::string form;
};

class RecordingForm : public framework::TForm {
 public:
  RecordingForm(framework::TComponent* owner, std::vector<SkinEvent>* log)
      : TForm(owner), log_(log) {}
  void WndProc(framework::TMessage& m) override {
    if (m.Msg == SM_SKINCMD) {
      auto* manager = reinterpret_cast<TsSkinManager*>(m.LParam);
      log_->push_back({SkinCommandOf(m.WParam), m.LParam, manager && manager->SkinData().SkinReady,
                       SkinNotifying(), SkinChanging(), Name()});
    }
    TForm::WndProc(m);
  }

 private:
  std::vector<SkinEvent>* log_;
};

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>());
    app = std::make_unique<framework::TApplication>();
    RegisterSkinDataClasses();
  }
  void TearDown() override {
    app.reset();
    platform::InstallBackend(nullptr);
  }
  std::vector<int> Commands() const {
    std::vector<int> commands;
    for (const SkinEvent& e : log) commands.push_back(e.command);
    return commands;
  }

  std::unique_ptr<framework::TApplication> app;
  std::vector<SkinEvent> log;
};

// A skin test with a manager of no owner, freed before the application, and look-ups by name in
// the tables it loaded.
class SkinManagerFixture : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    manager = std::make_unique<TsSkinManager>(nullptr);
  }
  void TearDown() override {
    manager.reset();
    SkinTest::TearDown();
  }
  const TsSkinTables& Tables() const { return manager->Tables(); }
  // The mask of that section and role exactly as named, or nullptr.
  const TsMaskData* MaskNamed(const std::string& section, const std::string& role) const {
    for (const TsMaskData& m : Tables().Masks)
      if (m.SectionName == section && m.PropertyName == role) return &m;
    return nullptr;
  }
  const TsGeneralData& SectionNamed(const std::string& name) const {
    const int index = Tables().FindSection(name);
    EXPECT_GE(index, 0) << name;
    return Tables().Sections[static_cast<size_t>(std::max(index, 0))];
  }

  std::unique_ptr<TsSkinManager> manager;
};

}  // namespace skin::test
