#pragma once
// A skin as the generator defines it, before it is written: its section records, its pictures
// (placed in the master bitmap or standing alone), its masks naming those pictures, and its JPEG
// patterns. Layout places every picture of the master bitmap that has no fixed position.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/drawing/DIBitmap.h"

namespace skins {

// The values of one section record, named as the stored record names them.
struct Section {
  std::string SectionName;
  std::string ParentClass;
  int Color = 0;
  int Bevel = 0;
  int ShadowBlur = 6;
  int ShadowColor = 0;
  bool ShadowDontUse = false;
  bool ShadowEnabled = false;
  bool ReservedBoolean = false;
  int ShadowOffset = 3;
  int ShadowTransparency = 60;
  std::string FontColor = "0 -1 -1 -1 -1";
  std::string HotFontColor = "0 -1 -1 -1 -1";
  int Transparency = 0;
  int GradientPercent = 0;
  std::string GradientData = " ";
  int ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int FadingIntervalIn = 5;
  int FadingIntervalOut = 5;
  int FadingIterations = 5;
  int HotColor = 0;
  int HotTransparency = 0;
  int HotBevel = 0;
  int HotGradientPercent = 0;
  std::string HotGradientData = " ";
  int HotImagePercent = 0;
  int BorderColor1 = 0;
  int BorderColor2 = 0;
};

// A picture of state images, ready to be stored: `pixels` is 24-bit, magenta where transparent.
struct Picture {
  platform::DIBitmap pixels;
  int states = 1;
  int layers = 1;                      // 2: the lower half holds the transparency weights
  std::optional<platform::TPoint> at;  // fixed place in the master bitmap
  int areaWidth = 0;  // width the masks' rectangle spans when wider than the pixels (0: as wide)
  platform::TRect placed{};  // where layout put it
};

struct Mask {
  std::string SectionName;
  std::string PropertyName;
  std::string picture;  // key of a master picture, or the file name of an own picture
  bool own = false;
  int BorderWidth = 0;
  int StretchMode = 0;
  int ImgType = 0;  // 0 border, 1 texture, 2 glyph
  int WL = 0, WR = 0, WT = 0, WB = 0;
};

struct Pattern {
  std::string SectionName;
  std::string PropertyName;
  std::string Name;  // file name of the picture
  bool carriesData = false;
};

struct SkinDefinition {
  std::string Name;
  std::string folder;  // under resources/skins
  int masterWidth = 0, masterHeight = 0;
  std::vector<Section> sections{};
  std::map<std::string, Picture> pictures{};          // placed in the master bitmap, by key
  std::map<std::string, Picture> ownPictures{};       // by file name
  std::map<std::string, platform::DIBitmap> jpegs{};  // by file name
  std::vector<Mask> masks{};
  std::vector<Pattern> patterns{};
  int Shadow1Color = 0, Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  double Version = 4.83;
  std::string Author;
  std::string Description;
};

// Places every picture without a fixed place into the free area of the master bitmap, largest
// first, keeping one clear pixel around each; raises std::runtime_error naming the picture that
// does not fit. Fixed pictures must lie inside the bitmap.
void Layout(SkinDefinition& skin);
// The master bitmap with every picture drawn at its place and magenta elsewhere.
platform::DIBitmap ComposeMaster(const SkinDefinition& skin);
// The rectangle a mask names: its picture's place (master pictures) or (0, 0, width, height).
platform::TRect MaskRect(const SkinDefinition& skin, const Mask& mask);
const Picture& MaskPicture(const SkinDefinition& skin, const Mask& mask);

SkinDefinition BlueIce();
SkinDefinition BlueGauze();
SkinDefinition BluePlastic();

}  // namespace skins
