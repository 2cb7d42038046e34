// The three skins the bar carries: what they hold, how the manager reads them, and that they
// survive the description format.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "framework/forms/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windows/Window.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/data/sSkinManager.h"

namespace {

using skin::TsSkinManager;

const char kSkins[] =
    "  InternalSkins = <\n"
    "    file 'skins/BlueGauze/Skin.dfm'\n"
    "    file 'skins/BlueIce/Skin.dfm'\n"
    "    file 'skins/BluePlastic/Skin.dfm'>\n";

// The items of a list written "a, b, c".
std::vector<std::string> List(const std::string& text) {
  std::vector<std::string> items;
  for (size_t start = 0;;) {
    const size_t comma = text.find(", ", start);
    items.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return items;
    start = comma + 2;
  }
}

class StoredSkinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>());
    RegisterStoredSkins();
    skin::RegisterSkinDataClasses();
    app = std::make_unique<framework::TApplication>();
  }
  void TearDown() override {
    root.reset();
    app.reset();
    platform::InstallBackend(nullptr);
  }
  // A manager read from a description as the bar's, with the given skin current.
  TsSkinManager* Load(const std::string& skinName) {
    root = std::make_unique<framework::TComponent>(nullptr);
    const std::string text =
        std::string("object Form1: TComponent\n  object sSkinManager1: TsSkinManager\n") + kSkins +
        "    SkinName = '" + skinName + "'\n  end\nend\n";
    framework::ReadComponentRes(root.get(), text, "Unit1.dfm");
    return dynamic_cast<TsSkinManager*>(root->FindComponent("sSkinManager1"));
  }
  static skin::TsStoredSkin* Stored(TsSkinManager* m, const std::string& name) {
    const int i = m->InternalSkins()->IndexOfSkin(name);
    return i < 0 ? nullptr : m->InternalSkins()->Items(i);
  }

  std::unique_ptr<framework::TApplication> app;
  std::unique_ptr<framework::TComponent> root;
};

// A picture's stored data: a 32-bit count, then an 8-bit BMP with its pixels at offset 1078.
void ExpectStoredBmp(const std::string& resource, int width, int height) {
  const std::span<const uint8_t> data = framework::FindResource(resource);
  ASSERT_GT(data.size(), 4u + 1078u) << resource;
  const auto u32 = [&](size_t at) {
    return uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 | uint32_t{data[at + 2]} << 16 |
           uint32_t{data[at + 3]} << 24;
  };
  EXPECT_EQ(u32(0), data.size() - 4) << resource;
  EXPECT_EQ(data[4], 'B');
  EXPECT_EQ(data[5], 'M');
  EXPECT_EQ(u32(4 + 2), data.size() - 4);  // the file header's size field
  EXPECT_EQ(u32(4 + 10), 1078u);           // pixel data offset
  EXPECT_EQ(u32(4 + 14), 40u);             // information header
  EXPECT_EQ(static_cast<int>(u32(4 + 18)), width);
  EXPECT_EQ(static_cast<int>(u32(4 + 22)), height);
  EXPECT_EQ(data[4 + 28], 8);  // bits per pixel
  EXPECT_EQ(u32(4 + 30), 0u);  // no compression
}

struct SkinFacts {
  const char* name;
  const char* folder;
  int sections, masks, patterns, masterWidth, masterHeight;
  const char* ownName;
  platform::TColor shadowColor;
  int shadowOffset, shadowBlur, shadowTransparency;
};

const SkinFacts kFacts[] = {
    {"BlueGauze (internal)", "BlueGauze", 65, 118, 0, 156, 292, "BUTTONHUGE.BMP", 13156534, 2, 2,
     50},
    {"BlueIce (internal)", "BlueIce", 64, 89, 4, 304, 260, "BTN_HUGE.BMP", 5061670, 1, 4, 50},
    {"BluePlastic (internal)", "BluePlastic", 64, 103, 0, 192, 222, "BUTTONHUGE.BMP", 5061670, 1, 4,
     50},
};

