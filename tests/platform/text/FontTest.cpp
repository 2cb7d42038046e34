// Which faces serve which requests, their metrics, and measuring.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "TextTestSupport.h"
#include "platform/text/FontObject.h"

namespace platform {
namespace {

using namespace texttest;

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TextMetric MetricsOf(HFONT font) {
  DIBitmap bitmap(1, 1);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, font);
  TextMetric metrics;
  EXPECT_TRUE(GetTextMetrics(&dc, &metrics));
  return metrics;
}

TEST(FontResolution, MsSansSerifIsWinesBitmapFaceWithWindowsMetrics) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  EXPECT_TRUE(EndsWith(FontFile(font), "/sserife.fon")) << FontFile(font);
  const TextMetric metrics = MetricsOf(font);
  EXPECT_EQ(metrics.tmHeight, 13);
  EXPECT_EQ(metrics.tmAscent, 11);
  EXPECT_EQ(metrics.tmDescent, 2);
  EXPECT_EQ(metrics.tmInternalLeading, 2);
  EXPECT_EQ(metrics.tmExternalLeading, 0);
  EXPECT_EQ(metrics.tmAveCharWidth, 5);  // the face's own average width field
}

TEST(FontResolution, BitmapSizesArePickedByCharacterOrCellHeight) {
  // The .fon holds cells of 13, 16 and 20 pixels with character heights 11, 13 and 16.
  const auto cell = [](int height) { return MetricsOf(FontOf("MS Sans Serif", height)).tmHeight; };
  EXPECT_EQ(cell(-13), 16);
  EXPECT_EQ(cell(-16), 20);
  EXPECT_EQ(cell(-12), 13);  // a tie between 11 and 13 goes to the smaller
  EXPECT_EQ(cell(-14), 16);
  EXPECT_EQ(cell(-3), 13);
  EXPECT_EQ(cell(-18), 20);  // two pixels above the largest size still takes it
  EXPECT_EQ(cell(16), 16);
  EXPECT_EQ(cell(14), 13);
  EXPECT_EQ(cell(0), 13);
  EXPECT_EQ(cell(22), 20);
  // Larger requests (the stored heights on a dense display) are not served by doubled pixels:
  // the scalable stand-in draws them at the height asked for.
  for (int height : {-19, -22, -26, -33, -100, 23, INT_MIN, INT_MAX}) {
    const HFONT font = FontOf("MS Sans Serif", height);
    EXPECT_FALSE(EndsWith(FontFile(font), "/sserife.fon")) << height;
    EXPECT_EQ(FontFile(font), FontFile(FontOf("Arial", height))) << height;
  }
  const TextMetric doubled = MetricsOf(FontOf("MS Sans Serif", -22));
  EXPECT_EQ(doubled.tmHeight - doubled.tmInternalLeading, 22);
  // Face names are matched without regard to case.
  EXPECT_EQ(FontFile(FontOf("ms sans serif", -11)), FontFile(FontOf("MS Sans Serif", -11)));
}

TEST(FontResolution, ChooseBitmapStrikeFollowsWindows) {
  const std::vector<BitmapStrike> strikes{{20, 4}, {13, 2}, {16, 3}};
  EXPECT_EQ(ChooseBitmapStrike(strikes, -11), 1);
  EXPECT_EQ(ChooseBitmapStrike(strikes, -12), 1);
  EXPECT_EQ(ChooseBitmapStrike(strikes, -15), 0);  // 16 is nearer than 13
  EXPECT_EQ(ChooseBitmapStrike(strikes, -14), 2);  // tie between 13 and 16: 13
  EXPECT_EQ(ChooseBitmapStrike(strikes, 18), 2);   // cells: 16 and 20 tie, 16
  EXPECT_EQ(ChooseBitmapStrike(strikes, -18), 0);  // within reach of the largest
  EXPECT_EQ(ChooseBitmapStrike(strikes, -19), -1);
  EXPECT_EQ(ChooseBitmapStrike(strikes, 22), 0);
  EXPECT_EQ(ChooseBitmapStrike(strikes, 23), -1);
  EXPECT_EQ(ChooseBitmapStrike(strikes, INT_MIN), -1);
  EXPECT_EQ(ChooseBitmapStrike({}, -11), -1);
}

