// The skin manager: selecting and loading stored skins, announcing them to the forms, switching
// off, the section table with its common sections, and the skin directory rules.

#include "framework/classes/FormReader.h"
#include "skin/data/sSkinDirectory.h"
#include "tests/platform/files/FileTestSupport.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

class SkinManagerTest : public SkinManagerFixture {
 protected:
  void SetUp() override {
    SkinManagerFixture::SetUp();
    AddTestSkin(manager.get(), "BlueGauze (internal)", 0x112233);
    AddTestSkin(manager.get(), "BlueIce (internal)");
    first = new RecordingForm(app.get(), &log);
    first->SetName("First");
    second = new RecordingForm(app.get(), &log);
    second->SetName("Second");
  }

  RecordingForm* first = nullptr;
  RecordingForm* second = nullptr;
};

TEST_F(SkinManagerTest, LoadingAnnouncesToEveryFormLastMadeFirstThenRefreshes) {
  manager->SetSkinName("BlueIce (internal)");
  const std::vector<int> expected = {SKC_SETNEWSKIN, SKC_SETNEWSKIN, SKC_STOPFADE,
                                     SKC_STOPFADE,   SKC_REFRESH,    SKC_REFRESH};
  EXPECT_EQ(Commands(), expected);
  EXPECT_EQ(log[0].form, "Second");
  EXPECT_EQ(log[1].form, "First");
  for (const SkinEvent& e : log) {
    EXPECT_EQ(e.manager, reinterpret_cast<platform::LPARAM>(manager.get()));
    EXPECT_TRUE(e.changing);
  }
  // Controls that receive the skin-loaded command find no ready skin yet; the notifying flag is
  // up only for that command.
  EXPECT_FALSE(log[0].skinReady);
  EXPECT_TRUE(log[0].notifying);
  EXPECT_TRUE(log[4].skinReady);
  EXPECT_FALSE(log[4].notifying);
  EXPECT_FALSE(SkinChanging());
  EXPECT_TRUE(manager->SkinData().SkinReady);
  EXPECT_EQ(manager->SkinInfo(), "4.83");
  EXPECT_EQ(TsSkinManager::Version(), "4.90");

  // The same name again reloads and announces again.
  log.clear();
  manager->SetSkinName("BlueIce (internal)");
  EXPECT_EQ(Commands(), expected);
}

TEST_F(SkinManagerTest, SectionLookUpsAreExactAndTheEmptyRecordIsASection) {
  manager->SetSkinName("BlueIce (internal)");
  ASSERT_EQ(Tables().Sections.size(), 10u);
  EXPECT_EQ(Tables().FindSection("GLOBALINFO"), 0);
  EXPECT_EQ(Tables().FindSection("EDIT"), 4);
  EXPECT_EQ(Tables().FindSection("edit"), -1);
  EXPECT_EQ(Tables().FindSection(""), 9);
  EXPECT_EQ(Tables().FindSection("MISSING"), -1);
  EXPECT_TRUE(Tables().IsValidSectionIndex(9));
  EXPECT_FALSE(Tables().IsValidSectionIndex(10));
  EXPECT_FALSE(Tables().IsValidSectionIndex(-1));

  const TsGeneralData& edit = Tables().Sections[4];
  EXPECT_EQ(edit.Color, 0x0000FF);
  EXPECT_EQ(edit.FontColor, (TsFontColors{0, 16768169, -1, -1, -1}));
  EXPECT_EQ(edit.HotFontColor, (TsFontColors{0, -1, -1, -1, -1}));
  EXPECT_TRUE(edit.GradientArray.empty());
  EXPECT_EQ(manager->SkinData().Shadow1Color, 5061670);
  EXPECT_EQ(Tables().GlobalBackgroundColor(), 0x0000FF);
  EXPECT_EQ(Tables().GlobalTextColor(), 0);
}

TEST_F(SkinManagerTest, ANameDifferingInLetterCaseSelectsTheFirstStoredSkin) {
  manager->SetSkinName("blueice (internal)");
  EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)");
  EXPECT_TRUE(manager->SkinData().SkinReady);
  EXPECT_EQ(manager->InternalSkins()->IndexOfSkin("blueice (internal)"), -1);
  EXPECT_EQ(manager->InternalSkins()->IndexOfSkin("BlueIce (internal)"), 1);
}

