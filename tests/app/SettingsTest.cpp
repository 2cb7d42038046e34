#include "app/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Exception.h"
#include "tests/platform/files/FileTestSupport.h"

namespace app {
namespace {

using namespace std::string_view_literals;
using filetest::Outcome;
using filetest::ReadBytes;
using filetest::WriteBytes;

TEST(SettingsTextTest, ReadsSectionsAndKeysAsPeopleWriteThem) {
  const TSettingsText text(
      "\xEF\xBB\xBF"
      "Name=before any section\r\n"
      "; [Skin] in a comment\n"
      "[ skin ]\n"
      "  NAME =  BluePlastic  \r\n"
      "Name=second\n"
      "# Scale=3\n"
      "broken line\n"
      "[Display]\n"
      "Scale=2\n"
      "[Skin]\n"
      "Other=x");
  EXPECT_EQ(text.Value("Skin", "Name"), "BluePlastic");
  EXPECT_EQ(text.Value("SKIN", "name"), "BluePlastic");
  EXPECT_EQ(text.Value("Display", "Scale"), "2");
  EXPECT_EQ(text.Value("Skin", "Scale"), std::nullopt);
  // A section given twice: the first one counts.
  EXPECT_EQ(text.Value("Skin", "Other"), std::nullopt);
  EXPECT_EQ(text.Value("Missing", "Name"), std::nullopt);
  EXPECT_EQ(TSettingsText("[Skin]\nName=\n").Value("Skin", "Name"), "");
  EXPECT_EQ(TSettingsText("\0\xFF[\n]=\n"sv).Value("Skin", "Name"), std::nullopt);
}

TEST(SettingsTextTest, ChangingAValueKeepsEveryOtherLineAsItStood) {
  TSettingsText text("; mine\n[Skin]\nName = BlueIce ; old\n\n[Display]\nScale=2\n");
  text.SetValue("skin", "name", "BluePlastic");
  EXPECT_EQ(text.Text(), "; mine\n[Skin]\nName = BluePlastic\n\n[Display]\nScale=2\n");

  // A new key goes after its section's last setting, a new section at the end.
  text.SetValue("Skin", "Tint", "3");
  text.SetValue("Window", "Edge", "top");
  EXPECT_EQ(
      text.Text(),
      "; mine\n[Skin]\nName = BluePlastic\nTint=3\n\n[Display]\nScale=2\n\n[Window]\nEdge=top\n");
  TSettingsText empty;
  empty.SetValue("Skin", "Name", "BlueGauze");
  EXPECT_EQ(empty.Text(), "[Skin]\nName=BlueGauze\n");

  EXPECT_THROW(text.SetValue("Skin", "Name", "two\nlines"), platform::Exception);
  EXPECT_EQ(text.Value("Skin", "Name"), "BluePlastic");
}

TEST(SettingsFileTest, AFileThatCannotBeReadIsNoSettingsAndNothingIsWrittenUntilAChange) {
  filetest::TempFolder folder;
  const std::string path = folder / "config/snipwell/snipwell.ini";
  EXPECT_EQ(TSettings(path).Value("Skin", "Name"), std::nullopt);
  EXPECT_EQ(TSettings("").Value("Skin", "Name"), std::nullopt);
  EXPECT_EQ(filetest::Entries(folder.Path()), std::vector<std::string>{});

  // Folders made as needed, readable by the user alone.
  TSettings settings(path);
  settings.Set("Skin", "Name", "BluePlastic");
  EXPECT_EQ(ReadBytes(path), "[Skin]\nName=BluePlastic\n");
  struct stat info = {};
  ASSERT_EQ(::stat((folder / "config/snipwell").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700U);
  EXPECT_EQ(TSettings(path).Value("Skin", "Name"), "BluePlastic");

  // A folder in the settings file's place: read as nothing, and a change fails without harm.
  const std::string folderInstead = folder / "dir.ini";
  ::mkdir(folderInstead.c_str(), 0700);
  TSettings odd(folderInstead);
  EXPECT_EQ(odd.Value("Skin", "Name"), std::nullopt);
  EXPECT_EQ(Outcome([&] { odd.Set("Skin", "Name", "x"); }), "5 File access denied");
}

TEST(SettingsFileTest, AChangeIsWrittenOverWhatTheFileHoldsNow) {
  filetest::TempFolder folder;
  const std::string path = folder / "snipwell.ini";
  WriteBytes(path, "[Skin]\nName=BlueIce\n");
  TSettings settings(path);
  // Another copy of the program (or the user) adds a setting meanwhile: it stays.
  WriteBytes(path, "[Skin]\nName=BlueIce\n[Display]\nScale=2\n");
  settings.Set("Skin", "Name", "BlueGauze");
  EXPECT_EQ(ReadBytes(path), "[Skin]\nName=BlueGauze\n[Display]\nScale=2\n");
  EXPECT_EQ(settings.Value("Display", "Scale"), "2");
  EXPECT_EQ(filetest::Entries(folder.Path()), std::vector<std::string>{"snipwell.ini"});

  // A file too large to be ours is not replaced by one holding a single setting.
  WriteBytes(path, std::string(size_t{2} << 20, ';'));
  EXPECT_NE(Outcome([&] { settings.Set("Skin", "Name", "BluePlastic"); }), "ok");
  EXPECT_EQ(ReadBytes(path).size(), size_t{2} << 20);
}

}  // namespace
}  // namespace app
