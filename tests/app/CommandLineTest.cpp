#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

TCommandLineOptions Parse(std::vector<std::string_view> arguments) {
  return ParseCommandLine(arguments);
}

// The message of the usage error the arguments make, or "ok".
std::string Refusal(std::vector<std::string_view> arguments) {
  try {
    Parse(std::move(arguments));
    return "ok";
  } catch (const ECommandLine& e) {
    return e.what();
  }
}

TEST(CommandLineTest, NoArgumentsChooseNothing) {
  const TCommandLineOptions options = Parse({});
  EXPECT_FALSE(options.Skin || options.Config || options.ListSkins || options.Version ||
               options.Help);
}

TEST(CommandLineTest, ValuesComeInTheNextArgumentOrAfterAnEqualsSign) {
  TCommandLineOptions options = Parse({"--skin", "BluePlastic", "--config=/tmp/a b.txt"});
  EXPECT_EQ(options.Skin, "BluePlastic");
  EXPECT_EQ(options.Config, "/tmp/a b.txt");
  // A value may itself begin with dashes or hold "=": it is taken as it stands.
  options = Parse({"--skin", "--odd=name", "--list-skins", "--version", "--help"});
  EXPECT_EQ(options.Skin, "--odd=name");
  EXPECT_TRUE(options.ListSkins && options.Version && options.Help);
}

TEST(CommandLineTest, UnknownOptionsMissingValuesAndStrayArgumentsAreUsageErrors) {
  EXPECT_EQ(Refusal({"--colour"}), "unknown option '--colour'");
  EXPECT_EQ(Refusal({"-h"}), "unexpected argument '-h'");
  EXPECT_EQ(Refusal({"Config.txt"}), "unexpected argument 'Config.txt'");
  EXPECT_EQ(Refusal({"--"}), "unexpected argument '--'");
  EXPECT_EQ(Refusal({"--skin"}), "option '--skin' needs a value (NAME)");
  EXPECT_EQ(Refusal({"--config="}), "option '--config' needs a value (FILE)");
  EXPECT_EQ(Refusal({"--version=2"}), "option '--version' takes no value");
  EXPECT_EQ(Refusal({"--skinny", "x"}), "unknown option '--skinny'");
}

TEST(CommandLineTest, TheUsageListsEveryOptionOnALineOfItsOwn) {
  const std::string usage = UsageText();
  EXPECT_EQ(usage.rfind("Usage: snipwell [OPTION]...\n", 0), 0U);
  for (const char* line : {"\n  --skin NAME ", "\n  --config FILE ", "\n  --list-skins ",
                           "\n  --version ", "\n  --help "})
    EXPECT_NE(usage.find(line), std::string::npos) << line;
  // Aligned: the descriptions start in one column.
  const auto column = [&usage](const char* option, const char* description) {
    const size_t line = usage.find("\n  " + std::string(option) + " ") + 1;
    return usage.find(description, line) - line;
  };
  EXPECT_EQ(column("--skin", "draw with"), column("--help", "print this help"));
  EXPECT_EQ(column("--list-skins", "print the names"), column("--config", "keep the snippets"));
}

}  // namespace
}  // namespace app
