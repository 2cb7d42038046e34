// Skin folders on disk: a folder with "Options.dat" in the skin directory stands in for the stored
// skin of its name; its masks, patterns and sections are read as the folder format says; and no
// file found there, however broken, does more than make the manager fall back to a stored skin.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/classes/Strings.h"
#include "skin/data/sMaskForms.h"
#include "skin/data/sSkinDirectory.h"
#include "skin/data/sSkinFolder.h"
#include "skin/data/sSkinLoading.h"
#include "tests/platform/files/FileTestSupport.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

namespace fs = std::filesystem;

class SkinFolderTest : public SkinManagerFixture {
 protected:
  void SetUp() override {
    SkinManagerFixture::SetUp();
    fs::create_directories(skins);
    AddTestSkin(manager.get(), "BlueGauze (internal)", 0x112233);
    AddTestSkin(manager.get(), "BlueIce (internal)");
    manager->SetSkinDirectory(skins.string());
  }

  void Write(const std::string& file, const std::string& bytes) {
    const fs::path path = skins / file;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // A skin folder of that name with the given settings; "\n" ends its lines.
  void Folder(const std::string& name, const std::string& options) {
    Write(name + "/Options.dat", options);
  }

  filetest::TempFolder root;
  const fs::path skins = root / "Skins";
};

TEST_F(SkinFolderTest, AFolderWithOptionsDatReplacesTheStoredSkinOfItsName) {
  Folder("BlueIce (internal)",
         "[GLOBALINFO]\nVERSION=5.25\nAUTHOR=Ann\nSHADOW1BLUR=3\n[EDIT]\nCOLOR=255\n");
  manager->SetSkinName("BlueIce (internal)");
  EXPECT_TRUE(manager->SkinLoadError().empty()) << manager->SkinLoadError();
  EXPECT_EQ(manager->SkinName(), "BlueIce (internal)");
  EXPECT_EQ(manager->SkinInfo(), "5.25");
  EXPECT_EQ(manager->SkinData().Author, "Ann");
  EXPECT_EQ(manager->SkinData().Shadow1Blur, 3);
  EXPECT_EQ(manager->SkinData().Shadow1Offset, 0);
  EXPECT_EQ(PlatformPath(manager->SkinData().SkinPath), (skins / "BlueIce (internal)/").string());
  ASSERT_EQ(Tables().Sections.size(), 2u);
  EXPECT_EQ(SectionNamed("EDIT").Color, 255);
  EXPECT_EQ(Tables().FindSection("PANEL"), -1);  // nothing of the stored skin is left

  // The stored skin of another name is still the stored one.
  manager->SetSkinName("BlueGauze (internal)");
  EXPECT_TRUE(manager->SkinData().SkinPath.empty());
  EXPECT_GE(Tables().FindSection("PANEL"), 0);
}

TEST_F(SkinFolderTest, OnlyFoldersHoldingOptionsDatAreListedOrLoaded) {
  Folder("Zed", "[GLOBALINFO]\n");
  Folder("alpha", "[GLOBALINFO]\n");
  Folder("BlueIce (internal)", "[GLOBALINFO]\n");  // replaces the stored one: listed once
  Folder(".hidden", "[GLOBALINFO]\n");
  Write("Empty/MASTER.BMP", BmpFile(4, 4));
  fs::create_directories(skins / "Odd/Options.dat");  // a folder, not a file

  framework::TStringList names;
  EXPECT_EQ(manager->ListSkinNames(&names), "BlueGauze (internal)");
  ASSERT_EQ(names.Count(), 4);
  EXPECT_EQ(names.Get(0), "alpha");
  EXPECT_EQ(names.Get(1), "BlueGauze (internal)");
  EXPECT_EQ(names.Get(2), "BlueIce (internal)");
  EXPECT_EQ(names.Get(3), "Zed");

  // A folder without Options.dat is no skin: the first stored skin is loaded instead.
  manager->SetSkinName("Empty");
  EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)");
  EXPECT_TRUE(manager->SkinData().SkinPath.empty());

  // Without stored skins the first folder in name order is the default.
  TsSkinManager bare(nullptr);
  bare.SetSkinDirectory(skins.string());
  EXPECT_EQ(bare.ListSkinNames(nullptr), "BlueIce (internal)");
}