TEST(FontResolution, WindowsFacesMapToLiberationAndStylesPickTheirFiles) {
  EXPECT_TRUE(EndsWith(FontFile(FontOf("Arial", -11)), "/LiberationSans-Regular.ttf"));
  EXPECT_TRUE(EndsWith(FontFile(FontOf("arial", -11)), "/LiberationSans-Regular.ttf"));
  EXPECT_TRUE(EndsWith(FontFile(FontOf("Arial", -11, FW_BOLD)), "/LiberationSans-Bold.ttf"));
  EXPECT_TRUE(
      EndsWith(FontFile(FontOf("Arial", -11, FW_NORMAL, true)), "/LiberationSans-Italic.ttf"));
  EXPECT_TRUE(
      EndsWith(FontFile(FontOf("Arial", -11, FW_BOLD, true)), "/LiberationSans-BoldItalic.ttf"));
  EXPECT_TRUE(EndsWith(FontFile(FontOf("Courier New", -13)), "/LiberationMono-Regular.ttf"));
  EXPECT_TRUE(EndsWith(FontFile(FontOf("Times New Roman", -13)), "/LiberationSerif-Regular.ttf"));
  EXPECT_TRUE(EndsWith(FontFile(FontOf("DejaVu Sans", -11)), "/DejaVuSans.ttf"));
  // Names nobody has still give a face, through fontconfig's best match.
  EXPECT_FALSE(FontFile(FontOf("No Such Face Anywhere", -11)).empty());
  EXPECT_FALSE(FontFile(FontOf("", -11)).empty());
  // Bold "MS Sans Serif" stays the bitmap face (drawn twice).
  EXPECT_TRUE(EndsWith(FontFile(FontOf("MS Sans Serif", -11, FW_BOLD)), "/sserife.fon"));
}

TEST(FontResolution, OutlineFacesAreSizedByEmOrByCell) {
  // Liberation Sans: Windows ascent 1854, descent 434, average width 1208 of 2048 units.
  TextMetric arial = MetricsOf(FontOf("Arial", -11));
  EXPECT_EQ(arial.tmAscent, 10);
  EXPECT_EQ(arial.tmDescent, 2);
  EXPECT_EQ(arial.tmHeight, 12);
  EXPECT_EQ(arial.tmInternalLeading, 1);
  EXPECT_EQ(arial.tmAveCharWidth, 6);
  // A positive height is the cell.
  for (int height : {9, 13, 20, 37}) {
    EXPECT_EQ(MetricsOf(FontOf("Arial", height)).tmHeight, height) << height;
  }
  // DejaVu Sans: 1901 and 483, average 1038.
  const TextMetric dejaVu = MetricsOf(FontOf("DejaVu Sans", -11));
  EXPECT_EQ(dejaVu.tmAscent, 10);
  EXPECT_EQ(dejaVu.tmDescent, 3);
  EXPECT_EQ(dejaVu.tmInternalLeading, 2);
  EXPECT_EQ(dejaVu.tmAveCharWidth, 6);
  // Absurd heights are held at the largest size instead of allocating without end.
  EXPECT_LE(MetricsOf(FontOf("Arial", INT_MIN)).tmHeight, 1200);
}

TEST(FontRegistry, EqualRequestsShareOneFont) {
  LogFont request;
  request.FaceName = "Arial";
  request.Height = -12;
  const HFONT first = CreateFontIndirect(request);
  EXPECT_EQ(CreateFontIndirect(request), first);
  EXPECT_EQ(FontRequest(first), request);
  request.Underline = true;
  EXPECT_NE(CreateFontIndirect(request), first);
  EXPECT_EQ(FontRequest(DefaultFont()), LogFont{});
  EXPECT_EQ(DefaultFont(), CreateFontIndirect(LogFont{}));
  EXPECT_EQ(FontRequest(nullptr), LogFont{});
  // A context without a font measures with the default one.
  DIBitmap bitmap(1, 1);
  DeviceContext dc(&bitmap);
  TextMetric metrics;
  ASSERT_TRUE(GetTextMetrics(&dc, &metrics));
  EXPECT_EQ(metrics.tmHeight, 13);
}

