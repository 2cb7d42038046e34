#pragma once
// The runtime records the skin manager builds when it loads a skin: one section record per skin
// section (TsGeneralData), one mask record per picture with a role (TsMaskData) and one pattern
// record per JPEG background (TsPatternData). Everything that paints reads these tables, by index;
// -1 means none, and indices hold until the next skin-loaded or skin-removed announcement.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JPEGImage.h"
#include "platform/Types.h"
#include "platform/drawing/Colors.h"
#include "skin/data/sGradientData.h"

namespace skin {

using platform::TColor;

class TsSkinTables;

enum TsControlBevel : uint8_t { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };

// How a mask's picture is drawn: a nine-part border, a texture, or a glyph drawn whole.
enum TacImgType : uint8_t { itisaBorder, itisaTexture, itisaGlyph };

// Text colour and the colours of the four one-pixel outline copies (left, top, right, bottom);
// -1 means no outline on that side.
using TsFontColors = std::array<int32_t, 5>;

// What a skin section says, as a stored skin keeps it and as the section record built from it
// holds it: the fields both share, defined once.
struct TsSectionFields {
  std::string SectionName;  // as stored, not case-converted
  std::string ParentClass;
  TColor Color = 0;
  TsControlBevel Bevel = cbNone;
  int32_t ShadowBlur = 0;
  TColor ShadowColor = 0;
  bool ShadowEnabled = false;
  bool ReservedBoolean = false;
  int32_t ShadowOffset = 0;
  int32_t ShadowTransparency = 0;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  std::string GradientData;
  int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int32_t FadingIntervalIn = 0;
  int32_t FadingIntervalOut = 0;
  int32_t FadingIterations = 0;
  TColor HotColor = 0;
  int32_t HotTransparency = 0;
  TsControlBevel HotBevel = cbNone;
  int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  int32_t HotImagePercent = 0;
  TColor BorderColor1 = 0;
  TColor BorderColor2 = 0;
};

// A section record: the section's fields, with its font colours and gradients read.
struct TsGeneralData : TsSectionFields {
  TsFontColors FontColor{};
  TsFontColors HotFontColor{};
  TsGradArray GradientArray;
  TsGradArray HotGradientArray;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// True when the section paints a gradient or a texture over its colour (either share above 0).
// Summed wide: a stored description may hold any 32-bit share.
inline bool HasPatternShares(const TsSectionFields& d) {
  return int64_t{d.GradientPercent} + d.ImagePercent > 0;
}

// A picture with a role in a section. R is the picture's area: inside the master bitmap of the
// tables that hold the mask, or (0, 0, width, height) of Bmp when the mask has a picture of its
// own. R holds ImageCount state images side by side; with MaskType 1 its lower half holds their
// transparency masks.
struct TsMaskData {
  std::unique_ptr<framework::TBitmap> Bmp;  // own 24-bit picture, or none
  std::string SectionName;                  // upper case
  std::string PropertyName;                 // upper case: "BORDERSMASK", "PATTERN", ...
  platform::TRect R;
  int16_t ImageCount = 0;  // at least 1 once loaded
  int16_t MaskType = 0;    // 0 or 1 once loaded
  int16_t BorderWidth = 0;
  int16_t DrawMode = 0;
  TacImgType ImgType = itisaBorder;
  // The tables that hold this mask, whose master bitmap holds its picture unless it has its own;
  // a mask of no tables is not painted.
  const TsSkinTables* Tables = nullptr;
  int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};

// The margin of one side of a mask's nine-part picture: the side's own width (`own`) when it gives
// one, else the border width, else a third of one state image across (left, right) or of one
// layer down (top, bottom). Loading fills margins by it and the tables answer with it.
// The extent is taken in 64 bits: a rectangle a skin folder gives may span more than a 32-bit
// width; a third of it always fits.
inline int MaskMargin(const TsMaskData& m, int own, bool horizontal) {
  if (own > 0) return own;
  if (m.BorderWidth > 0) return m.BorderWidth;
  if (horizontal)
    return m.ImageCount > 0
               ? static_cast<int>((int64_t{m.R.Right} - m.R.Left) / (int64_t{m.ImageCount} * 3))
               : 0;
  return m.MaskType >= 0
             ? static_cast<int>((int64_t{m.R.Bottom} - m.R.Top) / ((int64_t{m.MaskType} + 1) * 3))
             : 0;
}
using TsMaskArray = std::vector<TsMaskData>;

struct TsPatternData {
  std::unique_ptr<framework::TJPEGImage> Img;  // never null in a loaded table; may be empty
  std::string SectionName;                     // upper case
  std::string PropertyName;                    // "PATTERN" or "HOTPATTERN"
};
using TsPatternArray = std::vector<TsPatternData>;

}  // namespace skin