TEST_F(SkinFolderTest, TheSixMaskFormsAndTheValuesThatAreNoMask) {
  Write("F/MASTER.BMP", BmpFile(64, 48));
  Write("F/OWN.BMP", BmpFile(36, 24));
  Write("F/low.bmp", BmpFile(36, 24));
  Write("F/PIC.BMP", BmpFile(18, 12));
  Folder("F",
         "[GLOBALINFO]\n"
         "MASTERBITMAP=MASTER.BMP\n"
         "AUTHOR=@home, a glyph in name only\n"
         "BOXCHECKED=@  12    0   24    8 3 1\n"
         "[Edit]\n"
         "BORDERSMASK=^  24    0   36   12    0    0    0    0 1 0 1 2\n"
         "glyphmask=@   0    0   12    8 1 0\n"
         "EXTRA=#\n"
         "LOWER=!low.bmp!3!1!0\n"
         "[BUTTON]\n"
         "BORDERSMASK=!OWN.BMP!3!1!0\n"
         "HOTMASK=!OWN.BMP!1!0!2!5!6!7!8\n"
         "[griph]\n"
         "PATTERN=~  36    0   44    8  1\n"
         "pic=PIC.BMP\n"
         "rect=#(40,6,61,48)(1,1,0,1)\n");
  manager->SetSkinName("F");
  ASSERT_TRUE(manager->SkinLoadError().empty()) << manager->SkinLoadError();
  ASSERT_TRUE(Tables().MasterBitmap.get());
  EXPECT_EQ(Tables().MasterBitmap->Width(), 64);
  EXPECT_EQ(Tables().MasterBitmap->PixelFormat(), framework::pf24bit);
  EXPECT_EQ(Tables().Masks.size(), 8u);  // not EXTRA, LOWER nor AUTHOR

  const TsMaskData* glyph = MaskNamed("GLOBALINFO", "BOXCHECKED");
  ASSERT_TRUE(glyph);
  EXPECT_EQ(glyph->ImgType, itisaGlyph);
  EXPECT_EQ(glyph->R, (platform::TRect{12, 0, 24, 8}));
  EXPECT_EQ(glyph->ImageCount, 3);
  EXPECT_EQ(glyph->MaskType, 1);
  EXPECT_EQ(glyph->WL + glyph->WT + glyph->WR + glyph->WB, 0);

  // "^" with no margins: the border width stands for all four.
  const TsMaskData* border = MaskNamed("Edit", "BORDERSMASK");
  ASSERT_TRUE(border);
  EXPECT_EQ(border->ImgType, itisaBorder);
  EXPECT_EQ(border->R, (platform::TRect{24, 0, 36, 12}));
  EXPECT_EQ(border->DrawMode, 1);
  EXPECT_EQ(border->BorderWidth, 2);
  EXPECT_EQ(border->WL, 2);
  EXPECT_EQ(border->WB, 2);

  // Names of the fixed forms stay as written, so upper-case look-ups miss them.
  EXPECT_TRUE(MaskNamed("Edit", "glyphmask"));
  EXPECT_EQ(Tables().FindMaskExact("EDIT", "GLYPHMASK"), -1);

  // "!" without margins divides the picture; with them takes them.
  const TsMaskData* own = MaskNamed("BUTTON", "BORDERSMASK");
  ASSERT_TRUE(own && own->Bmp);
  EXPECT_EQ(own->R, (platform::TRect{0, 0, 36, 24}));
  EXPECT_EQ(own->Bmp->PixelFormat(), framework::pf24bit);
  EXPECT_EQ(own->WL, 4);
  EXPECT_EQ(own->WT, 4);
  const TsMaskData* hot = MaskNamed("BUTTON", "HOTMASK");
  ASSERT_TRUE(hot);
  EXPECT_EQ(hot->ImgType, itisaGlyph);
  EXPECT_EQ(hot->WL, 5);
  EXPECT_EQ(hot->WT, 6);
  EXPECT_EQ(hot->WR, 7);
  EXPECT_EQ(hot->WB, 8);

  const TsMaskData* texture = MaskNamed("griph", "PATTERN");
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->ImgType, itisaTexture);
  EXPECT_EQ(texture->DrawMode, 1);
  EXPECT_EQ(texture->MaskType, 0);  // the value ends before column 25
  EXPECT_EQ(texture->ImageCount, 1);

  // A picture named alone and a "#" rectangle have their names upper-cased.
  const TsMaskData* picture = MaskNamed("GRIPH", "PIC");
  ASSERT_TRUE(picture && picture->Bmp);
  EXPECT_EQ(picture->ImageCount, 3);
  EXPECT_EQ(picture->MaskType, 1);
  EXPECT_EQ(picture->WL, 2);  // 18 div 9
  EXPECT_EQ(picture->WT, 2);  // 12 div 6
  const TsMaskData* rect = MaskNamed("GRIPH", "RECT");
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->R, (platform::TRect{40, 6, 61, 48}));
  EXPECT_EQ(rect->WL, 7);  // 21 div 3
  EXPECT_EQ(rect->WT, 7);  // 42 div 6
}

