// The mask and pattern tables and the master bitmap built from a stored skin and from common
// sections, and the look-ups over them.

#include <filesystem>
#include <fstream>

#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

class MaskTableTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    manager = std::make_unique<TsSkinManager>(nullptr);
    skin = AddTestSkin(manager.get(), "BlueIce (internal)");
  }
  void TearDown() override {
    manager.reset();
    SkinTest::TearDown();
  }
  void Load() { manager->SetSkinName("BlueIce (internal)"); }
  int Section(const std::string& name) const { return manager->Tables().FindSection(name); }

  std::unique_ptr<TsSkinManager> manager;
  TsStoredSkin* skin = nullptr;
};

TEST_F(MaskTableTest, MasterBitmapAndOwnPicturesBecome24BitWithTheirPixels) {
  Load();
  TBitmap* master = manager->Tables().MasterBitmap.get();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master->PixelFormat(), framework::pf24bit);
  EXPECT_EQ(master->Width(), 64);
  EXPECT_EQ(master->Height(), 48);
  EXPECT_EQ(master->TransparentColor(), platform::clFuchsia);
  EXPECT_EQ(master->DIB().Pixel(0, 0), platform::clFuchsia);  // palette index 0
  EXPECT_EQ(master->DIB().Pixel(2, 0), 0x0000FF);             // index 2, red

  const int huge = manager->Tables().FindMaskExact("BUTTON_HUGE", "BORDERSMASK");
  ASSERT_GE(huge, 0);
  const TsMaskData& m = manager->Tables().Masks[huge];
  ASSERT_NE(m.Bmp, nullptr);
  EXPECT_EQ(m.Bmp->PixelFormat(), framework::pf24bit);
  EXPECT_EQ(m.R, (platform::TRect{0, 0, 36, 24}));  // the whole picture, whatever Left..Bottom said
  EXPECT_EQ(m.Tables, &manager->Tables());
  EXPECT_EQ(m.WL, 4);  // 36 div 9
  EXPECT_EQ(m.WT, 4);  // 24 div 6
  EXPECT_EQ(manager->Tables().Masks[manager->Tables().FindMaskExact("EDIT", "BORDERSMASK")].Bmp,
            nullptr);
}

TEST_F(MaskTableTest, StateCountsMaskTypesAndMarginsFollowTheRules) {
  AddMask(skin, "X", "ZERO", {0, 0, 63, 42}, 0, 0, 0);    // 0 reads as three states, mask band
  AddMask(skin, "X", "WIDTH", {0, 0, 30, 30}, 1, 0, 2);   // border width stands for all four
  AddMask(skin, "X", "NEG", {0, 0, 30, 30}, -4, 7, 0);    // nonsense clamped: 1 state, type 1
  AddMask(skin, "x", "lower", {0, 0, 10, 10}, 1, -3, 0);  // names upper-cased, type 0
  Load();
  auto mask = [&](const char* role) -> const TsMaskData& {
    return manager->Tables().Masks[manager->Tables().FindMaskExact("X", role)];
  };
  const TsMaskData& zero = mask("ZERO");
  EXPECT_EQ(zero.ImageCount, 3);
  EXPECT_EQ(zero.MaskType, 1);
  EXPECT_EQ(zero.WL, 7);
  EXPECT_EQ(zero.WT, 7);
  EXPECT_EQ(zero.WR, 7);
  EXPECT_EQ(zero.WB, 7);
  const TsMaskData& width = mask("WIDTH");
  EXPECT_EQ(width.WL, 2);
  EXPECT_EQ(width.WB, 2);
  const TsMaskData& neg = mask("NEG");
  EXPECT_EQ(neg.ImageCount, 1);
  EXPECT_EQ(neg.MaskType, 1);
  EXPECT_EQ(neg.WL, 10);
  EXPECT_EQ(neg.WT, 5);
  const TsMaskData& lower = mask("LOWER");
  EXPECT_EQ(lower.MaskType, 0);

  // Margins: own widths first, then the border width, then a third of one state image.
  EXPECT_EQ(manager->Tables().MarginLeft(manager->Tables().FindMaskExact("PANEL", "BORDERSMASK")),
            7);
  EXPECT_EQ(manager->Tables().MarginLeft(manager->Tables().FindMaskExact("X", "ZERO")), 7);
  EXPECT_EQ(manager->Tables().MarginTop(manager->Tables().FindMaskExact("X", "ZERO")), 7);
  EXPECT_EQ(manager->Tables().MarginRight(manager->Tables().FindMaskExact("EDIT", "BORDERSMASK")),
            1);
  EXPECT_EQ(manager->Tables().MarginBottom(-1), 0);
  EXPECT_EQ(manager->Tables().MarginLeft(static_cast<int>(manager->Tables().Masks.size())), 0);
}

