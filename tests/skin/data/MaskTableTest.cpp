// The mask and pattern tables and the master bitmap built from a stored skin and from common
// sections, and the look-ups over them.

#include "tests/platform/files/FileTestSupport.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

class MaskTableTest : public SkinManagerFixture {
 protected:
  void SetUp() override {
    SkinManagerFixture::SetUp();
    skin = AddTestSkin(manager.get(), "BlueIce (internal)");
  }
  void Load() { manager->SetSkinName("BlueIce (internal)"); }
  int Section(const std::string& name) const { return Tables().FindSection(name); }
  int Exact(const std::string& section, const std::string& role) const {
    return Tables().FindMaskExact(section, role);
  }

  TsStoredSkin* skin = nullptr;
};

TEST_F(MaskTableTest, MasterBitmapAndOwnPicturesBecome24BitWithTheirPixels) {
  Load();
  TBitmap* master = Tables().MasterBitmap.get();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master->PixelFormat(), framework::pf24bit);
  EXPECT_EQ(master->Width(), 64);
  EXPECT_EQ(master->Height(), 48);
  EXPECT_EQ(master->TransparentColor(), platform::clFuchsia);
  EXPECT_EQ(master->DIB().Pixel(0, 0), platform::clFuchsia);  // palette index 0
  EXPECT_EQ(master->DIB().Pixel(2, 0), 0x0000FF);             // index 2, red

  const int huge = Exact("BUTTON_HUGE", "BORDERSMASK");
  ASSERT_GE(huge, 0);
  const TsMaskData& m = Tables().Masks[huge];
  ASSERT_NE(m.Bmp, nullptr);
  EXPECT_EQ(m.Bmp->PixelFormat(), framework::pf24bit);
  EXPECT_EQ(m.R, (platform::TRect{0, 0, 36, 24}));  // the whole picture, whatever Left..Bottom said
  EXPECT_EQ(m.Tables, &Tables());
  EXPECT_EQ(m.WL, 4);  // 36 div 9
  EXPECT_EQ(m.WT, 4);  // 24 div 6
  EXPECT_EQ(Tables().Masks[Exact("EDIT", "BORDERSMASK")].Bmp, nullptr);
}