// Folders written by hand on Windows: blanks around headers, keys and "=", picture names in
// another letter case than the files, names from the folder's root.
TEST_F(SkinFolderTest, HandWrittenFoldersLoadAsTheirAuthorsSawThem) {
  Write("H/master.bmp", BmpFile(64, 48));
  Write("H/own.bmp", BmpFile(36, 24));
  Write("H/Pics/Plain.bmp", BmpFile(18, 12));
  Write("H/small.jpg", JpegFile(20, 20));
  Folder("H",
         "[GLOBALINFO]\r\n"
         "MASTERBITMAP = MASTER.BMP\r\n"
         "[PANEL]\r\n"
         "COLOR=1\r\n"
         "[EDIT] \r\n"
         " COLOR = 254 \r\n"
         "\tBORDERSMASK\t=\t!OWN.BMP!3!1!0\r\n"
         "  [ BUTTON ]  \r\n"
         "GLYPH=\\PICS\\PLAIN.BMP\r\n"
         "PATTERN = Small.JPG\r\n"
         "RECT=#(-2000000000,0,2000000000,10)\r\n");
  manager->SetSkinName("H");
  ASSERT_TRUE(manager->SkinLoadError().empty()) << manager->SkinLoadError();
  ASSERT_EQ(Tables().Sections.size(), 4u);  // GLOBALINFO, PANEL, EDIT, BUTTON
  EXPECT_EQ(SectionNamed("PANEL").Color, 1);
  EXPECT_EQ(SectionNamed("EDIT").Color, 254);  // not PANEL's second COLOR
  EXPECT_GE(Tables().FindSection("BUTTON"), 0);

  ASSERT_TRUE(Tables().MasterBitmap.get());
  EXPECT_EQ(Tables().MasterBitmap->Width(), 64);
  const TsMaskData* own = MaskNamed("EDIT", "BORDERSMASK");
  ASSERT_TRUE(own && own->Bmp);
  EXPECT_EQ(own->R, (platform::TRect{0, 0, 36, 24}));
  const TsMaskData* glyph = MaskNamed("BUTTON", "GLYPH");  // "\" is the skin's folder, not "/"
  ASSERT_TRUE(glyph && glyph->Bmp);
  EXPECT_EQ(glyph->Bmp->Width(), 18);
  const TsMaskData* texture = MaskNamed("BUTTON", "PATTERN");
  ASSERT_TRUE(texture && texture->Bmp);
  EXPECT_EQ(texture->Bmp->Width(), 20);

  // A rectangle wider than 32 bits can count gets margins of a third of it, held in 16 bits.
  const TsMaskData* wide = MaskNamed("BUTTON", "RECT");
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->WL, INT16_MAX);
  EXPECT_EQ(wide->WT, 3);  // 10 div 3
}

TEST_F(SkinFolderTest, ALoadBuildsTablesApartThatTheManagerAdoptsWhereItsOwnStand) {
  Write("A/master.bmp", BmpFile(64, 48));
  Folder("A",
         "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[PANEL]\nCOLOR=255\n"
         "[EDIT]\nPARENTCLASS=PANEL\nBORDERSMASK=#(0,0,36,12)\n");
  // Masks refer to the tables that hold them, wherever those are moved.
  TsLoadedSkin loaded = LoadFolderSkin(DiskSkinFiles(), (skins / "A").string() + "/", {});
  const TsLoadedSkin moved = std::move(loaded);
  EXPECT_TRUE(loaded.Tables.Masks.empty() && !loaded.Tables.MasterBitmap);
  const int edit = moved.Tables.FindSection("EDIT");
  const int border = moved.Tables.FindMask(edit, "EDIT", "BORDERSMASK");  // through the index
  ASSERT_GE(border, 0);
  EXPECT_EQ(moved.Tables.Mask(border)->Tables, &moved.Tables);

  // A load that fails changes nothing: the loader raises and holds nothing of the manager's.
  manager->SetSkinName("A");
  const TsSkinTables* tables = &manager->Tables();
  Folder("Broken", "[GLOBALINFO]\nSHADOW1OFFSET=two\n");
  EXPECT_THROW(LoadFolderSkin(DiskSkinFiles(), (skins / "Broken").string() + "/", {}),
               platform::Exception);
  EXPECT_EQ(SectionNamed("PANEL").Color, 255);

  // A reload (here a new colour adjustment, after which the controls keep what they hold) puts
  // the new tables where the old ones stood: what points at them reads the new skin.
  manager->SetHueOffset(120);
  ASSERT_EQ(&manager->Tables(), tables);
  EXPECT_NE(SectionNamed("PANEL").Color, 255);
  EXPECT_EQ(tables->FindMask(tables->FindSection("EDIT"), "EDIT", "BORDERSMASK"), border);
  for (const TsMaskData& m : tables->Masks) EXPECT_EQ(m.Tables, tables);
}

