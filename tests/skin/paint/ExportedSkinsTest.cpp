// The three stored skins exported to skin folders and loaded back from disk paint exactly like
// their stored selves: every section's face at two sizes in each state, and every border and
// glyph mask in each state, byte for byte. With a hue rotation the two differ only where the
// folder format says they must: a small JPEG becomes a texture mask of the folder skin, and masks
// are recoloured while patterns are not.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/AppResources.h"
#include "framework/classes/FormReader.h"
#include "skin/data/sColorAdjust.h"
#include "skin/data/sMaskForms.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sStateImage.h"
#include "tests/platform/files/FileTestSupport.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/skin/paint/PaintTestSupport.h"
#include "tools/export/SkinExport.h"

namespace skin::test {
namespace {

namespace fs = std::filesystem;

const char* const kSkins[] = {"BlueGauze (internal)", "BlueIce (internal)",
                              "BluePlastic (internal)"};

bool SameBytes(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.DIB().ScanLine(y), b.DIB().ScanLine(y), static_cast<size_t>(a.Width()) * 3))
      return false;
  return true;
}

class ExportedSkins : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    RegisterStoredSkins();
    holder = std::make_unique<TsSkinManager>(nullptr);
    framework::ReadComponentRes(holder.get(),
                                "object Skins: TsSkinManager\n"
                                "  Active = False\n"
                                "  InternalSkins = <\n"
                                "    file 'skins/BlueGauze/Skin.dfm'\n"
                                "    file 'skins/BlueIce/Skin.dfm'\n"
                                "    file 'skins/BluePlastic/Skin.dfm'>\n"
                                "end\n",
                                "ExportedSkins");
    parent = Tagged(120, 60);
  }
  void TearDown() override {
    holder.reset();
    SkinTest::TearDown();
  }

  void Export(const std::string& name, skintools::MaskFormCounts* forms = nullptr) {
    const int index = holder->InternalSkins()->IndexOfSkin(name);
    ASSERT_GE(index, 0);
    skintools::WriteSkinFolder(skintools::ExportSkin(*holder->InternalSkins()->Items(index), forms),
                               root / name);
  }
  // A manager with the stored skins that loads name: from the export folder when fromFolder.
  std::unique_ptr<TsSkinManager> Load(const std::string& name, bool fromFolder, int hue = 0) {
    auto manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(fromFolder ? root.string() : "");
    manager->SetInternalSkins(holder->InternalSkins());
    manager->SetHueOffset(hue);
    manager->SetSkinName(name);
    EXPECT_EQ(manager->SkinData().SkinPath.empty(), !fromFolder) << manager->SkinLoadError();
    return manager;
  }

  std::unique_ptr<TBitmap> Face(TsSkinManager& m, int section, int w, int h, int state) {
    auto bitmap = Plain(w, h, 0x00FF00);
    const TCacheInfo info{parent.get(), 5, 3, true};
    const TsSkinTables& tables = m.Tables();
    PaintSection({&tables, section, tables.Sections[static_cast<size_t>(section)].SectionName},
                 info, {bitmap.get(), {0, 0}, {0, 0, w, h}, static_cast<TsLook>(state)},
                 bfFillCentre);
    return bitmap;
  }
  std::unique_ptr<TBitmap> MaskPicture(const TsMaskData& mask, int state) {
    auto bitmap = Plain(90, 70, 0x00FF00);
    const TCacheInfo info{parent.get(), 2, 2, true};
    if (mask.ImgType == itisaGlyph)
      DrawStateImage(bitmap.get(), {1, 1}, static_cast<TsLook>(state), mask, 1);
    else if (mask.ImgType == itisaBorder)
      DrawBorderMask(bitmap.get(), {0, 0, 90, 70}, bfFillCentre | bfShowParent,
                     static_cast<TsLook>(state), mask, info);
    return bitmap;
  }

  std::unique_ptr<TsSkinManager> holder;
  filetest::TempFolder scratch;
  const fs::path root = scratch.Path();
  std::unique_ptr<TBitmap> parent;
};

