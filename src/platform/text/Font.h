#pragma once
// Fonts and text, drawn with FreeType glyphs found through fontconfig.
//
// A font is asked for as Windows asks: family name, height (negative: the character height in
// pixels, i.e. the cell height less the internal leading; positive: the cell height; 0: the
// 8-point default, as -11; heights beyond 1000 pixels are drawn at 1000), weight (600 and above is
// bold), italic, underline, strike-out and character set (the set is ignored: text is UTF-8).
// "MS Sans Serif" is the bitmap face of Wine's sserife.fon (cells of 13, 16 and 20 pixels; the
// size whose character height is nearest is taken, the smaller on a tie; bold is drawn twice one
// pixel apart, italic sheared), "Arial", "Courier New" and "Times New Roman" are Liberation Sans,
// Mono and Serif, anything else goes through fontconfig with DejaVu Sans last.
//
// Fonts are made once per distinct request and live until the process ends, so an HFONT never
// dangles and never needs deleting. Glyphs are rendered with greyscale antialiasing (bitmap faces
// as they are) and cached per font. Characters a face lacks come from DejaVu Sans (or another face
// fontconfig finds) at the same character height; C1 control characters, which stand for bytes of
// old ANSI text, are shown as the Windows-1252 characters of those bytes. Fonts belong to the
// user-interface thread.

#include <string>
#include <string_view>

#include "platform/Exception.h"
#include "platform/Types.h"
#include "platform/drawing/DeviceContext.h"

namespace platform {

// No font file at all could be loaded: the system has neither the requested face nor DejaVu Sans.
class EFontError : public Exception {
 public:
  using Exception::Exception;
};

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

// The metrics of the selected font (the default font when none is selected). tmAveCharWidth is
// the bitmap face's own average width, or the OS/2 table's average width scaled (the advance of
// "x" where the table has none).
bool GetTextMetrics(HDC dc, TextMetric* metrics);
// Width and height of one line of text, as drawn (no prefix processing, tabs as one blank, line
// ends and other control characters take no room); the height is tmHeight.
bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size);
// Draws one line with the top-left of its cell at (x, y) (the baseline at y + tmAscent) in the
// text colour, blended over what lies beneath; with the background mode OPAQUE the cell is filled
// with the background colour first.
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
// line ends (CR LF, LF or CR; with DT_SINGLELINE they are dropped) and, with DT_WORDBREAK, at
// blanks to fit the width (a word wider than the line between characters); "&" underlines the
// next character (one per line, the last) and "&&" is one "&" unless DT_NOPREFIX; tabs expand to
// stops every 8 average character widths with DT_EXPANDTABS and are blanks without; DT_VCENTER
// and DT_BOTTOM apply to single lines; DT_END_ELLIPSIS shortens lines that do not fit (not with
// DT_WORDBREAK); without DT_NOCLIP the text is also clipped to the rectangle. With the background
// mode OPAQUE each line's extent is filled with the background colour first. With DT_CALCRECT
// nothing is drawn and the rectangle's right and bottom are set to fit the text. Returns the
// height of the text (0 for empty text), or, with DT_SINGLELINE and DT_VCENTER or DT_BOTTOM, the
// distance from the rectangle's top to the bottom of the text, as Windows does.
int DrawText(HDC dc, std::string_view text, TRect* rect, unsigned format);

// Text of a disabled control: the text in the highlight colour one pixel right and down, then in
// the shadow colour at its place. The context's background mode is left transparent.
void DrawDisabledText(HDC dc, std::string_view text, const TRect& rect, unsigned format);

}  // namespace platform