TEST(SkinFilePathTest, NamesFromTheRootOfTheSkinAndOfThisPlatform) {
  EXPECT_EQ(SkinFilePath("\\BG.BMP", "/s/Ice\\"), "/s/Ice//BG.BMP");
  EXPECT_EQ(SkinFilePath("..\\Shared\\BG.JPG", "/s/Ice\\"), "/s/Ice/../Shared/BG.JPG");
  EXPECT_EQ(SkinFilePath("/opt/BG.BMP", "/s/Ice\\"), "/opt/BG.BMP");
  EXPECT_EQ(SkinFilePath("c:\\BG.BMP", "/s/Ice\\"), "/BG.BMP");
}

TEST_F(SkinFolderTest, LargeJpegsArePatternsAndSmallOnesTextureMasks) {
  Write("J/BIG.JPG", JpegFile(300, 300));
  Write("J/SMALL.JPG", JpegFile(299, 300));
  Folder("J", "[FORM]\nPATTERN=BIG.JPG\nHOTPATTERN=SMALL.JPG\nIGNORED=MISSING.JPG\n");
  manager->SetSkinName("J");
  const int form = Tables().FindSection("FORM");
  const int pattern = Tables().FindPattern(form, "FORM", "PATTERN");
  ASSERT_TRUE(Tables().IsValidPatternIndex(pattern));
  EXPECT_EQ(Tables().Patterns[static_cast<size_t>(pattern)].Img->Width(), 300);
  EXPECT_EQ(Tables().FindPattern(form, "FORM", "HOTPATTERN"), -1);
  const int texture = Tables().FindTexture(form, "FORM", "HOTPATTERN");
  ASSERT_TRUE(Tables().IsValidMaskIndex(texture));
  const TsMaskData& small = Tables().Masks[static_cast<size_t>(texture)];
  ASSERT_TRUE(small.Bmp);
  EXPECT_EQ(small.R, (platform::TRect{0, 0, 299, 300}));
  EXPECT_EQ(small.ImageCount, 1);
  EXPECT_EQ(small.Tables, &Tables());
  EXPECT_EQ(Tables().Patterns.size(), 1u);
}

TEST_F(SkinFolderTest, PropertiesAreInheritedThroughParentClassAcrossTheFile) {
  Folder(
      "P",
      "[COMBOBOX]\nPARENTCLASS=edit\nTCLEFT=-1\nTCTOP=5\n"
      "[EDIT]\nPARENTCLASS=BASE\nCOLOR=123\nTCLEFT=77\nSHADOWCOLOR=99\nGRADIENTDATA=255;0;100;0;0\n"
      "[BASE]\nHOTCOLOR=-16777201\nCOLOR=-16777201\nSHOWFOCUS=true\n"
      "[LOOPA]\nPARENTCLASS=LOOPB\n[LOOPB]\nPARENTCLASS=LOOPA\nBEVEL=9\n"
      "[SELF]\nPARENTCLASS=SELF\n");
  manager->SetSkinName("P");
  ASSERT_EQ(Tables().Sections.size(), 6u);
  const TsGeneralData& combo = SectionNamed("COMBOBOX");
  EXPECT_EQ(combo.ParentClass, "edit");
  EXPECT_EQ(combo.Color, 123);        // from EDIT, further down
  EXPECT_EQ(combo.FontColor[1], 77);  // TCLEFT=-1 counts as missing
  EXPECT_EQ(combo.FontColor[2], 5);   // its own
  EXPECT_EQ(combo.FontColor[3], -1);  // nobody gives it
  EXPECT_EQ(combo.ShadowColor, 0);    // never inherited
  EXPECT_TRUE(combo.ShowFocus);       // from BASE, two steps up
  EXPECT_EQ(combo.GradientArray.size(), 1u);
  EXPECT_EQ(SectionNamed("EDIT").ShadowColor, 99);
  // A system colour given for COLOR is resolved; HOTCOLOR keeps it.
  EXPECT_EQ(SectionNamed("BASE").Color, platform::ColorToRGB(platform::clBtnFace));
  EXPECT_EQ(SectionNamed("BASE").HotColor, -16777201);
  // Cycles and a section naming itself end in the defaults.
  EXPECT_EQ(SectionNamed("LOOPA").Bevel, cbNone);
  EXPECT_EQ(SectionNamed("LOOPA").Color, 0xFFFFFF);
  EXPECT_EQ(SectionNamed("SELF").FadingIterations, 5);
}