TEST_F(SkinManagerTest, WithoutStoredSkinsTheManagerGoesInactiveAndAnnouncesNoSkin) {
  manager->InternalSkins()->Clear();
  manager->SetSkinName("BlueIce (internal)");
  EXPECT_FALSE(manager->Active());
  EXPECT_FALSE(manager->SkinData().SkinReady);
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  EXPECT_TRUE(Tables().Sections.empty());
  for (const SkinEvent& e : log) EXPECT_NE(e.command, SKC_SETNEWSKIN);
}

TEST_F(SkinManagerTest, SwitchingOffEmptiesEveryTableAndEveryCachedIndex) {
  manager->SetSkinName("BlueIce (internal)");
  ASSERT_GE(Tables().CommonIndices().GlobalInfo, 0);
  ASSERT_GE(Tables().CommonIndices().BoxChecked, 0);
  log.clear();
  manager->SetActive(true);  // unchanged: nothing happens
  EXPECT_TRUE(log.empty());

  manager->SetActive(false);
  EXPECT_EQ(Commands(), (std::vector<int>{SKC_REMOVESKIN, SKC_REMOVESKIN}));
  EXPECT_TRUE(Tables().Sections.empty());
  EXPECT_TRUE(Tables().Masks.empty());
  EXPECT_TRUE(Tables().Patterns.empty());
  EXPECT_EQ(Tables().MasterBitmap.get(), nullptr);
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  const TsCommonIndices& c = Tables().CommonIndices();
  for (int16_t index :
       {c.GlobalInfo, c.BoxChecked, c.BoxUnchecked, c.BoxGrayed, c.RadioChecked, c.RadioUnchecked,
        c.RadioGrayed, c.SmallChecked, c.SmallUnchecked, c.SmallGrayed, c.ComboButton.Section,
        c.ComboButton.GlyphMask, c.Tabs[0].Section})
    EXPECT_EQ(index, -1);
  EXPECT_EQ(Tables().FindSection("EDIT"), -1);
  EXPECT_EQ(Tables().GlobalTextColor(), platform::clFuchsia);

  // While inactive a name is only stored; switching on loads it.
  log.clear();
  manager->SetSkinName("BlueGauze (internal)");
  EXPECT_TRUE(log.empty());
  manager->SetActive(true);
  EXPECT_EQ(Tables().FindSection("EDIT"), 4);
  EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)");
}

TEST_F(SkinManagerTest, TheFirstManagerIsTheDefaultUntilItIsDestroyed) {
  EXPECT_EQ(DefaultManager(), manager.get());
  auto other = std::make_unique<TsSkinManager>(nullptr);
  EXPECT_FALSE(other->IsDefault());
  manager->SetIsDefault(false);  // a default manager keeps its role
  EXPECT_TRUE(manager->IsDefault());
  other->SetIsDefault(true);
  EXPECT_EQ(DefaultManager(), other.get());
  other.reset();
  EXPECT_EQ(DefaultManager(), nullptr);
}

TEST_F(SkinManagerTest, ReadingADescriptionLoadsAtSkinNameAndAnnouncesAgainWhenRead) {
  manager->SetSkinName("BlueIce (internal)");
  framework::TComponent root(nullptr);
  root.SetName("Form1");
  auto* copy = new TsSkinManager(&root);
  copy->SetName("sSkinManager1");
  copy->SetInternalSkins(manager->InternalSkins());
  copy->SetSkinName("BlueIce (internal)");
  const std::string text = framework::WriteComponentRes(&root);
  delete copy;
  EXPECT_NE(text.find("SkinInfo = '4.83'"), std::string::npos);
  EXPECT_NE(text.find("SkinDirectory = 'c:\\Skins'"), std::string::npos);
  EXPECT_EQ(text.find("Version ="), text.find("Version = 4.83"));  // only the skins' versions

  log.clear();
  framework::TComponent target(nullptr);
  int loadsSeen = 0;
  framework::ReadComponentRes(&target, text, "Unit1.dfm");
  auto* read = dynamic_cast<TsSkinManager*>(target.FindComponent("sSkinManager1"));
  ASSERT_NE(read, nullptr);
  for (const SkinEvent& e : log)
    if (e.command == SKC_SETNEWSKIN && e.manager == reinterpret_cast<platform::LPARAM>(read))
      ++loadsSeen;
  EXPECT_EQ(loadsSeen, 4);  // two forms, once at SkinName and once after the whole description
  EXPECT_EQ(read->Tables().FindSection("EDIT"), 4);
  EXPECT_EQ(read->MenuSupport()->IcoLineSkin, "ICOLINE");
}

