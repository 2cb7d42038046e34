#pragma once
// Fonts and text, drawn with FreeType glyphs found through fontconfig.
//
// A font is asked for as Windows asks: family name, height (negative: the character height in
// pixels, i.e. the cell height less the internal leading; positive: the cell height), weight,
// italic, underline, strike-out and character set (the set is ignored: text is UTF-8).
// "MS Sans Serif" is the bitmap face of Wine's sserife.fon, "Arial" and "Courier New" are
// Liberation Sans and Mono, anything else goes through fontconfig with DejaVu last.
//
// Fonts are made once per distinct request and live until the process ends, so an HFONT never
// dangles and never needs deleting. Glyphs are rendered with greyscale antialiasing (bitmap faces
// as they are) and cached per font.

#include <string>
#include <string_view>

#include "platform/DeviceContext.h"
#include "platform/Types.h"

namespace platform {

enum FontWeight : int { FW_NORMAL = 400, FW_BOLD = 700 };
enum FontCharSet : int { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2 };

struct LogFont {
  std::string FaceName = "MS Sans Serif";
  int Height = -11;
  int Weight = FW_NORMAL;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  int CharSet = DEFAULT_CHARSET;
  friend bool operator==(const LogFont&, const LogFont&) = default;
};

struct TextMetric {
  int tmHeight = 0;  // ascent + descent
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
};

// The font for a request; the same request always gives the same HFONT.
HFONT CreateFontIndirect(const LogFont& logFont);
// What the font was asked for with, and the file it was found in.
const LogFont& FontRequest(HFONT font);
std::string FontFile(HFONT font);
// The font a context uses when none is selected: "MS Sans Serif", height -11.
HFONT DefaultFont();

bool GetTextMetrics(HDC dc, TextMetric* metrics);
// Width and height of one line of text, as drawn (no prefix processing, tabs as one blank).
bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size);
// Draws one line with its top-left at (x, y) in the text colour, over what lies beneath.
bool TextOut(HDC dc, int x, int y, std::string_view text);

// DrawText formats.
enum DrawTextFormat : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_END_ELLIPSIS = 0x8000,
  DT_RTLREADING = 0x20000,
};

// Draws text in the rectangle, as Windows' DrawText does for the formats above: lines broken at
// line ends (unless DT_SINGLELINE) and, with DT_WORDBREAK, between words to fit the width; "&"
// underlines the next character and "&&" is one "&" unless DT_NOPREFIX; tabs expand to 8 average
// characters with DT_EXPANDTABS; DT_VCENTER and DT_BOTTOM apply to single lines; without DT_NOCLIP
// the text is clipped to the rectangle. With DT_CALCRECT nothing is drawn and the rectangle's
// right and bottom are set to fit the text. Returns the height of the text.
int DrawText(HDC dc, std::string_view text, TRect* rect, unsigned format);

}  // namespace platform