TEST_F(SkinFolderTest, AMalformedNumberFallsBackToTheStoredSkin) {
  Folder("BlueIce (internal)", "[EDIT]\nCOLOR=255\nBORDERSMASK=^  2x    0   36   12\n");
  manager->SetSkinName("BlueIce (internal)");
  EXPECT_NE(manager->SkinLoadError().find("not a valid integer"), std::string::npos)
      << manager->SkinLoadError();
  EXPECT_EQ(manager->SkinName(), "BlueIce (internal)");
  EXPECT_TRUE(manager->SkinData().SkinPath.empty());
  EXPECT_EQ(SectionNamed("EDIT").Color, 0x0000FF);  // the stored skin's
  EXPECT_TRUE(manager->SkinData().SkinReady);

  // A folder of an unknown name that fails leaves the first stored skin.
  Folder("Broken", "[GLOBALINFO]\nSHADOW1OFFSET=two\n");
  manager->SetSkinName("Broken");
  EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)");
  EXPECT_FALSE(manager->SkinLoadError().empty());
}

TEST_F(SkinFolderTest, SettingsThatAreNoFileOrTooLargeAreRefused) {
  fs::create_directories(skins / "Dir/Options.dat");
  fs::create_directories(skins / "Pipe");
  ASSERT_EQ(::mkfifo((skins / "Pipe/Options.dat").c_str(), 0600), 0);
  Folder("Huge", "[EDIT]\n" + std::string(TsSkinFolderLimits::kMaxSettingsBytes, ';'));
  for (const char* name : {"Dir", "Pipe", "Huge"}) {
    manager->SetSkinName(name);
    EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)") << name;
    EXPECT_FALSE(manager->SkinLoadError().empty()) << name;
  }
}