TEST_F(MaskTableTest, MaskLookUpsWithAndWithoutInheritance) {
  AddMask(skin, "EDIT", "GLYPHMASK", {0, 0, 3, 3}, 1, 0, 0, itisaGlyph);
  AddMask(skin, "COMBOBOX", "BORDERSMASK", {0, 0, 6, 6}, 1, 0, 1);
  Load();
  const int edit = Section("EDIT"), combo = Section("COMBOBOX"), check = Section("CHECKBOX");
  const int editBorder = manager->Tables().FindMaskExact("EDIT", "BORDERSMASK");
  ASSERT_GE(editBorder, 0);
  EXPECT_EQ(manager->Tables().FindMask(edit, "EDIT", "BORDERSMASK"), editBorder);
  EXPECT_EQ(manager->Tables().FindMask(-1, "EDIT", "BORDERSMASK"), -1);
  EXPECT_EQ(manager->Tables().FindMask(edit, "", "BORDERSMASK"), -1);
  EXPECT_EQ(manager->Tables().FindMask(edit, "EDIT", "bordersmask"), -1);
  EXPECT_EQ(manager->Tables().FindMask(check, "CHECKBOX", "BOXCHECKED"), -1);
  // COMBOBOX has its own border and inherits the glyph of EDIT.
  EXPECT_EQ(manager->Tables().FindMask(combo, "COMBOBOX", "BORDERSMASK"),
            manager->Tables().FindMaskExact("COMBOBOX", "BORDERSMASK"));
  EXPECT_EQ(manager->Tables().FindMask(combo, "COMBOBOX", "GLYPHMASK"),
            manager->Tables().FindMaskExact("EDIT", "GLYPHMASK"));
  EXPECT_EQ(manager->Tables().FindMaskExact("COMBOBOX", "GLYPHMASK"), -1);

  EXPECT_TRUE(manager->Tables().IsValidMaskIndex(editBorder));
  EXPECT_FALSE(manager->Tables().IsValidMaskIndex(-1));
  EXPECT_FALSE(
      manager->Tables().IsValidMaskIndex(static_cast<int>(manager->Tables().Masks.size())));

  // Textures: only texture masks count; PATTERN roles always are textures.
  EXPECT_EQ(manager->Tables().FindTexture(Section("GRIPH"), "GRIPH", "PATTERN"),
            manager->Tables().FindMaskExact("GRIPH", "PATTERN"));
  EXPECT_EQ(manager->Tables().FindTexture(edit, "EDIT", "BORDERSMASK"), -1);
  EXPECT_EQ(manager->Tables().FindTexture(Section("FORM"), "FORM", "PATTERN"), -1);

  // The check box glyphs come from GLOBALINFO through the common index cache.
  EXPECT_EQ(manager->Tables().CommonIndices().BoxChecked,
            manager->Tables().FindMaskExact("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(manager->Tables().CommonIndices().BoxGrayed, -1);
}

TEST_F(MaskTableTest, ParentClassCyclesEndTheSearch) {
  AddSection(skin, "A", "B");
  AddSection(skin, "B", "A");
  AddSection(skin, "SELF", "SELF");
  AddMask(skin, "B", "ONLYB", {0, 0, 3, 3}, 1, 0, 0);
  Load();
  EXPECT_EQ(manager->Tables().FindMask(Section("A"), "A", "ONLYB"),
            manager->Tables().FindMaskExact("B", "ONLYB"));
  EXPECT_EQ(manager->Tables().FindMask(Section("A"), "A", "NOWHERE"), -1);
  EXPECT_EQ(manager->Tables().FindTexture(Section("B"), "B", "NOWHERE"), -1);
  EXPECT_EQ(manager->Tables().FindPattern(Section("A"), "A", "NOWHERE"), -1);
  EXPECT_EQ(manager->Tables().FindMask(Section("SELF"), "SELF", "NOWHERE"), -1);
}

TEST_F(MaskTableTest, PatternsSharePicturesByName) {
  Load();
  const int form = manager->Tables().FindPattern(Section("FORM"), "FORM", "PATTERN");
  const int dialog = manager->Tables().FindPattern(Section("DIALOG"), "DIALOG", "PATTERN");
  ASSERT_GE(form, 0);
  ASSERT_GE(dialog, 0);
  EXPECT_NE(form, dialog);
  const TsPatternData& f = manager->Tables().Patterns[form];
  EXPECT_EQ(f.Img->Width(), 16);
  EXPECT_EQ(f.Img->Bytes(), manager->Tables().Patterns[dialog].Img->Bytes());
  EXPECT_EQ(manager->Tables().FindPattern(-1, "FORM", "PATTERN"), -1);
  EXPECT_EQ(manager->Tables().FindPattern(Section("FORM"), "", "PATTERN"), -1);
  // Without a partner carrying the picture the pattern stays empty.
  const int panel = manager->Tables().FindPattern(Section("PANEL"), "PANEL", "PATTERN");
  ASSERT_GE(panel, 0);
  EXPECT_TRUE(manager->Tables().Patterns[panel].Img->Empty());
}

TEST_F(MaskTableTest, CommonSectionsAddRectanglesPicturesAndPatterns) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "snipwell-skin-masks";
  std::filesystem::create_directories(folder);
  {
    const std::vector<uint8_t> bmp = platform::WriteBmp(Make8Bit(18, 12));
    std::ofstream(folder / "Glyph.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    const std::vector<uint8_t> jpeg = MakeJpegBytes(8, 8, 0x00FF00);
    std::ofstream(folder / "Back.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()),
               static_cast<std::streamsize>(jpeg.size()));
    std::ofstream(folder / "Broken.bmp", std::ios::binary) << "BM not a picture";
  }
  framework::TStringList lines;
  lines.SetText(
      "[GlobalInfo]\n"
      "BoxGrayed=#(1,2,3,4)(3,1)\n"
      "[Extra]\n"
      "BordersMask = #(10,0,40,30)(3,1,2)\n"
      "Pattern=#(0,0,8,8)(1,0,0,5)\n"
      "Glyph=" +
      (folder / "Glyph.bmp").string() +
      "\n"
      "Missing=" +
      (folder / "Missing.bmp").string() +
      "\n"
      "Broken=" +
      (folder / "Broken.bmp").string() +
      "\n"
      "Hash=#\n"
      "Bad=#(1,x,3,4)\n"
      "Back=" +
      (folder / "Back.jpg").string() + "\n");
  manager->SetCommonSections(&lines);  // inactive-safe: loads the skin now
  const size_t stored = 6;
  ASSERT_EQ(manager->Tables().Masks.size(), stored + 3);

  // GLOBALINFO keys are not masks.
  EXPECT_EQ(manager->Tables().FindMaskExact("GLOBALINFO", "BOXGRAYED"), -1);
  const TsMaskData& border = manager->Tables().Masks[stored];
  EXPECT_EQ(border.SectionName, "EXTRA");
  EXPECT_EQ(border.PropertyName, "BORDERSMASK");
  EXPECT_EQ(border.R, (platform::TRect{10, 0, 40, 30}));
  EXPECT_EQ(border.ImageCount, 3);
  EXPECT_EQ(border.MaskType, 1);
  EXPECT_EQ(border.WL, 2);
  EXPECT_EQ(border.DrawMode, 1);
  EXPECT_EQ(border.ImgType, itisaBorder);
  const TsMaskData& pattern = manager->Tables().Masks[stored + 1];
  EXPECT_EQ(pattern.ImgType, itisaTexture);
  EXPECT_EQ(pattern.DrawMode, 0);
  const TsMaskData& glyph = manager->Tables().Masks[stored + 2];
  ASSERT_NE(glyph.Bmp, nullptr);
  EXPECT_EQ(glyph.R, (platform::TRect{0, 0, 18, 12}));
  EXPECT_EQ(glyph.ImageCount, 3);
  EXPECT_EQ(glyph.MaskType, 1);
  EXPECT_EQ(glyph.WL, 2);
  EXPECT_EQ(glyph.WT, 2);

  // The common section is a section too; its pattern is found through it.
  const int extra = manager->Tables().FindSection("Extra");
  ASSERT_GE(extra, 0);
  EXPECT_EQ(manager->Tables().FindTexture(extra, "EXTRA", "PATTERN"), static_cast<int>(stored + 1));
  ASSERT_EQ(manager->Tables().Patterns.size(), 6u);
  EXPECT_EQ(manager->Tables().Patterns[5].PropertyName, "BACK");
  EXPECT_EQ(manager->Tables().Patterns[5].Img->Width(), 8);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace skin::test
