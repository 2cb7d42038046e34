// DrawText's formats, seen through the rectangles it computes and the ink it leaves.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "TextTestSupport.h"

namespace platform {
namespace {

using namespace texttest;

struct Result {
  DIBitmap bitmap;
  int height = 0;
  TRect rect;
};

// The text drawn with DrawText in MS Sans Serif -11 (whole pixels, so ink edges are exact).
Result Draw(std::string_view text, TRect rect, unsigned format, int width = 120, int height = 60,
            HFONT font = nullptr) {
  Result result{Paper(width, height), 0, {}};
  DeviceContext dc(&result.bitmap);
  Prepare(dc, font != nullptr ? font : FontOf("MS Sans Serif", -11));
  result.height = DrawText(&dc, text, &rect, format);
  result.rect = rect;
  return result;
}

const char* const kCaption = "Copy to Clipboard when mouse over";

TEST(DrawTextTest, CalcRectSizesSingleLinesAndWrappedText) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  Result single = Draw(kCaption, {10, 5, 20, 6}, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single.rect, (TRect{10, 5, 10 + TextWidth(font, kCaption), 5 + 13}));
  EXPECT_EQ(single.height, 13);
  EXPECT_TRUE(InkBounds(single.bitmap).IsEmpty());

  Result wrapped = Draw(kCaption, {10, 5, 110, 6}, DT_CALCRECT | DT_WORDBREAK);
  // "Copy to Clipboard" and "when mouse over" within 100 pixels.
  EXPECT_EQ(wrapped.height, 26);
  EXPECT_EQ(wrapped.rect.Bottom, 5 + 26);
  EXPECT_EQ(wrapped.rect.Right, 10 + std::max(TextWidth(font, "Copy to Clipboard"),
                                              TextWidth(font, "when mouse over")));
  EXPECT_LE(wrapped.rect.Right, 110);
  // Drawn into that rectangle, the ink stays inside it.
  Result drawn = Draw(kCaption, wrapped.rect, DT_WORDBREAK);
  EXPECT_EQ(drawn.height, 26);
  const TRect ink = InkBounds(drawn.bitmap);
  EXPECT_EQ(ink.Intersected(wrapped.rect), ink);
  EXPECT_GE(ink.Bottom, 5 + 13 + 5);  // the second line has ink

  // Several lines without word breaks: the widest one.
  Result lines = Draw("ab\nabcdef\nabc", {0, 0, 1, 1}, DT_CALCRECT);
  EXPECT_EQ(lines.rect, (TRect{0, 0, TextWidth(font, "abcdef"), 39}));
  // No text, no lines.
  Result empty = Draw("", {3, 4, 50, 50}, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(empty.rect, (TRect{3, 4, 3, 4}));
  EXPECT_EQ(empty.height, 0);
}

TEST(DrawTextTest, HorizontalAlignmentMovesTheLineByTheFreeWidth) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  const int width = TextWidth(font, "Snip");
  const TRect box{10, 4, 101, 40};  // 91 wide
  const TRect left = InkBounds(Draw("Snip", box, DT_SINGLELINE).bitmap);
  const TRect centre = InkBounds(Draw("Snip", box, DT_SINGLELINE | DT_CENTER).bitmap);
  const TRect right = InkBounds(Draw("Snip", box, DT_SINGLELINE | DT_RIGHT).bitmap);
  EXPECT_EQ(centre, left.Translated((91 - width) / 2, 0));
  EXPECT_EQ(right, left.Translated(91 - width, 0));
  // Each line of a multi-line text on its own.
  const Result lines = Draw("ab\nabcd", box, DT_RIGHT);
  const TRect ink = InkBounds(lines.bitmap);
  EXPECT_LE(ink.Right, 101);
  EXPECT_GE(ink.Right, 100);
}

TEST(DrawTextTest, VerticalAlignmentOnlyForSingleLines) {
  const TRect box{0, 10, 80, 41};  // 31 high, the cell 13
  const TRect top = InkBounds(Draw("Snip", box, DT_SINGLELINE).bitmap);
  const Result centred = Draw("Snip", box, DT_SINGLELINE | DT_VCENTER);
  const Result bottom = Draw("Snip", box, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(InkBounds(centred.bitmap), top.Translated(0, 9));
  EXPECT_EQ(InkBounds(bottom.bitmap), top.Translated(0, 18));
  // Then the result is where the text ends, counted from the rectangle's top.
  EXPECT_EQ(centred.height, 9 + 13);
  EXPECT_EQ(bottom.height, 31);
  // Without DT_SINGLELINE the text stays at the top.
  EXPECT_EQ(InkBounds(Draw("Snip", box, DT_VCENTER).bitmap), top);
  EXPECT_EQ(InkBounds(Draw("Snip", box, DT_BOTTOM).bitmap), top);
}

TEST(DrawTextTest, PrefixUnderlinesOneCharacter) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  const int f = TextWidth(font, "F");
  const int row = 2 + 11 + 1;  // one pixel under the baseline
  const Result marked = Draw("&File", {3, 2, 100, 30}, DT_SINGLELINE);
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(marked.bitmap.Pixel(x, row), x >= 3 && x < 3 + f ? kInk : kPaper) << x;
  }
  // The same without the prefix, apart from that row.
  Result plain = Draw("File", {3, 2, 100, 30}, DT_SINGLELINE);
  for (int x = 3; x < 3 + f; ++x) plain.bitmap.SetPixel(x, row, kInk);
  EXPECT_EQ(marked.bitmap, plain.bitmap);
  // DT_NOPREFIX draws the "&" and underlines nothing.
  const Result raw = Draw("&File", {3, 2, 100, 30}, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(InkBounds(raw.bitmap).Right, 3 + TextWidth(font, "&File"));
  for (int x = 0; x < 60; ++x) EXPECT_EQ(raw.bitmap.Pixel(x, row), kPaper) << x;
  // "&&" is one "&", and a trailing "&" is dropped.
  EXPECT_EQ(Draw("a&&b&", {0, 0, 1, 1}, DT_CALCRECT | DT_SINGLELINE).rect.Right,
            TextWidth(font, "a&b"));
  EXPECT_EQ(Draw("a&&b&", {3, 2, 100, 30}, DT_SINGLELINE).bitmap,
            Draw("a&b", {3, 2, 100, 30}, DT_SINGLELINE | DT_NOPREFIX).bitmap);
}

TEST(DrawTextTest, TabsExpandOnlyWhenAsked) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  const int stop = 8 * 5;  // eight average widths
  const TRect xInk = InkBounds(Draw("x", {0, 0, 200, 20}, DT_SINGLELINE).bitmap);
  const TRect expanded =
      InkBounds(Draw("\tx", {0, 0, 200, 20}, DT_SINGLELINE | DT_EXPANDTABS).bitmap);
  EXPECT_EQ(expanded, xInk.Translated(stop, 0));
  const TRect blank = InkBounds(Draw("\tx", {0, 0, 200, 20}, DT_SINGLELINE).bitmap);
  EXPECT_EQ(blank, xInk.Translated(TextWidth(font, " "), 0));
}