TEST_F(SkinFolderTest, BrokenPicturesAreLeftOutWithALineEachAndSharedOnesRead) {
  Write("B/MASTER.BMP", BmpFile(64, 48));
  Write("B/CORRUPT.BMP", "BM not a bitmap at all");
  // A BMP whose header claims 12000 x 12000 pixels in a file of a few bytes.
  std::string giant = BmpFile(4, 4);
  giant[18] = giant[22] = static_cast<char>(0xE0);
  giant[19] = giant[23] = static_cast<char>(0x2E);
  Write("B/GIANT.BMP", giant);
  Write("B/TRUNC.JPG", JpegFile(300, 300).substr(0, 200));
  Write("Shared/SHARED.BMP", BmpFile(9, 6));
  fs::create_symlink("/dev/zero", skins / "B/ZERO.BMP");
  fs::create_symlink(skins / "B/NOWHERE.BMP", skins / "B/DANGLING.BMP");
  Folder("B",
         "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
         "[EDIT]\nA=!CORRUPT.BMP!1!0!0\nB=GIANT.BMP\nC=!MISSING.BMP!1!0!0\nD=TRUNC.JPG\n"
         "E=!..\\Shared\\SHARED.BMP!1!0!0\nF=!OWN.BMP!1!0!7\nG=" +
             (skins / "Shared/SHARED.BMP").string() + "\nH=ZERO.BMP\nI=DANGLING.BMP\n");
  Write("B/OWN.BMP", BmpFile(4, 4));
  testing::internal::CaptureStderr();
  manager->SetSkinName("B");
  const std::string lines = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(manager->SkinLoadError().empty()) << manager->SkinLoadError();
  EXPECT_TRUE(Tables().MasterBitmap.get());
  // Only the pictures shared from another folder, by a relative and by an absolute name; F has an
  // image type outside the format.
  ASSERT_EQ(Tables().Masks.size(), 2u);
  EXPECT_EQ(Tables().Masks[0].PropertyName, "E");
  EXPECT_EQ(Tables().Masks[0].R, (platform::TRect{0, 0, 9, 6}));
  EXPECT_EQ(Tables().Masks[1].PropertyName, "G");
  EXPECT_TRUE(Tables().Patterns.empty());
  // One line for each picture that is there and cannot be used, none for those that are not.
  const std::string folder = "snipwell: skin folder " + (skins / "B").string() + "/: ";
  for (const char* line : {"CORRUPT.BMP: ", "GIANT.BMP: ", "TRUNC.JPG: ", "ZERO.BMP: "})
    EXPECT_NE(lines.find(folder + line), std::string::npos) << line << " in\n" << lines;
  EXPECT_NE(lines.find("the mask EDIT A is left out"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4) << lines;
}

// A skin keeps at most a 4K screen's worth of pictures: one picture beyond that is left out, and
// so is a mask whose copy of a picture would take the skin beyond it. The first mask naming a
// picture keeps the decoded picture itself, so it costs the budget once.
TEST_F(SkinFolderTest, PicturesBeyondTheBudgetAreLeftOutAndTheFirstUseCostsNoCopy) {
  const int side = 2048;  // a quarter of the skin's budget
  ASSERT_EQ(size_t{side} * side * 2, TsSkinFolderLimits::kMaxTotalPixels);
  Write("P/MASTER.BMP", BmpFile(side, side));
  Write("P/HALF.BMP", BmpFile(side, side));
  Write("P/OVER.BMP", BmpFile(side + 1, side * 2));
  Folder("P",
         "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
         "[BUTTON]\nBORDERSMASK=HALF.BMP\nGLYPHMASK=OVER.BMP\n"
         "[EDIT]\nBORDERSMASK=HALF.BMP\n");
  testing::internal::CaptureStderr();
  manager->SetSkinName("P");
  const std::string lines = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(manager->SkinLoadError().empty()) << manager->SkinLoadError();
  ASSERT_NE(MaskNamed("BUTTON", "BORDERSMASK"), nullptr);
  EXPECT_EQ(MaskNamed("BUTTON", "BORDERSMASK")->R, (platform::TRect{0, 0, side, side}));
  EXPECT_EQ(MaskNamed("BUTTON", "GLYPHMASK"), nullptr);
  EXPECT_EQ(MaskNamed("EDIT", "BORDERSMASK"), nullptr);
  EXPECT_NE(lines.find("OVER.BMP: the picture has more than 8388608 pixels; the mask BUTTON "
                       "GLYPHMASK is left out"),
            std::string::npos)
      << lines;
  EXPECT_NE(lines.find("HALF.BMP: the skin's pictures have more than 8388608 pixels together; "
                       "the mask EDIT BORDERSMASK is left out"),
            std::string::npos)
      << lines;
}

TEST_F(SkinFolderTest, AMasterBitmapThatIsThereButCannotBeUsedFailsTheFolder) {
  // Truncated, not a bitmap, a link to an endless device, a pipe nobody writes to.
  const std::string master = BmpFile(64, 48);
  Write("Truncated/MASTER.BMP", master.substr(0, master.size() / 2));
  Write("Refused/MASTER.BMP", "BM not a bitmap at all");
  fs::create_directories(skins / "Zero");
  fs::create_symlink("/dev/zero", skins / "Zero/MASTER.BMP");
  fs::create_directories(skins / "Fifo");
  ASSERT_EQ(::mkfifo((skins / "Fifo/MASTER.BMP").c_str(), 0600), 0);
  for (const char* name : {"Truncated", "Refused", "Zero", "Fifo"}) {
    SCOPED_TRACE(name);
    Folder(name, "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[EDIT]\nCOLOR=255\n");
    manager->SetSkinName(name);
    EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)");  // the stored skin paints
    EXPECT_TRUE(manager->SkinData().SkinPath.empty());
    EXPECT_TRUE(Tables().MasterBitmap.get());
    EXPECT_GE(Tables().FindMaskExact("GLOBALINFO", "BOXCHECKED"), 0);
    // The program tells the user, naming the folder (the skin choice's tests show the line).
    EXPECT_EQ(manager->FailedSkinFolder(), (skins / name).string() + "/");
    const std::string start = "the master bitmap MASTER.BMP: ";
    const std::string& reason = manager->SkinLoadError();
    EXPECT_EQ(reason.rfind(start, 0), 0u) << reason;
    EXPECT_GT(reason.size(), start.size() + 2) << "a reason: " << reason;
  }
  // A master bitmap that is not there at all leaves the skin without one, as before.
  Folder("Absent", "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n");
  manager->SetSkinName("Absent");
  EXPECT_EQ(manager->SkinName(), "Absent");
  EXPECT_FALSE(Tables().MasterBitmap.get());
}