TEST_F(ExportedSkins, EachPaintsLikeItsStoredSelfAndTheSixFormsAreAllUsed) {
  skintools::MaskFormCounts used{};
  for (const char* name : kSkins) {
    SCOPED_TRACE(name);
    skintools::MaskFormCounts forms{};
    Export(name, &forms);
    for (size_t i = 0; i < used.size(); ++i) used[i] += forms[i];
    const auto stored = Load(name, false);
    const auto folder = Load(name, true);

    const TsSkinData& a = stored->SkinData();
    const TsSkinData& b = folder->SkinData();
    EXPECT_EQ(a.Version, b.Version);
    EXPECT_EQ(a.Author, b.Author);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.Shadow1Color, b.Shadow1Color);
    EXPECT_EQ(a.Shadow1Offset, b.Shadow1Offset);
    EXPECT_EQ(a.Shadow1Blur, b.Shadow1Blur);
    EXPECT_EQ(a.Shadow1Transparency, b.Shadow1Transparency);

    ASSERT_EQ(stored->Tables().Sections.size(), folder->Tables().Sections.size());
    for (size_t i = 0; i < stored->Tables().Sections.size(); ++i) {
      const TsGeneralData& s = stored->Tables().Sections[i];
      const TsGeneralData& f = folder->Tables().Sections[i];
      SCOPED_TRACE(s.SectionName);
      EXPECT_EQ(s.SectionName, f.SectionName);
      EXPECT_EQ(s.ParentClass, f.ParentClass);
      EXPECT_EQ(s.FontColor, f.FontColor);
      EXPECT_EQ(s.HotFontColor, f.HotFontColor);
      EXPECT_EQ(s.FadingEnabled, f.FadingEnabled);
      EXPECT_EQ(s.FadingIterations, f.FadingIterations);
      EXPECT_EQ(s.ShowFocus, f.ShowFocus);
      for (int state = 0; state < 3; ++state)
        for (const auto& [w, h] : {std::pair{75, 30}, std::pair{17, 9}})
          EXPECT_TRUE(SameBytes(*Face(*stored, static_cast<int>(i), w, h, state),
                                *Face(*folder, static_cast<int>(i), w, h, state)))
              << "state " << state << ", " << w << " x " << h;
    }

    for (const TsMaskData& mask : stored->Tables().Masks) {
      SCOPED_TRACE(mask.SectionName + " " + mask.PropertyName);
      const int same = folder->Tables().FindMaskExact(mask.SectionName, mask.PropertyName);
      ASSERT_TRUE(folder->Tables().IsValidMaskIndex(same));
      const TsMaskData& other = folder->Tables().Masks[static_cast<size_t>(same)];
      EXPECT_EQ(mask.ImgType, other.ImgType);
      if (mask.ImgType == itisaBorder) {
        const int index = stored->Tables().FindMaskExact(mask.SectionName, mask.PropertyName);
        EXPECT_EQ(stored->Tables().MarginLeft(index), folder->Tables().MarginLeft(same));
        EXPECT_EQ(stored->Tables().MarginTop(index), folder->Tables().MarginTop(same));
        EXPECT_EQ(stored->Tables().MarginRight(index), folder->Tables().MarginRight(same));
        EXPECT_EQ(stored->Tables().MarginBottom(index), folder->Tables().MarginBottom(same));
      }
      for (int state = 0; state < 3; ++state)
        EXPECT_TRUE(SameBytes(*MaskPicture(mask, state), *MaskPicture(other, state)))
            << "state " << state;
    }
  }
  for (TsMaskForm form :
       {mfPictureWithParams, mfGlyph, mfBorder, mfTexture, mfPictureFile, mfRectangle})
    EXPECT_GE(used[form], 1) << "form " << static_cast<int>(form);
}

