// The bar and the editor with the user's own snippet file, as a start without Config.txt beside
// the program chooses it.

#include <algorithm>
#include <filesystem>

#include "app/SnippetLocation.h"
#include "tests/app/BarFixture.h"
#include "tests/platform/files/FileTestSupport.h"

namespace {

using snipwell::test::BarTest;

class UserSnippetFileTest : public BarTest {
 protected:
  void TearDown() override {
    app::UseSnippetLocation(std::nullopt);
    BarTest::TearDown();
  }
  filetest::ScratchHome home;
};

TEST_F(UserSnippetFileTest, AMissingFileIsNotFoundAndOkMakesItWithItsFolder) {
  const std::string programFolder = home.Folder() / "bin/";
  std::filesystem::create_directories(programFolder);
  app::UseSnippetLocation(
      app::ChooseSnippetLocation(std::nullopt, programFolder, home.ConfigFolder(), ""));
  Start();
  EXPECT_EQ(reports, (std::vector<std::string>{"File not found"}));

  Form2->Show();
  Pump();
  Form2->sEdit1->SetText("mine");
  Form2->sButton1Click(nullptr);
  const std::string saved = filetest::ReadBytes(home.ConfigFolder() + "Config.txt");
  EXPECT_TRUE(saved.starts_with("mine\r\n")) << saved;
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 7);
  EXPECT_EQ(Form1->sEdit1->Text(), "mine");
  EXPECT_FALSE(std::filesystem::exists(programFolder + "Config.txt"));

  // The next start reads it without a report.
  app.reset();
  reports.clear();
  Start();
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(Form1->sEdit1->Text(), "mine");
}

}  // namespace