TEST_F(SkinFolderTest, ExtremeNumbersAreKeptInTheRangesThePaintersUse) {
  Folder("X",
         "[GLOBALINFO]\nSHADOW1BLUR=2147483647\nSHADOW1OFFSET=-2147483648\n"
         "SHADOW1TRANSPARENCY=2147483647\n"
         "[BUTTON]\nTRANSPARENCY=2147483647\nGRADIENTPERCENT=2147483647\n"
         "IMAGEPERCENT=2147483647\nHOTTRANSPARENCY=-2147483648\nHOTGRADIENTPERCENT=-5\n"
         "HOTIMAGEPERCENT=101\nSHADOWTRANSPARENCY=2147483647\nFADINGENABLED=TRUE\n"
         "FADINGITERATIONS=2147483647\nFADINGINTERVALIN=2147483647\n"
         "FADINGINTERVALOUT=-2147483648\n"
         "[CHILD]\nPARENTCLASS=BUTTON\nFADINGITERATIONS=20\n");
  manager->SetSkinName("X");
  ASSERT_TRUE(manager->SkinLoadError().empty()) << manager->SkinLoadError();
  for (const char* name : {"BUTTON", "CHILD"}) {
    SCOPED_TRACE(name);
    const TsGeneralData& s = SectionNamed(name);
    EXPECT_EQ(s.Transparency, 100);
    EXPECT_EQ(s.GradientPercent, 100);
    EXPECT_EQ(s.ImagePercent, 100);
    EXPECT_EQ(s.HotTransparency, 0);
    EXPECT_EQ(s.HotGradientPercent, 0);
    EXPECT_EQ(s.HotImagePercent, 100);
    EXPECT_EQ(s.ShadowTransparency, 100);
    EXPECT_EQ(s.FadingIntervalIn, 1000);
    EXPECT_EQ(s.FadingIntervalOut, 0);
  }
  // A fade has at most one step per weight; the child's own count stands.
  EXPECT_EQ(SectionNamed("BUTTON").FadingIterations, 256);
  EXPECT_EQ(SectionNamed("CHILD").FadingIterations, 20);
  EXPECT_EQ(manager->SkinData().Shadow1Blur, 32);
  EXPECT_EQ(manager->SkinData().Shadow1Offset, -32);
  EXPECT_EQ(manager->SkinData().Shadow1Transparency, 100);
}

TEST(SkinFolderFormsTest, FixedColumnsAndPictureWords) {
  EXPECT_EQ(MaskFormOf("#"), mfNone);
  EXPECT_EQ(MaskFormOf("A.BMP"), mfPictureFile);
  EXPECT_EQ(MaskFormOf("a.bmp"), mfPictureFile);  // upper-cased before the test
  EXPECT_EQ(MaskFormOf("BG.JPG"), mfNone);
  EXPECT_EQ(MaskFormOf("x#"), mfRectangle);
  // A column the value does not reach is no number.
  TsMaskData m;
  EXPECT_THROW(ReadGlyphForm("@  12    0   24    8 3", m), framework::EConvertError);
  // ImageCount 0 means three states over a mask band; the margins never divide by zero.
  ReadBorderForm("^   0    0   30   12    0    0    0    0 0 0 1 0", m);
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.WL, 3);
  EXPECT_EQ(m.WT, 2);
  EXPECT_FALSE(ReadPictureParams("!a.bmp!1!0!0"));
  EXPECT_THROW(ReadPictureParams("!A.BMP!1!0"), framework::EConvertError);
  EXPECT_THROW(ReadPictureParams("!A.BMP!1!0!0!1!2"), framework::EConvertError);
}

}  // namespace
}  // namespace skin::test