TEST_F(StoredSkinsTest, EachSkinHoldsItsCountsPicturesAndSkinWideValues) {
  TsSkinManager* m = Load("BlueIce (internal)");
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->InternalSkins()->Count(), 3);
  for (const SkinFacts& f : kFacts) {
    SCOPED_TRACE(f.name);
    skin::TsStoredSkin* s = Stored(m, f.name);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GeneralData()->Count(), f.sections);
    EXPECT_EQ(s->Images()->Count(), f.masks);
    EXPECT_EQ(s->Patterns()->Count(), f.patterns);
    EXPECT_EQ(s->MasterBitmap()->Width(), f.masterWidth);
    EXPECT_EQ(s->MasterBitmap()->Height(), f.masterHeight);
    ExpectStoredBmp(std::string("skins/") + f.folder + "/MasterBitmap.data", f.masterWidth,
                    f.masterHeight);
    EXPECT_EQ(s->Shadow1Color, f.shadowColor);
    EXPECT_EQ(s->Shadow1Offset, f.shadowOffset);
    EXPECT_EQ(s->Shadow1Blur, f.shadowBlur);
    EXPECT_EQ(s->Shadow1Transparency, f.shadowTransparency);
    EXPECT_EQ(s->Version, 4.83);

    // Exactly one mask has a picture of its own: the BUTTON_HUGE border, 288 x 192.
    int own = 0;
    for (int i = 0; i < s->Images()->Count(); ++i) {
      const skin::TsSkinImage* image = s->Images()->Items(i);
      if (image->Name.empty()) continue;
      ++own;
      EXPECT_EQ(image->SectionName, "BUTTON_HUGE");
      EXPECT_EQ(image->PropertyName, "BORDERSMASK");
      EXPECT_EQ(image->Name, f.ownName);
      EXPECT_EQ(image->Image()->Width(), 288);
      EXPECT_EQ(image->Image()->Height(), 192);
      ExpectStoredBmp(std::string("skins/") + f.folder + "/" + f.ownName + ".data", 288, 192);
    }
    EXPECT_EQ(own, 1);

    // GLOBALINFO first; last the empty record with nothing in it.
    EXPECT_EQ(s->GeneralData()->Items(0)->SectionName, "GLOBALINFO");
    const skin::TsSkinGeneral* last = s->GeneralData()->Items(f.sections - 1);
    EXPECT_EQ(last->SectionName, "");
    EXPECT_EQ(last->Color, 0u);
    EXPECT_EQ(last->HotColor, 0u);
    EXPECT_EQ(last->ShadowColor, 0u);
    EXPECT_EQ(last->BorderColor1 | last->BorderColor2, 0u);
    EXPECT_EQ(last->ShadowBlur | last->ShadowOffset | last->ShadowTransparency |
                  last->Transparency | last->GradientPercent | last->ImagePercent |
                  last->FadingIntervalIn | last->FadingIntervalOut | last->FadingIterations |
                  last->HotTransparency | last->HotGradientPercent | last->HotImagePercent,
              0);
    EXPECT_FALSE(last->ShadowDontUse || last->ShadowEnabled || last->ReservedBoolean ||
                 last->ShowFocus || last->FadingEnabled);
    EXPECT_EQ(last->Bevel, skin::cbNone);
    EXPECT_EQ(last->HotBevel, skin::cbNone);

    // Masks stay inside their pictures, and every section they name exists.
    for (int i = 0; i < s->Images()->Count(); ++i) {
      const skin::TsSkinImage* image = s->Images()->Items(i);
      if (!image->Name.empty()) continue;
      EXPECT_GE(image->Left, 0);
      EXPECT_GE(image->Top, 0);
      EXPECT_LE(image->Right, f.masterWidth) << image->SectionName << " " << image->PropertyName;
      EXPECT_LE(image->Bottom, f.masterHeight) << image->SectionName << " " << image->PropertyName;
      EXPECT_GE(image->ImageCount, 1);
      EXPECT_TRUE(image->MaskType == 0 || image->MaskType == 1);
      bool known = false;
      for (int k = 0; k < s->GeneralData()->Count(); ++k)
        known |= s->GeneralData()->Items(k)->SectionName == image->SectionName;
      EXPECT_TRUE(known) << image->SectionName;
    }
  }
}

