// Texts far longer than what shows: a viewport places only what can be seen, at the places the
// whole layout gives it; measuring by the font's table adds up as character by character does;
// drawing a long line gives the pixels its visible beginning gives.

#include <gtest/gtest.h>

#include <string>

#include "TextTestSupport.h"
#include "platform/text/Font.h"
#include "platform/text/TextLayout.h"

namespace platform {
namespace {

using namespace texttest;

// Widths that differ by character, so that a misplaced character shows: letters 7 + code % 5,
// blank 4, "." 3, controls 0.
class VaryingMeasure : public TextMeasure {
 public:
  explicit VaryingMeasure(bool table) {
    if (!table) return;
    for (char32_t ch = kFirstPlainAscii; ch <= kLastPlainAscii; ++ch) table_.push_back(Advance(ch));
  }
  int Advance(char32_t ch) const override {
    if (ch == U' ' || ch == U'\t') return 4;
    if (ch == U'.') return 3;
    if (ch < 0x20) return 0;
    return 7 + static_cast<int>(ch % 5);
  }
  int AverageCharWidth() const override { return 6; }
  int LineHeight() const override { return 12; }
  const int* AsciiAdvances() const override { return table_.empty() ? nullptr : table_.data(); }

 private:
  std::vector<int> table_;
};

// A line of about n characters mixing plain text, tabs, prefixes, accents and a stray byte.
std::string MixedLine(size_t n) {
  std::string text;
  const char* pieces[] = {"abc", " ", "\t", "&x", "&&", "\xC3\xA9", "Wq", "\xFF", "12.5", "~|"};
  for (size_t i = 0; text.size() < n; ++i) text += pieces[(i * 7) % 10];
  return text;
}

TEST(LongTextTest, AViewportPlacesWhatCanShowWhereTheWholeLayoutPutsIt) {
  const std::string text = MixedLine(20000);
  for (const unsigned format : {0u, unsigned{DT_EXPANDTABS}, unsigned{DT_NOPREFIX | DT_SINGLELINE},
                                unsigned{DT_CENTER}, unsigned{DT_RIGHT | DT_EXPANDTABS}}) {
    SCOPED_TRACE(format);
    const VaryingMeasure measure(true);
    const TextLayout whole = LayOutText(text, format, 300, measure);
    const TextViewport viewport{40, 0, 200, 12, 5};
    const TextLayout seen = LayOutText(text, format, 300, measure, viewport);
    ASSERT_EQ(whole.Lines.size(), 1u);
    ASSERT_EQ(seen.Lines.size(), 1u);
    const TextLine& all = whole.Lines[0];
    const TextLine& part = seen.Lines[0];
    EXPECT_EQ(whole.Height, seen.Height);
    // What the placing needs is whole: aligned lines are measured to their end.
    const int shift = (format & DT_CENTER)  ? (300 - all.Width) / 2
                      : (format & DT_RIGHT) ? 300 - all.Width
                                            : 0;
    if (format & (DT_CENTER | DT_RIGHT)) {
      EXPECT_EQ(part.Width, all.Width);
    }
    // Every character whose cell reaches into the widened viewport, and only those, in order.
    std::vector<PlacedChar> expected;
    int underlined = -1;
    for (size_t i = 0; i < all.Chars.size(); ++i) {
      const int left = all.Chars[i].X + shift;
      const int right = (i + 1 < all.Chars.size() ? all.Chars[i + 1].X : all.Width) + shift;
      if (right < 40 - 5 || left > 200 + 5) continue;
      if (static_cast<int>(i) == all.Underlined) underlined = static_cast<int>(expected.size());
      expected.push_back(all.Chars[i]);
    }
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(part.Chars.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(part.Chars[i].Char, expected[i].Char) << i;
      EXPECT_EQ(part.Chars[i].X, expected[i].X) << i;
    }
    EXPECT_EQ(part.Underlined, underlined);
  }
}

TEST(LongTextTest, TheTableAndTheCharactersMeasureAlike) {
  const std::string text = MixedLine(5000) + "\r\n" + MixedLine(300) + "\n&";
  for (const unsigned format :
       {0u, unsigned{DT_EXPANDTABS}, unsigned{DT_NOPREFIX}, unsigned{DT_CALCRECT},
        unsigned{DT_END_ELLIPSIS}, unsigned{DT_WORDBREAK | DT_EXPANDTABS}}) {
    SCOPED_TRACE(format);
    const TextLayout byTable = LayOutText(text, format, 500, VaryingMeasure(true));
    const TextLayout byChars = LayOutText(text, format, 500, VaryingMeasure(false));
    EXPECT_EQ(byTable.Width, byChars.Width);
    EXPECT_EQ(byTable.Height, byChars.Height);
    ASSERT_EQ(byTable.Lines.size(), byChars.Lines.size());
    for (size_t i = 0; i < byTable.Lines.size(); ++i) {
      EXPECT_EQ(byTable.Lines[i].Width, byChars.Lines[i].Width) << i;
      EXPECT_EQ(byTable.Lines[i].Underlined, byChars.Lines[i].Underlined) << i;
      EXPECT_EQ(byTable.Lines[i].Chars.size(), byChars.Lines[i].Chars.size()) << i;
    }
  }
}

TEST(LongTextTest, MeasuringKeepsNoCharacterAndTheLastMarkWinsBeyondTheViewport) {
  const VaryingMeasure measure(true);
  // Sizes alone: widths of every line, and no character kept.
  const TextLayout sizes = LayOutText(MixedLine(100000), DT_CALCRECT, 300, measure);
  ASSERT_EQ(sizes.Lines.size(), 1u);
  EXPECT_TRUE(sizes.Lines[0].Chars.empty());
  EXPECT_EQ(sizes.Width, LayOutText(MixedLine(100000), 0, 300, measure).Width);

  // "&a" shows, but a later "&b" far beyond the viewport takes the underline from it.
  const std::string marked = "&a" + std::string(5000, 'x') + "&b";
  const TextLayout seen = LayOutText(marked, 0, 300, measure, {0, 0, 100, 12, 0});
  ASSERT_EQ(seen.Lines.size(), 1u);
  EXPECT_EQ(seen.Lines[0].Underlined, -1);
  EXPECT_LT(seen.Lines[0].Chars.size(), 20u);
  const TextLayout alone =
      LayOutText("&a" + std::string(5000, 'x'), 0, 300, measure, {0, 0, 100, 12, 0});
  EXPECT_EQ(alone.Lines[0].Underlined, 0);
}

TEST(LongTextTest, DrawingALongLineGivesThePixelsOfItsVisibleBeginning) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  std::string line;
  while (line.size() < 300000) line += "Snippet &text\t\xC3\xA9t\xC3\xA9 0123456789 ";
  const std::string start = line.substr(0, 200);
  const auto drawn = [&](std::string_view text, bool drawText) {
    DIBitmap bitmap = Paper(130, 21);
    DeviceContext dc(&bitmap);
    Prepare(dc, font);
    SetBkMode(&dc, OPAQUE);
    SetBkColor(&dc, RGB(250, 250, 210));
    if (drawText) {
      TRect box{3, 2, 127, 19};
      DrawText(&dc, text, &box, DT_EXPANDTABS);
    } else {
      TextOut(&dc, 3, 2, text);
    }
    return bitmap;
  };
  for (const bool drawText : {false, true}) {
    SCOPED_TRACE(drawText ? "DrawText" : "TextOut");
    const DIBitmap whole = drawn(line, drawText);
    const DIBitmap beginning = drawn(start, drawText);
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 130; ++x)
        ASSERT_EQ(whole.Pixel(x, y), beginning.Pixel(x, y)) << x << "," << y;
  }
  // The extent of the whole line is that of its parts added up.
  DIBitmap paper = Paper(1, 1);
  DeviceContext dc(&paper);
  SelectFont(&dc, font);
  TSize whole;
  TSize first;
  TSize rest;
  ASSERT_TRUE(GetTextExtentPoint32(&dc, line, &whole));
  ASSERT_TRUE(GetTextExtentPoint32(&dc, std::string_view(line).substr(0, 1234), &first));
  ASSERT_TRUE(GetTextExtentPoint32(&dc, std::string_view(line).substr(1234), &rest));
  EXPECT_EQ(whole.cx, first.cx + rest.cx);
  EXPECT_GT(whole.cx, 1000000);
}

}  // namespace
}  // namespace platform
