#pragma once
// Mask descriptions written as text, as skin folders and common sections give them, and the rules
// every mask record shares however it was described: state counts, margins, 16-bit fields.
//
// The forms of a folder's value, recognised in this order:
//   "!"  a picture file with parameters: "!NAME.BMP!ImageCount!MaskType!ImgType[!WL!WT!WR!WB]"
//   "@"  a glyph in the master bitmap, in fixed columns
//   "^"  a border in the master bitmap, in fixed columns
//   "~"  a texture in the master bitmap, in fixed columns
//   no "#": a picture file, when the upper-cased value holds ".BMP"
//   "#" (but not "#" alone): a rectangle of the master bitmap, "#(L,T,R,B)(ImageCount,MaskType,
//        BorderWidth,DrawMode)"
// Fixed columns are 1-based character positions holding decimal numbers, right-aligned.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skin/data/sMaskData.h"

namespace skin {

enum TsMaskForm : uint8_t {
  mfNone,
  mfPictureWithParams,  // "!"
  mfGlyph,              // at sign
  mfBorder,             // "^"
  mfTexture,            // "~"
  mfPictureFile,        // a .BMP file name
  mfRectangle,          // "#"
};

// The form of a folder's value; mfNone for an empty value, "#" alone, and a value without "#"
// that names no ".BMP" file.
TsMaskForm MaskFormOf(std::string_view value);

// A value of the skin records clamped into 16 bits, and at least low.
int16_t Clamp16(int value, int low = INT16_MIN);

// Sets ImageCount and MaskType from a description's numbers: 0 states mean three with a mask
// band; counts below 0 and mask types other than 0 and 1 mean nothing and are clamped, so that
// the margin rule and the painters never divide by zero.
void SetStates(TsMaskData& m, int imageCount, int maskType);

// Margins of a nine-part picture that gives none, by the one margin rule (MaskMargin).
void DefaultMargins(TsMaskData& m);

// "#" form: R, states, border width and draw mode ("PATTERN" and "HOTPATTERN" are textures drawn
// in mode 0, other roles borders in the given mode, 1 without one), margins by DefaultMargins.
// PropertyName must be set first. False when the rectangle cannot be read.
bool ReadRectangleForm(std::string_view value, TsMaskData& m);

// The fixed-column forms: R, states and the rest from the columns; a column that is not a number
// raises framework::EConvertError. Names are left to the caller.
void ReadGlyphForm(std::string_view value, TsMaskData& m);
void ReadBorderForm(std::string_view value, TsMaskData& m);
void ReadTextureForm(std::string_view value, TsMaskData& m);

// "!" form, read before its picture: the file name (which holds ".BMP" in capitals), the numbers,
// and the margins when given (five words or more). A word that is not a number raises
// framework::EConvertError.
struct TsPictureParams {
  std::string FileName;
  int ImageCount = 0;
  int MaskType = 0;
  int ImgType = 0;
  std::optional<std::array<int, 4>> Margins;  // WL, WT, WR, WB
};
std::optional<TsPictureParams> ReadPictureParams(std::string_view value);

}  // namespace skin
