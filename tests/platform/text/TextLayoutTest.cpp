#include "platform/text/TextLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/Font.h"

namespace platform {
namespace {

// A font whose widths are easy to add up: letters 10, "W" 20, blank 5, "." 3, controls 0.
class FixedMeasure : public TextMeasure {
 public:
  int Advance(char32_t ch) const override {
    if (ch == U' ' || ch == U'\t') return 5;
    if (ch == U'.') return 3;
    if (ch == U'W') return 20;
    if (ch < 0x20) return 0;
    return 10;
  }
  int AverageCharWidth() const override { return 7; }
  int LineHeight() const override { return 12; }
};

std::u32string Chars(const TextLine& line) {
  std::u32string text;
  for (const PlacedChar& placed : line.Chars) text += placed.Char;
  return text;
}

std::vector<std::u32string> Lines(const TextLayout& layout) {
  std::vector<std::u32string> lines;
  for (const TextLine& line : layout.Lines) lines.push_back(Chars(line));
  return lines;
}

TextLayout Lay(std::string_view text, unsigned format, int maxWidth = 1000) {
  return LayOutText(text, format, maxWidth, FixedMeasure{});
}

TEST(TextLayoutTest, LineEndsSplitLinesAndTheLastOneAddsNone) {
  EXPECT_EQ(Lines(Lay("a\r\nb\nc\rd", 0)), (std::vector<std::u32string>{U"a", U"b", U"c", U"d"}));
  EXPECT_EQ(Lay("a\r\nb\nc\rd", 0).Height, 48);
  EXPECT_EQ(Lines(Lay("ab\n", 0)), (std::vector<std::u32string>{U"ab"}));
  EXPECT_EQ(Lines(Lay("ab\n\n", 0)), (std::vector<std::u32string>{U"ab", U""}));
  EXPECT_EQ(Lines(Lay("\n", 0)), (std::vector<std::u32string>{U""}));
  // CR CR LF is two line ends: a lone CR, then CR LF.
  EXPECT_EQ(Lay("a\r\r\nb", 0).Lines.size(), 3u);
  // A single line drops them altogether.
  const TextLayout single = Lay("a\r\nb\rc\n", DT_SINGLELINE);
  EXPECT_EQ(Lines(single), (std::vector<std::u32string>{U"abc"}));
  EXPECT_EQ(single.Width, 30);
  EXPECT_EQ(single.Height, 12);
}

TEST(TextLayoutTest, EmptyTextHasNoLines) {
  EXPECT_TRUE(Lay("", 0).Lines.empty());
  EXPECT_EQ(Lay("", DT_SINGLELINE).Height, 0);
  // A lone prefix character leaves nothing either.
  EXPECT_TRUE(Lay("&", 0).Lines.empty());
}

TEST(TextLayoutTest, PrefixesMarkOneCharacterAndDoubleAmpersandIsOne) {
  TextLayout layout = Lay("&File", 0);
  EXPECT_EQ(Chars(layout.Lines[0]), U"File");
  EXPECT_EQ(layout.Lines[0].Underlined, 0);
  EXPECT_EQ(layout.Width, 40);

  layout = Lay("Save && E&xit", 0);
  EXPECT_EQ(Chars(layout.Lines[0]), U"Save & Exit");
  EXPECT_EQ(layout.Lines[0].Underlined, 8);

  layout = Lay("a&&&b&", 0);
  EXPECT_EQ(Chars(layout.Lines[0]), U"a&b");
  EXPECT_EQ(layout.Lines[0].Underlined, 2);

  // The last of several marks wins.
  EXPECT_EQ(Lay("&a&b", 0).Lines[0].Underlined, 1);

  layout = Lay("&File && &", DT_NOPREFIX);
  EXPECT_EQ(Chars(layout.Lines[0]), U"&File && &");
  EXPECT_EQ(layout.Lines[0].Underlined, -1);

  // Marks stay with their line.
  layout = Lay("a&b\nc&d", 0);
  EXPECT_EQ(layout.Lines[0].Underlined, 1);
  EXPECT_EQ(layout.Lines[1].Underlined, 1);
}

TEST(TextLayoutTest, TabsExpandToStopsOfEightAverageWidthsOrActAsBlanks) {
  TextLayout layout = Lay("a\tb\tc", DT_EXPANDTABS);
  ASSERT_EQ(layout.Lines[0].Chars.size(), 5u);
  EXPECT_EQ(layout.Lines[0].Chars[2].X, 56);
  EXPECT_EQ(layout.Lines[0].Chars[4].X, 112);
  // A tab right at a stop goes on to the next one.
  layout = Lay("\t\tx", DT_EXPANDTABS);
  EXPECT_EQ(layout.Lines[0].Chars[2].X, 112);

  layout = Lay("a\tb", 0);
  EXPECT_EQ(layout.Lines[0].Chars[2].X, 15);
  EXPECT_EQ(layout.Width, 25);
}

TEST(TextLayoutTest, WordBreakBreaksAtBlanksAndDropsThem) {
  // "aaa bbb" is 65 wide and fits in 75; " ccc" does not.
  TextLayout layout = Lay("aaa bbb ccc", DT_WORDBREAK, 75);
  EXPECT_EQ(Lines(layout), (std::vector<std::u32string>{U"aaa bbb", U"ccc"}));
  EXPECT_EQ(layout.Lines[0].Width, 65);
  EXPECT_EQ(layout.Width, 65);
  EXPECT_EQ(layout.Height, 24);

  // Runs of blanks at a break belong to neither line.
  EXPECT_EQ(Lines(Lay("aa   bb", DT_WORDBREAK, 25)), (std::vector<std::u32string>{U"aa", U"bb"}));
  // Blanks never force a break themselves.
  EXPECT_EQ(Lines(Lay("aa    ", DT_WORDBREAK, 20)), (std::vector<std::u32string>{U"aa    "}));
  // Breaks only where needed, and hard line ends still count.
  EXPECT_EQ(Lines(Lay("a b\nc", DT_WORDBREAK, 1000)), (std::vector<std::u32string>{U"a b", U"c"}));
  // Tabs are blanks too.
  EXPECT_EQ(Lines(Lay("aa\tbb", DT_WORDBREAK | DT_EXPANDTABS, 30)),
            (std::vector<std::u32string>{U"aa", U"bb"}));
  // DT_SINGLELINE wins over DT_WORDBREAK.
  EXPECT_EQ(Lay("aaa bbb ccc", DT_WORDBREAK | DT_SINGLELINE, 20).Lines.size(), 1u);
}

TEST(TextLayoutTest, WordBreakSplitsWordsWiderThanTheLine) {
  EXPECT_EQ(Lines(Lay("abcdefghij", DT_WORDBREAK, 35)),
            (std::vector<std::u32string>{U"abc", U"def", U"ghi", U"j"}));
  // A long word after a short one moves to its own lines.
  EXPECT_EQ(Lines(Lay("ab cdefgh", DT_WORDBREAK, 35)),
            (std::vector<std::u32string>{U"ab", U"cde", U"fgh"}));
  // Even with no room at all, every line takes one character and the text ends.
  TextLayout layout = Lay("abc", DT_WORDBREAK, 0);
  EXPECT_EQ(Lines(layout), (std::vector<std::u32string>{U"a", U"b", U"c"}));
  EXPECT_EQ(Lines(Lay("W", DT_WORDBREAK, -50)), (std::vector<std::u32string>{U"W"}));
}

TEST(TextLayoutTest, WordBreakKeepsPrefixMarksOnTheirCharacters) {
  const TextLayout layout = Lay("aaa &bbb", DT_WORDBREAK, 50);
  ASSERT_EQ(layout.Lines.size(), 2u);
  EXPECT_EQ(layout.Lines[0].Underlined, -1);
  EXPECT_EQ(Chars(layout.Lines[1]), U"bbb");
  EXPECT_EQ(layout.Lines[1].Underlined, 0);
}

TEST(TextLayoutTest, EndEllipsisCutsLinesThatDoNotFit) {
  // "..." is 9 wide: three letters (30) and the dots fit in 45, four do not.
  TextLayout layout = Lay("abcdefgh", DT_END_ELLIPSIS | DT_SINGLELINE, 45);
  EXPECT_EQ(Chars(layout.Lines[0]), U"abc...");
  EXPECT_EQ(layout.Width, 39);
  EXPECT_EQ(layout.Lines[0].Chars[4].X, 33);
  // Lines that fit are left alone.
  EXPECT_EQ(Chars(Lay("abc", DT_END_ELLIPSIS, 30).Lines[0]), U"abc");
  // A prefix mark that is cut away goes with its character.
  EXPECT_EQ(Lay("abcde&fgh", DT_END_ELLIPSIS, 45).Lines[0].Underlined, -1);
  EXPECT_EQ(Lay("a&bcdefgh", DT_END_ELLIPSIS, 45).Lines[0].Underlined, 1);
  // Nothing but the dots when not even one character fits.
  EXPECT_EQ(Chars(Lay("abc", DT_END_ELLIPSIS, 5).Lines[0]), U"...");
}

TEST(TextLayoutTest, InvalidUtf8IsLaidOutAsLatin1) {
  EXPECT_EQ(Chars(Lay("caf\xE9 \xC3\xA9 \xE2\x82", 0).Lines[0]), U"caf\u00E9 \u00E9 \u00E2\u0082");
}

}  // namespace
}  // namespace platform