TEST_F(StoredSkinsTest, BlueIceHasItsSectionsInOrderWithTheValuesTheWindowsUse) {
  skin::TsStoredSkin* s = Stored(Load("BlueIce (internal)"), "BlueIce (internal)");
  ASSERT_NE(s, nullptr);
  // The sections in stored order, the last record without a name.
  std::vector<std::string> names;
  for (int i = 0; i < s->GeneralData()->Count(); ++i) {
    names.push_back(s->GeneralData()->Items(i)->SectionName);
    EXPECT_EQ(s->GeneralData()->Items(i)->ParentClass, "");
  }
  std::vector<std::string> order = List(
      "GLOBALINFO, DRAGBAR, TABSHEET, PAGECONTROLBOTTOM, PAGECONTROLLEFT, PAGECONTROLRIGHT, "
      "SPLITTER, TABCONTROLLEFT, TABCONTROLRIGHT, TABCONTROLBOTTOM, TOOLBAR, PANEL, PAGECONTROL, "
      "PROGRESSH, GAUGE, MENULINE, SCROLLBAR1H, SCROLLBAR2H, SCROLLBAR1V, SCROLLBAR2V, "
      "SPEEDBUTTON_SMALL, STATUSBAR, SCROLLBTNRIGHT, SCROLLBTNTOP, SCROLLBTNLEFT, SCROLLBTNBOTTOM, "
      "SCROLLSLIDERH, SCROLLSLIDERV, TABCONTROL, MAINMENU, MENUITEM, DIVIDER, TABTOP, TABRIGHT, "
      "TABLEFT, TABBOTTOM, DIALOG, FORMTITLE, PROGRESSV, EDIT, FORM, BAR, BARPANEL, PANEL_LOW, "
      "RADIOBUTTON, CHECKBOX, BUTTON_BIG, WEBBUTTON, SPEEDBUTTON, TOOLBUTTON, BARTITLE, EXTRALINE, "
      "GRIPH, GROUPBOX, HINT, MDIAREA, TRACKBAR, BUTTON_HUGE, COLHEADER, BUTTON, ORVEXCOMBOBOX, "
      "ORVEXEDIT, COMBOBOX");
  order.emplace_back();
  EXPECT_EQ(names, order);
  const auto section = [&](const std::string& name) -> const skin::TsSkinGeneral& {
    for (int i = 0; i < s->GeneralData()->Count(); ++i)
      if (s->GeneralData()->Items(i)->SectionName == name) return *s->GeneralData()->Items(i);
    throw std::logic_error(name);
  };
  struct Row {
    const char* name;
    platform::TColor color;
    bool reserved;
    const char* fontColor;
    int transparency, gradientPercent;
    const char* gradient;
    int imagePercent;
    bool showFocus, fading;
    int iterations;
    platform::TColor hotColor;
    int hotTransparency, hotGradientPercent;
    const char* hotGradient;
    int hotImagePercent;
  };
  const char* formGradient = "14071693;13878443;99;0;0;13878443;13878443;0;0;0";
  const char* dialogGradient = "16777215;12748837;110;0;0;12748837;12748837;0;0;0";
  const Row rows[] = {
      {"GLOBALINFO", 13282167, false, "0 16768169 -1 -1 -1", 0, 0, " ", 0, false, false, 5,
       0xFFFFFF, 0, 0, " ", 0},
      {"FORM", 13679769, true, "0 -1 -1 -1 -1", 0, 0, formGradient, 100, false, false, 5, 13679769,
       0, 0, formGradient, 100},
      {"DIALOG", 0xFFFFFF, false, "0 -1 -1 -1 -1", 0, 50, dialogGradient, 50, false, false, 5,
       0xFFFFFF, 0, 50, dialogGradient, 50},
      {"PANEL", 14797990, false, "0 -1 -1 -1 -1", 50, 100,
       "16444627;12094791;99;0;0;12094791;12094791;0;0;0", 0, false, false, 5, 0xFFFFFF, 0, 0, " ",
       0},
      {"EDIT", 0xFFFFFF, false, "0 -1 -1 -1 -1", 0, 0, " ", 0, false, false, 5, 0xFFFFFF, 0, 0, " ",
       0},
      {"BUTTON", 13282167, false, "0 -1 -1 -1 -1", 100, 0, " ", 0, true, true, 20, 13282167, 100, 0,
       " ", 0},
      {"CHECKBOX", 0xFFFFFF, false, "0 -1 -1 -1 -1", 100, 0, " ", 0, false, true, 20, 0xFFFFFF, 100,
       0, " ", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const skin::TsSkinGeneral& g = section(r.name);
    EXPECT_EQ(g.Bevel, skin::cbNone);
    EXPECT_EQ(g.HotBevel, skin::cbNone);
    EXPECT_EQ(g.ShadowBlur, 6);
    EXPECT_EQ(g.ShadowColor, 0u);
    EXPECT_FALSE(g.ShadowDontUse);
    EXPECT_FALSE(g.ShadowEnabled);
    EXPECT_EQ(g.ShadowOffset, 3);
    EXPECT_EQ(g.ShadowTransparency, 60);
    EXPECT_EQ(g.HotFontColor, "0 -1 -1 -1 -1");
    EXPECT_EQ(g.FadingIntervalIn, 5);
    EXPECT_EQ(g.FadingIntervalOut, 5);
    EXPECT_EQ(g.BorderColor1, 0u);
    EXPECT_EQ(g.BorderColor2, 0u);
    EXPECT_EQ(g.Color, r.color);
    EXPECT_EQ(g.ReservedBoolean, r.reserved);
    EXPECT_EQ(g.FontColor, r.fontColor);
    EXPECT_EQ(g.Transparency, r.transparency);
    EXPECT_EQ(g.GradientPercent, r.gradientPercent);
    EXPECT_EQ(g.GradientData, r.gradient);
    EXPECT_EQ(g.ImagePercent, r.imagePercent);
    EXPECT_EQ(g.ShowFocus, r.showFocus);
    EXPECT_EQ(g.FadingEnabled, r.fading);
    EXPECT_EQ(g.FadingIterations, r.iterations);
    EXPECT_EQ(g.HotColor, r.hotColor);
    EXPECT_EQ(g.HotTransparency, r.hotTransparency);
    EXPECT_EQ(g.HotGradientPercent, r.hotGradientPercent);
    EXPECT_EQ(g.HotGradientData, r.hotGradient);
    EXPECT_EQ(g.HotImagePercent, r.hotImagePercent);
  }
}

TEST_F(StoredSkinsTest, BlueIceMasksLieAtTheirRectanglesAndTheOthersFollowInOrder) {
  skin::TsStoredSkin* s = Stored(Load("BlueIce (internal)"), "BlueIce (internal)");
  ASSERT_NE(s, nullptr);
  struct Row {
    const char* section;
    const char* property;
    int left, top, right, bottom, count, type, border, stretch;
    skin::TacImgType kind;
    int wl, wr, wt, wb;
  };
  const skin::TacImgType G = skin::itisaGlyph, B = skin::itisaBorder;
  std::vector<Row> rows = {
      {"GLOBALINFO", "BOXCHECKED", 147, 154, 195, 190, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BOXUNCHECKED", 98, 154, 146, 190, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "RADIOCHECKED", 49, 154, 97, 190, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "RADIOUNCHECKED", 0, 154, 48, 190, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BOXGRAYED", 195, 188, 243, 224, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BICONCLOSE", 244, 114, 304, 154, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BICONHELP", 183, 114, 243, 154, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BICONMAX", 122, 114, 182, 154, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BICONMIN", 61, 114, 121, 154, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "BICONNORM", 122, 114, 182, 154, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "TITLEBUTTON", 0, 114, 60, 154, 3, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "GRIPIMAGE", 252, 0, 270, 36, 1, 1, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "SMALLCHECKED", 195, 236, 231, 248, 3, 0, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "SMALLUNCHECKED", 195, 224, 231, 236, 3, 0, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "SMALLGRAYED", 195, 248, 231, 260, 3, 0, 0, 0, G, 0, 0, 0, 0},
      {"GLOBALINFO", "CHECK", 216, 60, 227, 69, 1, 0, 0, 0, G, 0, 0, 0, 0},
      {"PANEL", "BORDERSMASK", 189, 72, 210, 114, 1, 1, 0, 1, B, 7, 7, 7, 7},
      {"DIALOG", "BORDERSMASK", 189, 72, 210, 114, 1, 1, 0, 1, B, 7, 7, 7, 7},
      {"EDIT", "BORDERSMASK", 120, 190, 195, 250, 1, 0, 1, 1, B, 3, 3, 3, 3},
      {"FORM", "BORDERSMASK", 135, 60, 147, 72, 1, 0, 4, 1, B, 4, 4, 4, 4},
      {"BUTTON", "BORDERSMASK", 243, 190, 286, 220, 3, 1, 1, 1, B, 6, 7, 6, 8},
  };
  // FORM's title-bar glyphs are GLOBALINFO's.
  for (size_t i = 5; i <= 11; ++i) {
    Row r = rows[i];
    r.section = "FORM";
    rows.push_back(r);
  }
  const auto find = [&](const std::string& section,
                        const std::string& property) -> const skin::TsSkinImage* {
    for (int i = 0; i < s->Images()->Count(); ++i) {
      const skin::TsSkinImage* image = s->Images()->Items(i);
      if (image->SectionName == section && image->PropertyName == property) return image;
    }
    return nullptr;
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.section) + " " + r.property);
    const skin::TsSkinImage* m = find(r.section, r.property);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Name, "");
    EXPECT_EQ((std::vector<int>{m->Left, m->Top, m->Right, m->Bottom}),
              (std::vector<int>{r.left, r.top, r.right, r.bottom}));
    EXPECT_EQ(m->ImageCount, r.count);
    EXPECT_EQ(m->MaskType, r.type);
    EXPECT_EQ(m->BorderWidth, r.border);
    EXPECT_EQ(m->StretchMode, r.stretch);
    EXPECT_EQ(m->ImgType, r.kind);
    EXPECT_EQ((std::vector<int>{m->WL, m->WR, m->WT, m->WB}),
              (std::vector<int>{r.wl, r.wr, r.wt, r.wb}));
  }
  EXPECT_EQ(find("CHECKBOX", "BOXCHECKED"), nullptr);

  // Every other mask, as section and role, in stored order.
  const std::vector<std::string> others = List(
      "DRAGBAR BORDERSMASK, PAGECONTROLBOTTOM BORDERSMASK, PAGECONTROLLEFT BORDERSMASK, "
      "PAGECONTROLRIGHT BORDERSMASK, TABCONTROLLEFT BORDERSMASK, TABCONTROLRIGHT BORDERSMASK, "
      "TABCONTROLBOTTOM BORDERSMASK, TOOLBAR BORDERSMASK, PAGECONTROL BORDERSMASK, "
      "PROGRESSH BORDERSMASK, GAUGE BORDERSMASK, SCROLLBAR1H BORDERSMASK, SCROLLBAR2H BORDERSMASK, "
      "SCROLLBAR1V BORDERSMASK, SCROLLBAR2V BORDERSMASK, SPEEDBUTTON_SMALL BORDERSMASK, "
      "SCROLLBTNRIGHT BORDERSMASK, SCROLLBTNRIGHT GLYPHMASK, SCROLLBTNTOP BORDERSMASK, "
      "SCROLLBTNTOP GLYPHMASK, SCROLLBTNLEFT GLYPHMASK, SCROLLBTNLEFT BORDERSMASK, "
      "SCROLLBTNBOTTOM BORDERSMASK, SCROLLBTNBOTTOM GLYPHMASK, SCROLLSLIDERH BORDERSMASK, "
      "SCROLLSLIDERH GLYPHMASK, SCROLLSLIDERV BORDERSMASK, SCROLLSLIDERV GLYPHMASK, "
      "TABCONTROL BORDERSMASK, MAINMENU BORDERSMASK, MENUITEM BORDERSMASK, DIVIDER BORDERSMASK, "
      "TABTOP BORDERSMASK, TABRIGHT BORDERSMASK, TABLEFT BORDERSMASK, TABBOTTOM BORDERSMASK, "
      "FORMTITLE BORDERSMASK, PROGRESSV BORDERSMASK, BAR BORDERSMASK, BARPANEL BORDERSMASK, "
      "PANEL_LOW BORDERSMASK, BUTTON_BIG BORDERSMASK, SPEEDBUTTON BORDERSMASK, "
      "TOOLBUTTON BORDERSMASK, BARTITLE BORDERSMASK, EXTRALINE BORDERSMASK, GRIPH PATTERN, "
      "GROUPBOX BORDERSMASK, HINT BORDERSMASK, TRACKBAR SLIDERCHANNEL, TRACKBAR SLIDERMASK, "
      "TRACKBAR SLIDERVMASK, TRACKBAR TICKHORZ, TRACKBAR TICKVERT, BUTTON_HUGE BORDERSMASK, "
      "COLHEADER BORDERSMASK, ORVEXCOMBOBOX GLYPHMASK, ORVEXCOMBOBOX BORDERSMASK, "
      "ORVEXEDIT BORDERSMASK, COMBOBOX GLYPHMASK, COMBOBOX BORDERSMASK");
  std::vector<std::string> seen;
  for (int i = 0; i < s->Images()->Count(); ++i) {
    const skin::TsSkinImage* image = s->Images()->Items(i);
    const std::string sec = image->SectionName;
    if (sec == "GLOBALINFO" || sec == "PANEL" || sec == "DIALOG" || sec == "EDIT" ||
        sec == "FORM" || sec == "BUTTON")
      continue;
    seen.push_back(sec + " " + image->PropertyName);
    EXPECT_EQ(image->ImgType == skin::itisaTexture, sec == "GRIPH") << sec;
  }
  EXPECT_EQ(seen, others);
}