TEST_F(SkinManagerTest, CommonSectionsAreAppendedButShadowedAndTakeDefaults) {
  framework::TStringList lines;
  lines.SetText(
      "; a comment [EDIT]\n"
      "[EDIT]\n"
      "Color = 123\n"
      "[MyEmpty]\n"
      "[child]\n"
      "ParentClass=edit\n"
      "FadingIterations=$10\n"
      "ShadowBlur=-1\n"
      "Bevel=9\n"
      "HotBevel=2\n"
      "ShowFocus=true\n"
      "GradientData=1;2;x;0;0\n");
  manager->SetSkinName("BlueIce (internal)");
  log.clear();
  manager->SetCommonSections(&lines);
  EXPECT_EQ(Commands().front(), SKC_SETNEWSKIN);  // setting them reloads
  EXPECT_EQ(manager->CommonSections()->Get(2), "Color=123");
  EXPECT_EQ(manager->CommonSections()->Get(0), "; a comment [EDIT]");

  ASSERT_EQ(Tables().Sections.size(), 13u);
  EXPECT_EQ(Tables().FindSection("EDIT"), 4);  // the skin's own record wins
  const TsGeneralData& appended = Tables().Sections[10];
  EXPECT_EQ(appended.SectionName, "EDIT");
  EXPECT_EQ(appended.Color, 123);

  const TsGeneralData& empty = Tables().Sections[Tables().FindSection("MyEmpty")];
  EXPECT_EQ(empty.ParentClass, "");
  EXPECT_EQ(empty.Color, 0xFFFFFF);
  EXPECT_EQ(empty.HotColor, 0xFFFFFF);
  EXPECT_EQ(empty.Bevel, cbNone);
  EXPECT_EQ(empty.ShadowBlur, 6);
  EXPECT_EQ(empty.ShadowOffset, 3);
  EXPECT_EQ(empty.ShadowTransparency, 50);
  EXPECT_EQ(empty.FontColor, (TsFontColors{0, -1, -1, -1, -1}));
  EXPECT_EQ(empty.HotFontColor, (TsFontColors{0, -1, -1, -1, -1}));
  EXPECT_EQ(empty.GradientData, " ");
  EXPECT_EQ(empty.HotGradientData, "");
  EXPECT_EQ(empty.FadingIntervalIn, 5);
  EXPECT_EQ(empty.FadingIntervalOut, 5);
  EXPECT_EQ(empty.FadingIterations, 5);
  EXPECT_FALSE(empty.ShowFocus);

  // The parent is the first record of that name, so the skin's EDIT; -1 counts as absent.
  const TsGeneralData& child = Tables().Sections[Tables().FindSection("child")];
  EXPECT_EQ(child.ParentClass, "EDIT");
  EXPECT_EQ(child.Color, 0x0000FF);
  EXPECT_EQ(child.HotColor, 0xCAAB77);
  EXPECT_EQ(child.FontColor[1], 16768169);
  EXPECT_EQ(child.ShadowBlur, 6);
  EXPECT_EQ(child.FadingIterations, 16);
  EXPECT_EQ(child.Bevel, cbNone);  // out of range
  EXPECT_EQ(child.HotBevel, cbLoweredSoft);
  EXPECT_TRUE(child.ShowFocus);
  EXPECT_TRUE(child.GradientArray.empty());  // an unreadable gradient draws none
}

TEST_F(SkinManagerTest, AnUnreadableNumberEndsOnlyItsOwnSectionRecord) {
  TsStoredSkin* skin = manager->InternalSkins()->Items(1);
  TsSkinGeneral* panel = skin->GeneralData()->Items(3);
  panel->HotFontColor = "0 1 x 3 4";
  panel->BorderColor1 = 77;
  skin->GeneralData()->Items(4)->GradientData = "1;2;3;0;0";
  skin->GeneralData()->Items(5)->GradientData = "1;2;oops;0;0";
  manager->SetSkinName("BlueIce (internal)");
  ASSERT_EQ(Tables().FindSection("PANEL"), 3);
  const TsGeneralData& broken = Tables().Sections[3];
  EXPECT_EQ(broken.HotImagePercent, 0);
  EXPECT_EQ(broken.HotFontColor, (TsFontColors{0, 1, 0, 0, 0}));
  EXPECT_EQ(broken.FontColor, (TsFontColors{0, 0, 0, 0, 0}));
  EXPECT_EQ(broken.BorderColor1, 0);
  EXPECT_EQ(Tables().Sections[4].GradientArray.size(), 1u);
  EXPECT_EQ(Tables().Sections[5].SectionName, "BUTTON");
  EXPECT_EQ(Tables().Sections[5].ShowFocus, false);
  EXPECT_EQ(Tables().Sections[5].FadingIterations, 0);  // after the gradient: never read
  EXPECT_EQ(Tables().Sections[6].FadingIterations, 5);  // the next record is whole
}

