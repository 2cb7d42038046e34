// Choosing the skin by name: the names offered, the skin folders standing in for stored skins,
// the choice applied to the running windows and kept in the settings, and the start's fallbacks.

#include "app/SkinChoice.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/Settings.h"
#include "platform/Exception.h"
#include "skin/data/sSkinManager.h"
#include "tests/GoldenPicture.h"
#include "tests/app/BarFixture.h"
#include "tests/platform/files/FileTestSupport.h"

namespace {

using app::ActiveSkin;
using app::ChoosableSkins;
using app::SkinNameFor;
using snipwell::test::BarTest;
using snipwell::test::WriteConfig;
using Names = std::vector<std::string>;

const char kSmallSkin[] = "[GLOBALINFO]\nVERSION=1\n[FORM]\nCOLOR=255\n";
const char kBrokenSkin[] = "[GLOBALINFO]\nSHADOW1OFFSET=two\n";

class SkinChoiceTest : public BarTest {
 protected:
  void SetUp() override {
    BarTest::SetUp();
    // The texts of the golden pictures.
    WriteConfig(snipwell::test::kGoldenSnippets);
  }
  void Folder(const std::string& root, const std::string& name, const std::string& options) {
    std::filesystem::create_directories(root + name);
    filetest::WriteBytes(root + name + "/Options.dat", options);
  }
  skin::TsSkinManager& Manager() { return *Form1->sSkinManager1; }
  // What the start writes on standard error while step runs.
  template <typename Step>
  std::string ErrorsOf(Step step) {
    testing::internal::CaptureStderr();
    step();
    return testing::internal::GetCapturedStderr();
  }

  filetest::ScratchHome home;
};

TEST_F(SkinChoiceTest, StoredSkinsInStoredOrderThenFolderSkinsByNameEachOnce) {
  Folder(home.UserSkins(), "Zebra", kSmallSkin);
  Folder(home.UserSkins(), "apple", kSmallSkin);
  Folder(home.SystemSkins(), "Zebra", kSmallSkin);
  Folder(home.SystemSkins(), "Mango", kSmallSkin);
  // Folders named like stored skins, either way, stand in for them.
  Folder(home.UserSkins(), "BlueIce", kSmallSkin);
  Folder(home.SystemSkins(), "BluePlastic (internal)", kSmallSkin);
  std::filesystem::create_directories(home.UserSkins() + "NoSettings");
  Start();
  EXPECT_EQ(ChoosableSkins(Manager()),
            (Names{"BlueGauze", "BlueIce", "BluePlastic", "apple", "Mango", "Zebra"}));
  EXPECT_EQ(ActiveSkin(Manager()), "BlueIce");

  EXPECT_EQ(SkinNameFor(Manager(), "BlueGauze"), "BlueGauze (internal)");
  EXPECT_EQ(SkinNameFor(Manager(), "BlueGauze (internal)"), "BlueGauze (internal)");
  EXPECT_EQ(SkinNameFor(Manager(), "BlueIce (internal)"), "BlueIce");
  EXPECT_EQ(SkinNameFor(Manager(), "BluePlastic"), "BluePlastic (internal)");
  EXPECT_EQ(SkinNameFor(Manager(), "Mango"), "Mango");
  EXPECT_EQ(SkinNameFor(Manager(), "mango"), std::nullopt);
  EXPECT_EQ(SkinNameFor(Manager(), "NoSettings"), std::nullopt);
  EXPECT_EQ(SkinNameFor(Manager(), "../skins/Mango"), std::nullopt);

  // The user's folder of a name comes before the system's.
  Manager().SetSkinName("Zebra");
  EXPECT_EQ(Manager().SkinData().SkinPath, home.UserSkins() + "Zebra/");
  EXPECT_EQ(ActiveSkin(Manager()), "Zebra");
}

TEST_F(SkinChoiceTest, AChosenSkinPaintsEveryWindowAtOnceAndIsKept) {
  Start();
  app::ChooseSkin(Manager(), "BluePlastic");
  EXPECT_EQ(Manager().SkinName(), "BluePlastic (internal)");
  PointAway();
  golden::ExpectGoldenPicture(ScreenOf(Form1->Handle()), "app", "blueplastic_bar_at_rest");
  EXPECT_EQ(filetest::ReadBytes(home.ConfigFolder() + "snipwell.ini"),
            "[Skin]\nName=BluePlastic\n");

  EXPECT_THROW(app::ChooseSkin(Manager(), "Nothing"), platform::Exception);
  EXPECT_EQ(Manager().SkinName(), "BluePlastic (internal)");
  EXPECT_EQ(app::TSettings().Value("Skin", "Name"), "BluePlastic");
}

TEST_F(SkinChoiceTest, TheStartTakesTheOptionOverTheSettingsAndFallsBackToBlueIce) {
  app::TSettings().Set("Skin", "Name", "BlueGauze");
  Start();
  EXPECT_EQ(ErrorsOf([&] { app::ApplyStartSkin(Manager(), std::nullopt, app::TSettings()); }), "");
  EXPECT_EQ(Manager().SkinName(), "BlueGauze (internal)");
  ErrorsOf([&] { app::ApplyStartSkin(Manager(), "BluePlastic", app::TSettings()); });
  EXPECT_EQ(Manager().SkinName(), "BluePlastic (internal)");
  // --skin is for the run only.
  EXPECT_EQ(app::TSettings().Value("Skin", "Name"), "BlueGauze");

  EXPECT_EQ(ErrorsOf([&] { app::ApplyStartSkin(Manager(), "Nothing", app::TSettings()); }),
            "snipwell: there is no skin named \"Nothing\"; drawing with BlueIce\n");
  EXPECT_EQ(Manager().SkinName(), "BlueIce (internal)");

  // A folder skin that fails to load: one line naming the folder and the reason, then BlueIce
  // (not the first stored skin, where the manager alone would go).
  Folder(home.UserSkins(), "Broken", kBrokenSkin);
  Manager().SetSkinName("BlueGauze (internal)");
  const std::string errors =
      ErrorsOf([&] { app::ApplyStartSkin(Manager(), "Broken", app::TSettings()); });
  EXPECT_EQ(
      errors.rfind("snipwell: skin folder " + home.UserSkins() + "Broken/ cannot be loaded: ", 0),
      0U)
      << errors;
  EXPECT_TRUE(errors.ends_with("; drawing with BlueIce\n")) << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
  EXPECT_EQ(Manager().SkinName(), "BlueIce (internal)");
  EXPECT_TRUE(Manager().SkinData().SkinReady);
}

TEST_F(SkinChoiceTest, AStoredSkinsOwnFolderThatFailsLeavesTheStoredSkinAndSaysSo) {
  Folder(home.SystemSkins(), "BlueIce (internal)", kBrokenSkin);
  Start();  // the bar's description loads BlueIce, whose folder fails
  const std::string errors =
      ErrorsOf([&] { app::ApplyStartSkin(Manager(), std::nullopt, app::TSettings()); });
  EXPECT_NE(errors.find(home.SystemSkins() + "BlueIce (internal)/"), std::string::npos) << errors;
  EXPECT_TRUE(errors.ends_with("; drawing with the stored skin\n")) << errors;
  EXPECT_EQ(Manager().SkinName(), "BlueIce (internal)");
  EXPECT_TRUE(Manager().SkinData().SkinPath.empty());
}

}  // namespace
