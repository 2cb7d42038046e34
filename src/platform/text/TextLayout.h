#pragma once
// Laying text out for DrawText: prefix characters, line ends, word breaks, tab stops and the end
// ellipsis, given only the advance of each character. Knows nothing of pixels or surfaces, so the
// same layout serves measuring (DT_CALCRECT) and drawing.

#include <string_view>
#include <vector>

namespace platform {

// What layout needs to know of a font.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // How far the pen moves after the character; a tab moves by a blank.
  virtual int Advance(char32_t ch) const = 0;
  // The average character width that tab stops are counted in.
  virtual int AverageCharWidth() const = 0;
  // The height of one line.
  virtual int LineHeight() const = 0;
  // The advances of the printable ASCII characters, " " (U+0020) to "~" (U+007E), or nullptr: long
  // runs of plain text are then measured by table instead of character by character.
  virtual const int* AsciiAdvances() const { return nullptr; }
};

constexpr char32_t kFirstPlainAscii = U' ';
constexpr char32_t kLastPlainAscii = U'~';

// Pen positions never go beyond this, however long the text: widths stay far from overflowing.
constexpr int kMaxTextExtent = 1 << 28;

struct PlacedChar {
  char32_t Char = 0;
  int X = 0;  // pen position from the start of the line
};

struct TextLine {
  std::vector<PlacedChar> Chars;
  int Width = 0;
  // Index in Chars of the character that a prefix "&" marks for underlining, -1 for none. One per
  // line: when a line holds several, the last one wins.
  int Underlined = -1;
};

struct TextLayout {
  std::vector<TextLine> Lines;
  int Width = 0;   // of the widest line
  int Height = 0;  // lines times the line height
};

// The part of the text's rectangle that can be seen, relative to the top-left of the first line;
// through an empty one nothing is measured (the lines' widths are 0) unless widths are asked for.
// Lines outside it keep their widths but no characters, and a line keeps only the characters whose
// cells (widened by Reach on each side, for ink beyond the cell) can fall inside it. Lines broken
// at blanks are placed whole.
struct TextViewport {
  int Left = -kMaxTextExtent;
  int Top = -kMaxTextExtent;
  int Right = kMaxTextExtent;
  int Bottom = kMaxTextExtent;
  int Reach = 0;
};

// The lines of the UTF-8 text (a byte that is not valid UTF-8 is its Latin-1 character) for a
// rectangle of the given width, under DrawText's formats (DT_* of Font.h): DT_SINGLELINE (line ends
// are dropped), DT_WORDBREAK (lines broken at blanks to fit maxWidth; a word wider than that is
// broken between characters), DT_EXPANDTABS (stops every eight average widths; otherwise a tab is a
// blank), DT_NOPREFIX (otherwise "&" marks the next character, "&&" is one "&" and a trailing "&"
// is dropped) and DT_END_ELLIPSIS (a line that does not fit loses characters at its end and gains
// "..."; ignored with DT_WORDBREAK). CR LF, LF and CR each end a line; a line end at the very end
// of the text does not start another line. DT_CENTER and DT_RIGHT place each line within maxWidth
// when a viewport is given.
//
// Lines not broken at blanks are measured without keeping their characters, and only those that
// can be seen through the viewport are placed (none under DT_CALCRECT, which asks for the sizes
// alone): laying out a line of many megabytes costs one pass over its bytes and the memory of what
// shows.
TextLayout LayOutText(std::string_view text, unsigned format, int maxWidth,
                      const TextMeasure& measure, const TextViewport& viewport = {});

}  // namespace platform
