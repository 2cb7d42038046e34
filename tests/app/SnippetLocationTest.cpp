#include "app/SnippetLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/SnippetFile.h"
#include "tests/platform/files/FileTestSupport.h"

namespace app {
namespace {

using filetest::ReadBytes;
using filetest::WriteBytes;

// A program folder, a user's configuration folder and an installation's examples, all scratch.
class SnippetLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::mkdir(program.c_str(), 0700);
    ::mkdir((scratch / "share").c_str(), 0700);
    WriteBytes(examples, "example 1\r\nexample 2\r\n");
  }
  TSnippetLocation Choose(const std::optional<std::string>& config = std::nullopt) const {
    return ChooseSnippetLocation(config, program, user, examples);
  }

  filetest::TempFolder scratch;
  const std::string program = scratch / "bin/";
  const std::string user = scratch / "config/snipwell/";
  const std::string examples = scratch / "share/Config.txt";
};

TEST_F(SnippetLocationTest, AFileBesideTheProgramIsUsedAsAlwaysAndNothingIsCopied) {
  WriteBytes(program + "Config.txt", "mine\r\n");
  const TSnippetLocation location = Choose();
  EXPECT_EQ(location.Path, program + "Config.txt");
  EXPECT_FALSE(location.MakeFolder);
  EXPECT_NE(::access(user.c_str(), F_OK), 0);
  // Even a file beside it that cannot be read: the load then reports why, as it always has.
  ::chmod((program + "Config.txt").c_str(), 0);
  EXPECT_EQ(Choose().Path, program + "Config.txt");
}

TEST_F(SnippetLocationTest, OtherwiseTheUsersOwnFileFirstFilledWithTheExamples) {
  const TSnippetLocation first = Choose();
  EXPECT_EQ(first.Path, user + "Config.txt");
  EXPECT_TRUE(first.MakeFolder);
  EXPECT_EQ(ReadBytes(user + "Config.txt"), "example 1\r\nexample 2\r\n");

  // The user's snippets are never replaced by the examples again.
  WriteBytes(user + "Config.txt", "mine\r\n");
  EXPECT_EQ(Choose().Path, user + "Config.txt");
  EXPECT_EQ(ReadBytes(user + "Config.txt"), "mine\r\n");
}

TEST_F(SnippetLocationTest, WithoutExamplesTheUsersFileStaysMissingForTheLoadToReport) {
  std::remove(examples.c_str());
  const TSnippetLocation location = Choose();
  EXPECT_EQ(location.Path, user + "Config.txt");
  EXPECT_NE(::access(location.Path.c_str(), F_OK), 0);
  // The load says the file is not found (its folder is not there either), and a save makes both.
  TSnippets fields = {"a", "b", "c", "d", "e", "f", "g"};
  EXPECT_EQ(filetest::Outcome([&] { LoadSnippets(location, fields); }), "2 File not found");
  SaveSnippets(location, fields);
  EXPECT_EQ(ReadBytes(location.Path), "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\n");
  std::filesystem::remove_all(scratch / "config");

  // Examples that cannot be copied (the configuration folder's place is taken by a file) do not
  // stop the start either.
  WriteBytes(examples, "example\r\n");
  WriteBytes(scratch / "config", "not a folder");
  EXPECT_EQ(Choose().Path, user + "Config.txt");
}

TEST_F(SnippetLocationTest, ConfigNamesTheFileForTheRunMadeAbsolute) {
  WriteBytes(program + "Config.txt", "beside\r\n");
  EXPECT_EQ(Choose(scratch / "other.txt").Path, scratch / "other.txt");
  const std::string relative = Choose(std::string("notes/snippets.txt")).Path;
  EXPECT_EQ(relative.front(), '/');
  EXPECT_TRUE(relative.ends_with("/notes/snippets.txt")) << relative;
  EXPECT_FALSE(Choose(std::string("x.txt")).MakeFolder);
}

}  // namespace
}  // namespace app
