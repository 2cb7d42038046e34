// A second start on a desktop where the program runs already: it raises the running bar and ends,
// or, asked for another snippet file than the running bar shows, ends with an error.

#include "app/SingleInstance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "platform/headless/HeadlessBackend.h"
#include "tests/platform/files/FileTestSupport.h"

namespace {

using app::ClaimSingleInstance;
using app::FullSnippetPath;
using app::TSnippetFileChoice;

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<platform::HeadlessBackend>();
    desktop = backend.get();
    platform::InstallBackend(std::move(backend));
  }
  void TearDown() override { platform::InstallBackend(nullptr); }

  platform::HeadlessBackend* desktop = nullptr;
  const filetest::TempFolder scratch;
  // Without a trailing "/", as the program's full paths are.
  const std::filesystem::path folder = std::filesystem::canonical(scratch.Path());
};

TEST_F(SingleInstanceTest, TheFirstStartRunsAndPublishesItsFileInFull) {
  const std::string file = (folder / "sub" / ".." / "Config.txt").string();
  EXPECT_EQ(ClaimSingleInstance(file, TSnippetFileChoice::Usual), std::nullopt);
  EXPECT_EQ(desktop->ClaimedDocument(), (folder / "Config.txt").string());
  EXPECT_EQ(desktop->RaiseRequests(), 0);
}

TEST_F(SingleInstanceTest, ALaterStartRaisesTheRunningBarUnlessNamedAnotherFile) {
  const std::string running = (folder / "Config.txt").string();
  desktop->SetRunningInstance(running);

  // The usual file, or another one, without naming it: the running bar is what the user wants.
  for (const std::string& file : {running, (folder / "elsewhere.txt").string()}) {
    const auto second = ClaimSingleInstance(file, TSnippetFileChoice::Usual);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->ExitCode, 0);
    EXPECT_EQ(second->Message, "snipwell: already running on this display; its bar was raised");
  }
  EXPECT_EQ(desktop->RaiseRequests(), 2);
  EXPECT_EQ(desktop->ClaimedDocument(), std::nullopt);

  // Named, and the same file spelled another way: raised too.
  std::filesystem::create_directory(folder / "sub");
  std::filesystem::create_directory_symlink(folder, folder / "link");
  for (const std::filesystem::path& spelling :
       {folder / "sub" / ".." / "Config.txt", folder / "link" / "Config.txt"}) {
    const auto second = ClaimSingleInstance(spelling.string(), TSnippetFileChoice::Named);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->ExitCode, 0) << spelling;
  }
  EXPECT_EQ(desktop->RaiseRequests(), 4);

  // Named another file: an error, and the running bar is left alone.
  const auto second =
      ClaimSingleInstance((folder / "other.txt").string(), TSnippetFileChoice::Named);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->ExitCode, 1);
  EXPECT_EQ(second->Message, "snipwell: already running on this display with " + running +
                                 "; end it before starting with " +
                                 (folder / "other.txt").string());
  EXPECT_EQ(desktop->RaiseRequests(), 4);
}

TEST_F(SingleInstanceTest, RelativePathsAreTakenFromTheWorkingFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  const std::string full = FullSnippetPath("./a/../Config.txt");
  std::filesystem::current_path(before);
  EXPECT_EQ(full, (folder / "Config.txt").string());
}

}  // namespace