TEST_F(StoredSkinsTest, BlueIcePatternsShareOneJpegAndTheFormFindsIt) {
  TsSkinManager* m = Load("BlueIce (internal)");
  skin::TsStoredSkin* s = Stored(m, "BlueIce (internal)");
  ASSERT_NE(s, nullptr);
  const std::vector<std::pair<std::string, std::string>> expected{
      {"DIALOG", "PATTERN"}, {"DIALOG", "HOTPATTERN"}, {"FORM", "HOTPATTERN"}, {"FORM", "PATTERN"}};
  ASSERT_EQ(s->Patterns()->Count(), 4);
  for (int i = 0; i < 4; ++i) {
    const skin::TsSkinPattern* p = s->Patterns()->Items(i);
    EXPECT_EQ(std::make_pair(p->SectionName, p->PropertyName), expected[static_cast<size_t>(i)]);
    EXPECT_EQ(p->Name, "BG.JPG");
    EXPECT_EQ(p->Image()->Empty(), i != 0);  // only the first carries the picture
  }
  // A baseline JFIF stream of three 8-bit components, 240 x 240.
  const std::span<const uint8_t> data = framework::FindResource("skins/BlueIce/BG.JPG.data");
  ASSERT_GT(data.size(), 24u);
  EXPECT_EQ(uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                uint32_t{data[3]} << 24,
            data.size() - 4);
  EXPECT_EQ(data[4], 0xFF);
  EXPECT_EQ(data[5], 0xD8);
  EXPECT_EQ(std::memcmp(&data[4 + 6], "JFIF", 5), 0);
  bool baseline = false;
  for (size_t i = 4; i + 9 < data.size(); ++i) {
    if (data[i] == 0xFF && data[i + 1] == 0xC0) {
      baseline = data[i + 4] == 8 && (data[i + 5] << 8 | data[i + 6]) == 240 &&
                 (data[i + 7] << 8 | data[i + 8]) == 240 && data[i + 9] == 3;
      break;
    }
  }
  EXPECT_TRUE(baseline);

  const int form = m->Tables().FindSection("FORM");
  for (const char* role : {"PATTERN", "HOTPATTERN"}) {
    const int p = m->Tables().FindPattern(form, "FORM", role);
    ASSERT_TRUE(m->Tables().IsValidPatternIndex(p)) << role;
    EXPECT_EQ(m->Tables().Patterns[static_cast<size_t>(p)].Img->Width(), 240);
    EXPECT_EQ(m->Tables().Patterns[static_cast<size_t>(p)].Img->Height(), 240);
  }
  EXPECT_EQ(m->Tables().FindTexture(form, "FORM", "PATTERN"),
            -1);  // a JPEG pattern, not a texture mask
}

