#pragma once
// Loading a skin: the mask table with the master bitmap, the pattern table and the section table,
// from a stored skin or a skin folder, each followed by what the common sections add, then the
// colour adjustment, the display's scale and the look-ups by name. A load builds new tables and
// hands them back whole; whoever holds the current ones adopts them only once the load has
// succeeded, so a load that fails leaves the current skin as it was.

#include <string>
#include <vector>

#include "skin/data/sIniText.h"
#include "skin/data/sSkinTables.h"

namespace skin {

class TsSkinFiles;
class TsStoredSkin;

// The skin information: where the current skin comes from, whether it is ready, and the
// skin-wide values of the stored skin.
struct TsSkinData {
  std::string SkinPath;  // folder of the current skin folder with a trailing "\", empty otherwise
  bool SkinReady = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color = 0;
  int32_t Shadow1Offset = 0;
  int32_t Shadow1Blur = -1;
  int32_t Shadow1Transparency = 0;
};

// What every load applies besides the skin itself.
struct TsSkinLoadOptions {
  // Extra sections added to every skin: sections, masks (a picture file, relative to the skin
  // folder, or a rectangle of the master bitmap) and JPEG patterns.
  TsIniText CommonSections;
  // The colour adjustment (degrees of hue; the saturation setting).
  int HueOffset = 0;
  int Saturation = 0;
  // The display's whole-number scale factor.
  int Scale = 1;
};

// A skin as a load made it: its tables (with their look-ups built; the common index cache is left
// to whoever adopts them), its skin-wide values (SkinPath: the skin folder, empty for a stored
// skin; SkinReady false) and, for a skin folder, one line for each picture it could not use.
struct TsLoadedSkin {
  TsSkinTables Tables;
  TsSkinData Info;
  std::vector<std::string> Notes;
};

// The stored skin's tables. Never raises for the skin's own data: a number that cannot be read
// ends its section record there.
TsLoadedSkin LoadStoredSkin(const TsStoredSkin& skin, const TsSkinLoadOptions& options);

// The skin folder's tables (skinPath ends with "/"). Raises platform::Exception when the folder
// cannot be used (TsSkinFolder says when).
TsLoadedSkin LoadFolderSkin(const TsSkinFiles& files, const std::string& skinPath,
                            const TsSkinLoadOptions& options);

}  // namespace skin
