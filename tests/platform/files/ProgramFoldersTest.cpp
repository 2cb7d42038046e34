#include "platform/files/ProgramFolders.h"

#include <gtest/gtest.h>

#include "platform/files/Files.h"
#include "tests/platform/files/FileTestSupport.h"

namespace platform {
namespace {

using filetest::ScopedEnv;

TEST(ProgramFoldersTest, XdgVariablesWinAndOnlyAbsoluteOnesCount) {
  const ScopedEnv home("HOME", "/home/ann");
  {
    const ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    const ScopedEnv data("XDG_DATA_HOME", "/data/");
    EXPECT_EQ(ConfigHome(), "/cfg/");
    EXPECT_EQ(UserConfigFolder(), "/cfg/snipwell/");
    EXPECT_EQ(DataHome(), "/data/");
  }
  // Unset, empty or relative: the defaults below the home.
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative/cfg"}) {
    const ScopedEnv config("XDG_CONFIG_HOME", value);
    const ScopedEnv data("XDG_DATA_HOME", value);
    EXPECT_EQ(ConfigHome(), "/home/ann/.config/") << (value ? value : "unset");
    EXPECT_EQ(DataHome(), "/home/ann/.local/share/") << (value ? value : "unset");
  }
}

TEST(ProgramFoldersTest, DataDirsKeepTheirOrderAndFallBackToTheSystemFolders) {
  {
    const ScopedEnv dirs("XDG_DATA_DIRS", "/opt/a:relative::/usr/share/");
    EXPECT_EQ(DataDirs(), (std::vector<std::string>{"/opt/a/", "/usr/share/"}));
  }
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative"}) {
    const ScopedEnv dirs("XDG_DATA_DIRS", value);
    EXPECT_EQ(DataDirs(), (std::vector<std::string>{"/usr/local/share/", "/usr/share/"}));
  }
}

TEST(ProgramFoldersTest, SkinFoldersUserFirstThenSystemThenBesideTheProgramEachOnce) {
  const ScopedEnv home("HOME", "/home/ann");
  const ScopedEnv data("XDG_DATA_HOME", "/usr/share");
  const ScopedEnv dirs("XDG_DATA_DIRS", "/usr/share:/opt/share");
  EXPECT_EQ(SkinFolders(),
            (std::vector<std::string>{"/usr/share/snipwell/skins/", "/opt/share/snipwell/skins/",
                                      ExecutableFolder() + "Skins/"}));
}

TEST(ProgramFoldersTest, TheInstallationsDataLiesBesideItsBinFolderOnly) {
  // The test program is not in a folder named bin.
  EXPECT_EQ(InstalledDataFolder(), "");
}

TEST(ProgramFoldersTest, MakeFoldersMakesTheMissingOnesForTheOwnerAlone) {
  filetest::TempFolder scratch;
  MakeFolders(scratch / "a/b/c/");
  struct stat info = {};
  ASSERT_EQ(::stat((scratch / "a/b/c").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700U);
  MakeFolders(scratch / "a/b/c");  // there already: nothing to do
  filetest::WriteBytes(scratch / "file", "x");
  EXPECT_EQ(filetest::Outcome([&] { MakeFolders(scratch / "file/sub/"); }), "3 Invalid filename");
}

}  // namespace
}  // namespace platform