TEST_F(StoredSkinsTest, LoadedBlueIceAnswersTheLookUpsOfItsControls) {
  TsSkinManager* m = Load("BlueIce (internal)");
  ASSERT_TRUE(m->SkinData().SkinReady);
  EXPECT_EQ(m->Tables().Sections.size(), 64u);
  EXPECT_EQ(m->Tables().Masks.size(), 89u);
  EXPECT_EQ(m->Tables().MasterBitmap->Width(), 304);

  const int edit = m->Tables().FindMask(m->Tables().FindSection("EDIT"), "EDIT", "BORDERSMASK");
  ASSERT_TRUE(m->Tables().IsValidMaskIndex(edit));
  EXPECT_EQ(m->Tables().Masks[static_cast<size_t>(edit)].R, (platform::TRect{120, 190, 195, 250}));
  EXPECT_EQ(m->Tables().MarginLeft(edit), 3);
  EXPECT_EQ(m->Tables().MarginBottom(edit), 3);
  EXPECT_EQ(m->Tables().FindMask(-1, "EDIT", "BORDERSMASK"), -1);
  EXPECT_EQ(m->Tables().FindMask(m->Tables().FindSection("CHECKBOX"), "CHECKBOX", "BOXCHECKED"),
            -1);
  EXPECT_EQ(m->Tables().CommonIndices().BoxChecked,
            m->Tables().FindMaskExact("GLOBALINFO", "BOXCHECKED"));
  EXPECT_GE(m->Tables().CommonIndices().BoxChecked, 0);

  const int button =
      m->Tables().FindMask(m->Tables().FindSection("BUTTON"), "BUTTON", "BORDERSMASK");
  EXPECT_EQ((std::vector<int>{m->Tables().MarginLeft(button), m->Tables().MarginTop(button),
                              m->Tables().MarginRight(button), m->Tables().MarginBottom(button)}),
            (std::vector<int>{6, 6, 7, 8}));
  EXPECT_EQ(m->Tables().MarginLeft(
                m->Tables().FindMask(m->Tables().FindSection("PANEL"), "PANEL", "BORDERSMASK")),
            7);

  const int griph = m->Tables().FindTexture(m->Tables().FindSection("GRIPH"), "GRIPH", "PATTERN");
  ASSERT_TRUE(m->Tables().IsValidMaskIndex(griph));
  EXPECT_EQ(m->Tables().Masks[static_cast<size_t>(griph)].ImgType, skin::itisaTexture);

  const int huge =
      m->Tables().FindMask(m->Tables().FindSection("BUTTON_HUGE"), "BUTTON_HUGE", "BORDERSMASK");
  ASSERT_TRUE(m->Tables().IsValidMaskIndex(huge));
  const skin::TsMaskData& hugeMask = m->Tables().Masks[static_cast<size_t>(huge)];
  ASSERT_NE(hugeMask.Bmp, nullptr);
  EXPECT_EQ(hugeMask.R, (platform::TRect{0, 0, 288, 192}));

  // Transparent parts are magenta: the button's rounded top-left corner, whose weight in the
  // mask band below shows what lies beneath.
  const platform::DIBitmap& master = m->Tables().MasterBitmap->DIB();
  EXPECT_EQ(master.BitsPerPixel(), 24);
  EXPECT_EQ(master.Pixel(243, 190), 0xFF00FFu);
  EXPECT_EQ(master.Pixel(243, 205), 0xFFFFFFu);
  EXPECT_EQ(master.Pixel(249, 197) & 0xFFFFFF, master.Pixel(249, 197));  // an opaque face pixel...
  EXPECT_EQ(master.Pixel(249, 212), 0u);                                 // ...weighs nothing
}