TEST_F(ExportedSkins, AHueRotationRecoloursTheFolderSkinsSmallJpegButNotTheStoredPattern) {
  const std::string name = "BlueIce (internal)";
  Export(name);
  const auto stored = Load(name, false, 120);
  const auto folder = Load(name, true, 120);

  // The stored FORM picture is a pattern, which is never recoloured; the folder's 240 x 240
  // BG.JPG is below 90,000 pixels and so a texture mask, recoloured like every mask picture.
  const int form = stored->Tables().FindSection("FORM");
  const int pattern = stored->Tables().FindPattern(form, "FORM", "PATTERN");
  ASSERT_TRUE(stored->Tables().IsValidPatternIndex(pattern));
  EXPECT_EQ(folder->Tables().FindPattern(form, "FORM", "PATTERN"), -1);
  const int texture = folder->Tables().FindTexture(form, "FORM", "PATTERN");
  ASSERT_TRUE(folder->Tables().IsValidMaskIndex(texture));
  TBitmap expected;
  expected.SetDIB(stored->Tables().Patterns[static_cast<size_t>(pattern)].Img->DIB());
  AdjustBitmapHue(expected.DIB(), 120);
  EXPECT_TRUE(SameBytes(expected, *folder->Tables().Masks[static_cast<size_t>(texture)].Bmp));
  EXPECT_FALSE(SameBytes(*Face(*stored, form, 75, 30, 0), *Face(*folder, form, 75, 30, 0)));

  // Every section that draws no JPEG looks the same in both.
  int compared = 0;
  for (size_t i = 0; i < stored->Tables().Sections.size(); ++i) {
    const std::string& section = stored->Tables().Sections[i].SectionName;
    const int index = static_cast<int>(i);
    if (stored->Tables().FindPattern(index, section, "PATTERN") >= 0 ||
        stored->Tables().FindPattern(index, section, "HOTPATTERN") >= 0)
      continue;
    SCOPED_TRACE(section);
    for (int state = 0; state < 2; ++state)
      EXPECT_TRUE(
          SameBytes(*Face(*stored, index, 75, 30, state), *Face(*folder, index, 75, 30, state)));
    ++compared;
  }
  EXPECT_GT(compared, 50);
}

TEST_F(ExportedSkins, ExportingNeverWritesOutsideTheFolderNorThroughALink) {
  const fs::path outside = root / "outside.bmp";
  std::ofstream(outside) << "keep me";
  fs::create_directories(root / "Linked");
  fs::create_symlink(outside, root / "Linked" / "MASTER.BMP");
  skintools::WriteSkinFolder({{"MASTER.BMP", "new"}, {"Options.dat", "[GLOBALINFO]\r\n"}},
                             root / "Linked");
  EXPECT_FALSE(fs::is_symlink(root / "Linked" / "MASTER.BMP"));
  std::ifstream in(outside);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "keep me");
  EXPECT_THROW(skintools::WriteSkinFolder({{"../escape.bmp", "x"}}, root / "Linked"),
               skintools::ESkinExport);
  EXPECT_FALSE(fs::exists(root / "escape.bmp"));

  // A target folder that is itself a link is refused, with or without a trailing separator, and
  // nothing lands where it points; folders on the way that were there are taken as named.
  fs::create_directories(root / "Elsewhere");
  fs::create_symlink(root / "Elsewhere", root / "Pointer");
  for (const fs::path& target : {root / "Pointer", fs::path((root / "Pointer").string() + "/")}) {
    try {
      skintools::WriteSkinFolder({{"Options.dat", "[GLOBALINFO]\r\n"}}, target);
      ADD_FAILURE() << target << " was written through";
    } catch (const skintools::ESkinExport& e) {
      EXPECT_NE(std::string(e.what()).find("is a symbolic link"), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(fs::is_empty(root / "Elsewhere"));
  skintools::WriteSkinFolder({{"Options.dat", "[GLOBALINFO]\r\n"}}, root / "Pointer/Made/Deeper");
  EXPECT_TRUE(fs::is_regular_file(root / "Elsewhere/Made/Deeper/Options.dat"));

  // A stored picture whose name leads elsewhere, or a section name with a line break, is refused.
  TsStoredSkin* evil = holder->InternalSkins()->AddItem();
  evil->Assign(holder->InternalSkins()->Items(holder->InternalSkins()->IndexOfSkin(kSkins[1])));
  evil->SetName("Evil");
  for (int i = 0; i < evil->Images()->Count(); ++i)
    if (!evil->Images()->Items(i)->Name.empty()) evil->Images()->Items(i)->Name = "../../EVIL.BMP";
  EXPECT_THROW(skintools::ExportSkin(*evil), skintools::ESkinExport);
  evil->Assign(holder->InternalSkins()->Items(0));
  evil->SetName("Evil");
  evil->GeneralData()->Items(1)->SectionName = "EDIT]\n[FORM";
  EXPECT_THROW(skintools::ExportSkin(*evil), skintools::ESkinExport);
}

}  // namespace
}  // namespace skin::test