TEST_F(SkinManagerTest, AFontColorOfAnyOtherShapeGivesTheDefaults) {
  TsStoredSkin* skin = manager->InternalSkins()->Items(1);
  skin->GeneralData()->Items(1)->FontColor = "1 2 3 4";
  skin->GeneralData()->Items(2)->FontColor = "";
  manager->SetSkinName("BlueIce (internal)");
  EXPECT_EQ(Tables().Sections[1].FontColor, (TsFontColors{0, -1, -1, -1, -1}));
  EXPECT_EQ(Tables().Sections[2].FontColor, (TsFontColors{0, -1, -1, -1, -1}));
}

TEST_F(SkinManagerTest, ListsStoredSkinNamesSortedWithTheFirstAsDefault) {
  manager->InternalSkins()->Items(0)->SetName("zeta");
  framework::TStringList names;
  EXPECT_EQ(manager->ListSkinNames(&names), "zeta");
  ASSERT_EQ(names.Count(), 2);
  EXPECT_EQ(names.Get(0), "BlueIce (internal)");
  EXPECT_EQ(names.Get(1), "zeta");
}

TEST(SkinDirectoryTest, ResolvesByTheTextRulesThenMapsOntoThisPlatform) {
  const std::string app = "/opt/snipwell/bin/";
  EXPECT_EQ(ResolveSkinDirectory("c:\\Skins", app), "c:\\Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("Skins", app), app + "Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("d", app), "d:\\");
  EXPECT_EQ(ResolveSkinDirectory("", app), "");
  EXPECT_EQ(ResolveSkinDirectory("..\\Skins", app), "/opt/snipwell/Skins\\");
  EXPECT_EQ(ResolveSkinDirectory(".\\Skins", app), app + "Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("./Skins/", app), app + "Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("c:\\Skins\\", app), "c:\\Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("c:/Skins/", app), "c:/Skins\\");
  EXPECT_EQ(ResolveSkinDirectory("/home/ann/Skins", app), "/home/ann/Skins\\");
  EXPECT_EQ(PlatformPath("c:\\Skins\\"), "/Skins/");
  EXPECT_EQ(PlatformPath("/opt/snipwell/bin/Skins\\"), "/opt/snipwell/bin/Skins/");
  EXPECT_EQ(PlatformPath("Skins\\a"), "Skins/a");
}

TEST(SkinDirectoryTest, TheWindowsSkinDirectoryStandsForTheDesktopsSkinFolders) {
  const filetest::ScopedEnv data("XDG_DATA_HOME", "/home/ann/.local/share");
  const filetest::ScopedEnv dirs("XDG_DATA_DIRS", "/usr/share");
  const std::string beside = platform::ExecutableFolder() + "Skins/";
  const std::vector<std::string> desktop = {"/home/ann/.local/share/snipwell/skins/",
                                            "/usr/share/snipwell/skins/", beside};
  EXPECT_EQ(SkinFolderRoots("c:\\Skins"), desktop);
  EXPECT_EQ(SkinFolderRoots("C:/skins/"), desktop);
  EXPECT_EQ(SkinFolderRoots("/Skins"), desktop);  // no longer a folder of its own
  EXPECT_EQ(SkinFolderRoots("c:\\Other"), std::vector<std::string>{"/Other/"});
  EXPECT_EQ(SkinFolderRoots("Skins"), std::vector<std::string>{beside});
  EXPECT_EQ(SkinFolderRoots(""), std::vector<std::string>{});
}

TEST_F(SkinManagerTest, SettingTheSkinDirectoryPointsSkinPathAtItWithoutReloading) {
  manager->SetSkinName("BlueIce (internal)");
  log.clear();
  manager->SetSkinDirectory("c:\\Other");
  EXPECT_EQ(manager->SkinData().SkinPath, "c:\\Other\\");
  EXPECT_EQ(manager->SkinFolders(), std::vector<std::string>{"/Other/"});
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace skin::test