TEST_F(StoredSkinsTest, OnlyBlueGauzeInheritsAndItsChainsLeadWhereStated) {
  TsSkinManager* m = Load("BlueGauze (internal)");
  for (const SkinFacts& f : kFacts) {
    skin::TsStoredSkin* s = Stored(m, f.name);
    for (int i = 0; i < s->GeneralData()->Count(); ++i) {
      const skin::TsSkinGeneral* g = s->GeneralData()->Items(i);
      if (std::string(f.folder) != "BlueGauze") {
        EXPECT_EQ(g->ParentClass, "") << g->SectionName;
      }
    }
  }
  const std::vector<std::pair<std::string, std::string>> chains{
      {"SPLITTER", "SPEEDBUTTON_SMALL"},     {"TABCONTROLBOTTOM", "PAGECONTROLBOTTOM"},
      {"TABCONTROLLEFT", "PAGECONTROLLEFT"}, {"TABCONTROLRIGHT", "PAGECONTROLRIGHT"},
      {"PAGECONTROLBOTTOM", "PAGECONTROL"},  {"PAGECONTROLLEFT", "PAGECONTROL"},
      {"PAGECONTROLRIGHT", "PAGECONTROL"},   {"COMBOBOX", "EDIT"}};
  int inheriting = 0;
  for (const skin::TsGeneralData& g : m->Tables().Sections) {
    if (g.ParentClass.empty()) continue;
    ++inheriting;
    EXPECT_NE(std::find(chains.begin(), chains.end(), std::make_pair(g.SectionName, g.ParentClass)),
              chains.end())
        << g.SectionName;
  }
  EXPECT_EQ(inheriting, 8);

  // COMBOBOX keeps its own arrow and takes EDIT's frame; a tab control two levels down finds
  // the page control's.
  const int combo = m->Tables().FindSection("COMBOBOX");
  EXPECT_EQ(m->Tables().FindMask(combo, "COMBOBOX", "GLYPHMASK"),
            m->Tables().FindMaskExact("COMBOBOX", "GLYPHMASK"));
  EXPECT_GE(m->Tables().FindMaskExact("COMBOBOX", "GLYPHMASK"), 0);
  EXPECT_EQ(m->Tables().FindMaskExact("COMBOBOX", "BORDERSMASK"), -1);
  EXPECT_EQ(m->Tables().FindMask(combo, "COMBOBOX", "BORDERSMASK"),
            m->Tables().FindMaskExact("EDIT", "BORDERSMASK"));
  EXPECT_EQ(m->Tables().FindMask(m->Tables().FindSection("TABCONTROLLEFT"), "TABCONTROLLEFT",
                                 "BORDERSMASK"),
            m->Tables().FindMaskExact("PAGECONTROL", "BORDERSMASK"));
  EXPECT_GE(m->Tables().FindMaskExact("PAGECONTROL", "BORDERSMASK"), 0);
}

TEST_F(StoredSkinsTest, TheSkinsSurviveARoundTripThroughTheDescriptionFormat) {
  Load("BluePlastic (internal)");
  const std::string written = framework::WriteComponentRes(root.get());
  EXPECT_EQ(written.find("file '"), std::string::npos);  // the writer spells the data out
  root.reset();  // the copy read back is the default manager, as the first one was
  framework::TComponent again(nullptr);
  framework::ReadComponentRes(&again, written, "Written.dfm");
  EXPECT_TRUE(framework::WriteComponentRes(&again) == written);  // (too long to print a difference)
  auto* m = dynamic_cast<TsSkinManager*>(again.FindComponent("sSkinManager1"));
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->SkinName(), "BluePlastic (internal)");
  // The pictures read back are the stored bytes.
  std::vector<uint8_t> data = m->InternalSkins()->Items(1)->MasterBitmap()->WriteData();
  const std::span<const uint8_t> stored =
      framework::FindResource("skins/BlueIce/MasterBitmap.data");
  EXPECT_TRUE(std::equal(data.begin(), data.end(), stored.begin(), stored.end()));
}

}  // namespace
