// Which factor the windows are drawn at, from the command line, the settings, GDK_SCALE and
// Xft.dpi in that order, and what is said about values that cannot be used.

#include "app/ScaleFactor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using app::ResolveScale;
using std::nullopt;
using Text = std::optional<std::string>;

struct Case {
  Text commandLine, settings, gdkScale, xftDpi;
  int factor;
  size_t warnings;
};

TEST(ScaleFactor, TheFirstUsableSourceWinsAndEveryUnusableOneIsSaidOnce) {
  const std::vector<Case> cases{
      {nullopt, nullopt, nullopt, nullopt, 1, 0},
      {"2", "3", "3", "288", 2, 0},          // the command line first
      {nullopt, "3", "2", "96", 3, 0},       // then the settings
      {nullopt, nullopt, "2", "288", 2, 0},  // then GDK_SCALE
      {nullopt, nullopt, nullopt, "192", 2, 0},
      {nullopt, nullopt, nullopt, "144", 2, 0},    // 1.5 rounds up
      {nullopt, nullopt, nullopt, "143.9", 1, 0},  // below 1.5
      {nullopt, nullopt, nullopt, "120", 1, 0},
      {nullopt, nullopt, nullopt, "1000", 3, 0},  // held to 3
      {nullopt, nullopt, nullopt, "10", 1, 0},    // and to 1
      {" 3 ", nullopt, nullopt, nullopt, 3, 0},   // blanks around a number are no fault
      {"", "", "", "", 1, 0},                     // empty texts are not set
      // Out of range, not whole, not a number: passed over with one line each.
      {"4", nullopt, nullopt, "192", 2, 1},
      {"0", "1.5", "2", nullopt, 2, 2},
      {"-1", "two", "0x2", "288", 3, 3},
      {"2abc", nullopt, nullopt, nullopt, 1, 1},
      {"99999999999999999999", nullopt, nullopt, nullopt, 1, 1},
      {nullopt, nullopt, nullopt, "-192", 1, 1},
      {nullopt, nullopt, nullopt, "0", 1, 1},
      {nullopt, nullopt, nullopt, "inf", 1, 1},
      {nullopt, nullopt, nullopt, "nan", 1, 1},
      {nullopt, nullopt, nullopt, "96 dpi", 1, 1},
  };
  for (const Case& c : cases) {
    const app::ScaleChoice choice = ResolveScale(c.commandLine, c.settings, c.gdkScale, c.xftDpi);
    const std::string label = c.commandLine.value_or("-") + " | " + c.settings.value_or("-") +
                              " | " + c.gdkScale.value_or("-") + " | " + c.xftDpi.value_or("-");
    EXPECT_EQ(choice.Factor, c.factor) << label;
    EXPECT_EQ(choice.Warnings.size(), c.warnings) << label;
  }
}

TEST(ScaleFactor, AWarningNamesTheSourceAndTheValue) {
  const app::ScaleChoice choice = ResolveScale("4", nullopt, "x", "lots");
  ASSERT_EQ(choice.Warnings.size(), 3U);
  EXPECT_EQ(choice.Warnings[0], "ignoring --scale \"4\": the scale must be 1, 2 or 3");
  EXPECT_EQ(choice.Warnings[1], "ignoring GDK_SCALE \"x\": the scale must be 1, 2 or 3");
  EXPECT_EQ(choice.Warnings[2],
            "ignoring Xft.dpi \"lots\": the resolution must be a positive number");
  for (const std::string& line : choice.Warnings) EXPECT_EQ(line.find('\n'), std::string::npos);
}

}  // namespace