TEST_F(MaskTableTest, StateCountsMaskTypesAndMarginsFollowTheRules) {
  AddMask(skin, "X", "ZERO", {0, 0, 63, 42}, 0, 0, 0);    // 0 reads as three states, mask band
  AddMask(skin, "X", "WIDTH", {0, 0, 30, 30}, 1, 0, 2);   // border width stands for all four
  AddMask(skin, "X", "NEG", {0, 0, 30, 30}, -4, 7, 0);    // nonsense clamped: 1 state, type 1
  AddMask(skin, "x", "lower", {0, 0, 10, 10}, 1, -3, 0);  // names upper-cased, type 0
  Load();
  auto mask = [&](const char* role) -> const TsMaskData& {
    return Tables().Masks[Exact("X", role)];
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
  EXPECT_EQ(Tables().MarginLeft(Exact("PANEL", "BORDERSMASK")), 7);
  EXPECT_EQ(Tables().MarginLeft(Exact("X", "ZERO")), 7);
  EXPECT_EQ(Tables().MarginTop(Exact("X", "ZERO")), 7);
  EXPECT_EQ(Tables().MarginRight(Exact("EDIT", "BORDERSMASK")), 1);
  EXPECT_EQ(Tables().MarginBottom(-1), 0);
  EXPECT_EQ(Tables().MarginLeft(static_cast<int>(Tables().Masks.size())), 0);
}

TEST_F(MaskTableTest, MaskLookUpsWithAndWithoutInheritance) {
  AddMask(skin, "EDIT", "GLYPHMASK", {0, 0, 3, 3}, 1, 0, 0, itisaGlyph);
  AddMask(skin, "COMBOBOX", "BORDERSMASK", {0, 0, 6, 6}, 1, 0, 1);
  Load();
  const int edit = Section("EDIT"), combo = Section("COMBOBOX"), check = Section("CHECKBOX");
  const int editBorder = Exact("EDIT", "BORDERSMASK");
  ASSERT_GE(editBorder, 0);
  EXPECT_EQ(Tables().FindMask(edit, "EDIT", "BORDERSMASK"), editBorder);
  EXPECT_EQ(Tables().FindMask(-1, "EDIT", "BORDERSMASK"), -1);
  EXPECT_EQ(Tables().FindMask(edit, "", "BORDERSMASK"), -1);
  EXPECT_EQ(Tables().FindMask(edit, "EDIT", "bordersmask"), -1);
  EXPECT_EQ(Tables().FindMask(check, "CHECKBOX", "BOXCHECKED"), -1);
  // COMBOBOX has its own border and inherits the glyph of EDIT.
  EXPECT_EQ(Tables().FindMask(combo, "COMBOBOX", "BORDERSMASK"), Exact("COMBOBOX", "BORDERSMASK"));
  EXPECT_EQ(Tables().FindMask(combo, "COMBOBOX", "GLYPHMASK"), Exact("EDIT", "GLYPHMASK"));
  EXPECT_EQ(Exact("COMBOBOX", "GLYPHMASK"), -1);

  EXPECT_TRUE(Tables().IsValidMaskIndex(editBorder));
  EXPECT_FALSE(Tables().IsValidMaskIndex(-1));
  EXPECT_FALSE(Tables().IsValidMaskIndex(static_cast<int>(Tables().Masks.size())));

  // Textures: only texture masks count; PATTERN roles always are textures.
  EXPECT_EQ(Tables().FindTexture(Section("GRIPH"), "GRIPH", "PATTERN"), Exact("GRIPH", "PATTERN"));
  EXPECT_EQ(Tables().FindTexture(edit, "EDIT", "BORDERSMASK"), -1);
  EXPECT_EQ(Tables().FindTexture(Section("FORM"), "FORM", "PATTERN"), -1);

  // The check box glyphs come from GLOBALINFO through the common index cache.
  EXPECT_EQ(Tables().CommonIndices().BoxChecked, Exact("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(Tables().CommonIndices().BoxGrayed, -1);
}

TEST_F(MaskTableTest, ParentClassCyclesEndTheSearch) {
  AddSection(skin, "A", "B");
  AddSection(skin, "B", "A");
  AddSection(skin, "SELF", "SELF");
  AddMask(skin, "B", "ONLYB", {0, 0, 3, 3}, 1, 0, 0);
  Load();
  EXPECT_EQ(Tables().FindMask(Section("A"), "A", "ONLYB"), Exact("B", "ONLYB"));
  EXPECT_EQ(Tables().FindMask(Section("A"), "A", "NOWHERE"), -1);
  EXPECT_EQ(Tables().FindTexture(Section("B"), "B", "NOWHERE"), -1);
  EXPECT_EQ(Tables().FindPattern(Section("A"), "A", "NOWHERE"), -1);
  EXPECT_EQ(Tables().FindMask(Section("SELF"), "SELF", "NOWHERE"), -1);
}

TEST_F(MaskTableTest, PatternsSharePicturesByName) {
  Load();
  const int form = Tables().FindPattern(Section("FORM"), "FORM", "PATTERN");
  const int dialog = Tables().FindPattern(Section("DIALOG"), "DIALOG", "PATTERN");
  ASSERT_GE(form, 0);
  ASSERT_GE(dialog, 0);
  EXPECT_NE(form, dialog);
  const TsPatternData& f = Tables().Patterns[form];
  EXPECT_EQ(f.Img->Width(), 16);
  EXPECT_EQ(f.Img->Bytes(), Tables().Patterns[dialog].Img->Bytes());
  EXPECT_EQ(Tables().FindPattern(-1, "FORM", "PATTERN"), -1);
  EXPECT_EQ(Tables().FindPattern(Section("FORM"), "", "PATTERN"), -1);
  // Without a partner carrying the picture the pattern stays empty.
  const int panel = Tables().FindPattern(Section("PANEL"), "PANEL", "PATTERN");
  ASSERT_GE(panel, 0);
  EXPECT_TRUE(Tables().Patterns[panel].Img->Empty());
}

TEST_F(MaskTableTest, CommonSectionsAddRectanglesPicturesAndPatterns) {
  const filetest::TempFolder folder;
  filetest::WriteBytes(folder / "Glyph.bmp", BmpFile(18, 12));
  filetest::WriteBytes(folder / "Back.jpg", JpegFile(8, 8, 0x00FF00));
  filetest::WriteBytes(folder / "Broken.bmp", "BM not a picture");
  framework::TStringList lines;
  lines.SetText(
      "[GlobalInfo]\n"
      "BoxGrayed=#(1,2,3,4)(3,1)\n"
      "[Extra]\n"
      "BordersMask = #(10,0,40,30)(3,1,2)\n"
      "Pattern=#(0,0,8,8)(1,0,0,5)\n"
      "Glyph=" +
      folder / "Glyph.bmp" +
      "\n"
      "Missing=" +
      folder / "Missing.bmp" +
      "\n"
      "Broken=" +
      folder / "Broken.bmp" +
      "\n"
      "Hash=#\n"
      "Bad=#(1,x,3,4)\n"
      "Back=" +
      folder / "Back.jpg" + "\n");
  manager->SetCommonSections(&lines);  // inactive-safe: loads the skin now
  const size_t stored = 6;
  ASSERT_EQ(Tables().Masks.size(), stored + 3);

  // GLOBALINFO keys are not masks.
  EXPECT_EQ(Exact("GLOBALINFO", "BOXGRAYED"), -1);
  const TsMaskData& border = Tables().Masks[stored];
  EXPECT_EQ(border.SectionName, "EXTRA");
  EXPECT_EQ(border.PropertyName, "BORDERSMASK");
  EXPECT_EQ(border.R, (platform::TRect{10, 0, 40, 30}));
  EXPECT_EQ(border.ImageCount, 3);
  EXPECT_EQ(border.MaskType, 1);
  EXPECT_EQ(border.WL, 2);
  EXPECT_EQ(border.DrawMode, 1);
  EXPECT_EQ(border.ImgType, itisaBorder);
  const TsMaskData& pattern = Tables().Masks[stored + 1];
  EXPECT_EQ(pattern.ImgType, itisaTexture);
  EXPECT_EQ(pattern.DrawMode, 0);
  const TsMaskData& glyph = Tables().Masks[stored + 2];
  ASSERT_NE(glyph.Bmp, nullptr);
  EXPECT_EQ(glyph.R, (platform::TRect{0, 0, 18, 12}));
  EXPECT_EQ(glyph.ImageCount, 3);
  EXPECT_EQ(glyph.MaskType, 1);
  EXPECT_EQ(glyph.WL, 2);
  EXPECT_EQ(glyph.WT, 2);

  // The common section is a section too; its pattern is found through it.
  const int extra = Tables().FindSection("Extra");
  ASSERT_GE(extra, 0);
  EXPECT_EQ(Tables().FindTexture(extra, "EXTRA", "PATTERN"), static_cast<int>(stored + 1));
  ASSERT_EQ(Tables().Patterns.size(), 6u);
  EXPECT_EQ(Tables().Patterns[5].PropertyName, "BACK");
  EXPECT_EQ(Tables().Patterns[5].Img->Width(), 8);
}

}  // namespace
}  // namespace skin::test