TEST(TextMeasure, CheckBoxCaptionInMsSansSerif) {
  // Windows measures 168; Wine's redrawing of the face has a few glyphs a pixel wider.
  const HFONT font = FontOf("MS Sans Serif", -11);
  EXPECT_EQ(TextWidth(font, "Copy to Clipboard when mouse over"), 170);
  DIBitmap bitmap(1, 1);
  DeviceContext dc(&bitmap);
  SelectFont(&dc, font);
  TSize size;
  ASSERT_TRUE(GetTextExtentPoint32(&dc, "", &size));
  EXPECT_EQ(size, (TSize{0, 13}));
  EXPECT_FALSE(GetTextExtentPoint32(nullptr, "x", &size));
  EXPECT_FALSE(GetTextExtentPoint32(&dc, "x", nullptr));
}

TEST(TextMeasure, InvalidUtf8MeasuresAsLatin1) {
  for (const char* face : {"MS Sans Serif", "Arial", "DejaVu Sans"}) {
    const HFONT font = FontOf(face, -11);
    EXPECT_EQ(TextWidth(font, "caf\xE9"), TextWidth(font, "caf\xC3\xA9")) << face;
    // A truncated sequence is its lead byte, then what follows.
    EXPECT_EQ(TextWidth(font, "\xE2\x82"), TextWidth(font, "\xC3\xA2\xC2\x82")) << face;
    EXPECT_GT(TextWidth(font, "\xE9"), 0) << face;
  }
}

TEST(TextMeasure, TabsAndControlsOutsideDrawText) {
  const HFONT font = FontOf("Arial", -11);
  EXPECT_EQ(TextWidth(font, "a\tb"), TextWidth(font, "a b"));
  EXPECT_EQ(TextWidth(font, "a\r\nb\x01"), TextWidth(font, "ab"));
}

TEST(TextMeasure, BoldBitmapFaceIsOnePixelWiderPerCharacter) {
  EXPECT_EQ(TextWidth(FontOf("MS Sans Serif", -11, FW_BOLD), "abc"),
            TextWidth(FontOf("MS Sans Serif", -11), "abc") + 3);
}

TEST(TextMeasure, CharactersTheBitmapFaceLacksComeFromElsewhere) {
  const HFONT font = FontOf("MS Sans Serif", -11);
  // The face is Windows-1252: the euro sign is its own, and a stray byte 0x80 of old ANSI text
  // shows the same sign.
  EXPECT_EQ(TextWidth(font, "\xE2\x82\xAC"), TextWidth(font, "\x80"));
  EXPECT_NE(TextWidth(font, "\xE2\x82\xAC"), TextWidth(font, "\x81"));
  // Greek is not in it: DejaVu Sans at the character height (11 pixels) draws it.
  EXPECT_EQ(TextWidth(font, "\xCE\xA9"), TextWidth(FontOf("DejaVu Sans", -11), "\xCE\xA9"));
  // Nothing here has CJK: the face's own missing-character shape, never a crash.
  EXPECT_GT(TextWidth(font, "\xE6\x97\xA5\xF0\x9F\x98\x80"), 0);
}

// Measuring loads glyphs without rendering them; the advances must be those drawing gives, for
// every kind of face and every way a character finds its glyph (its own face, a fallback face,
// the missing-character shape, none at all).
TEST(TextMeasure, MeasuredAdvancesAreTheDrawnGlyphsAdvances) {
  std::u32string characters = U"\t\x80\x81\x9F\x01\x7F\u00E9\u03A9\u65E5\U0001F600\u20AC";
  for (char32_t ch = 0x20; ch < 0x7F; ++ch) characters += ch;
  // Sizes no other test asks for: these fonts have neither drawn nor measured anything yet.
  for (const auto& [face, height] : {std::pair{"MS Sans Serif", -11},
                                     {"MS Sans Serif", -19},
                                     {"Arial", -17},
                                     {"Times New Roman", -23},
                                     {"DejaVu Sans", -15}}) {
    for (const bool bold : {false, true}) {
      for (const bool italic : {false, true}) {
        LogFont request;
        request.FaceName = face;
        request.Height = height;
        request.Weight = bold ? FW_BOLD : FW_NORMAL;
        request.Italic = italic;
        const Font& font = *CreateFontIndirect(request);
        std::vector<int> measured;
        for (const char32_t ch : characters) measured.push_back(font.Advance(ch));
        for (size_t i = 0; i < characters.size(); ++i) {
          EXPECT_EQ(measured[i], font.GlyphOf(characters[i]).Advance)
              << face << " " << height << (bold ? " bold" : "") << (italic ? " italic" : "")
              << " U+" << std::hex << static_cast<uint32_t>(characters[i]);
        }
      }
    }
  }
}

}  // namespace
}  // namespace platform