TEST(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
  const TRect box{20, 10, 50, 18};  // narrower and lower than the text
  const Result clipped = Draw(kCaption, box, DT_SINGLELINE);
  const TRect ink = InkBounds(clipped.bitmap);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_EQ(ink.Intersected(box), ink);
  const Result free = Draw(kCaption, box, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(InkBounds(free.bitmap).Right, 50);
  EXPECT_GT(InkBounds(free.bitmap).Bottom, 18);
  // The context's own clip still holds with DT_NOCLIP.
  Result both{Paper(120, 60), 0, {}};
  DeviceContext dc(&both.bitmap);
  Prepare(dc, FontOf("MS Sans Serif", -11));
  IntersectClipRect(&dc, 0, 0, 40, 60);
  TRect rect = box;
  DrawText(&dc, kCaption, &rect, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LE(InkBounds(both.bitmap).Right, 40);
}

TEST(DrawTextTest, EndEllipsisShortensALineThatDoesNotFit) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  const TRect box{0, 0, 60, 20};
  const Result calc = Draw(kCaption, box, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(calc.rect.Right, 60);
  EXPECT_GT(calc.rect.Right, 60 - TextWidth(font, "W..."));
  const Result drawn = Draw(kCaption, box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(InkBounds(drawn.bitmap).Right, 60);
  // The dots are there: the last ink is three "." glyphs.
  const Result dots =
      Draw("...", {calc.rect.Right - TextWidth(font, "..."), 0, 200, 20}, DT_SINGLELINE);
  for (int x = calc.rect.Right - TextWidth(font, "..."); x < calc.rect.Right; ++x)
    for (int y = 0; y < 20; ++y)
      ASSERT_EQ(drawn.bitmap.Pixel(x, y), dots.bitmap.Pixel(x, y)) << x << "," << y;
}

TEST(DrawTextTest, LineEndsAndTheirAbsenceInSingleLines) {
  const Result lines = Draw("ab\r\ncd\ref\ngh", {0, 0, 100, 60}, 0);
  EXPECT_EQ(lines.height, 52);
  const Result single = Draw("ab\r\ncd", {0, 0, 100, 60}, DT_SINGLELINE);
  EXPECT_EQ(single.height, 13);
  EXPECT_EQ(single.bitmap, Draw("abcd", {0, 0, 100, 60}, DT_SINGLELINE).bitmap);
}

TEST(DrawTextTest, OpaqueBackgroundBehindEachLine) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  Result result{Paper(100, 40), 0, {}};
  DeviceContext dc(&result.bitmap);
  Prepare(dc, font);
  SetBkMode(&dc, OPAQUE);
  SetBkColor(&dc, clYellow);
  TRect rect{5, 5, 95, 35};
  DrawText(&dc, "ab\nabcd", &rect, DT_CENTER);
  const int short_ = TextWidth(font, "ab");
  const int long_ = TextWidth(font, "abcd");
  const int x1 = 5 + (90 - short_) / 2;
  const int x2 = 5 + (90 - long_) / 2;
  EXPECT_EQ(result.bitmap.Pixel(x1, 5), clYellow);
  EXPECT_EQ(result.bitmap.Pixel(x1 - 1, 5), kPaper);
  EXPECT_EQ(result.bitmap.Pixel(x2, 18), clYellow);
  EXPECT_EQ(result.bitmap.Pixel(x2 + long_, 18), kPaper);
  EXPECT_EQ(result.bitmap.Pixel(50, 31), kPaper);
}

TEST(DrawTextTest, BadArgumentsDoNothing) {
  DIBitmap bitmap = Paper(10, 10);
  DeviceContext dc(&bitmap);
  EXPECT_EQ(DrawText(&dc, "x", nullptr, 0), 0);
  TRect rect{0, 0, 10, 10};
  EXPECT_EQ(DrawText(nullptr, "x", &rect, 0), 0);
  // Rectangles at the ends of the integer range neither overflow nor draw.
  TRect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  EXPECT_GT(DrawText(&dc, "wide", &huge, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
  huge = {INT_MAX - 3, INT_MIN, INT_MIN, INT_MAX};
  // Held to a negative width, every character is a line of its own (the blank goes at the break).
  EXPECT_EQ(DrawText(&dc, "wide words", &huge, DT_WORDBREAK | DT_RIGHT | DT_END_ELLIPSIS), 9 * 13);
}

}  // namespace
}  // namespace platform
