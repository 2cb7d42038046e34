#pragma once
// The keys of a skin section written as INI text, the way common sections and skin folders give
// them: one key per field of the section record, each with its default. A key the section does
// not give (or gives as an unreadable integer, or as -1) takes the parent record's value, and
// without a parent the default. Both kinds of INI skin text fill their records through here.

#include "skin/data/sIniText.h"
#include "skin/data/sMaskData.h"

namespace skin {

// The ranges the numbers of a section are kept in; a value beyond one is taken as its nearest end.
// Percentages and transparencies are shares of 100. A fade has at most 256 steps (its weights are
// 256ths, so more steps would repeat frames), and the fade intervals, which the fading does not
// use, are kept within a second.
struct TsSectionRanges {
  static constexpr int kMaxPercent = 100;
  static constexpr int kMaxFadingIterations = 256;
  static constexpr int kMaxFadingInterval = 1000;
};

struct TsSectionKeyRules {
  // Skin folders resolve a system colour given for COLOR to RGB (HOTCOLOR keeps it as written).
  bool resolveColor = false;
  // Skin folders read SHADOWCOLOR from the section alone, never from its parent.
  bool inheritShadowColor = true;
};

// Fills every field of d but SectionName and ParentClass from the keys of section, with parent
// (may be null) standing in for what the section does not give. BEVEL and HOTBEVEL outside 0 to 4
// draw no bevel; percentages, transparencies and fading values are kept in TsSectionRanges;
// gradient texts are parsed unless they are a single blank, and one that does not
// parse draws no gradient rather than failing the skin.
void ReadSectionKeys(TsGeneralData& d, const TsIniSection& section, const TsGeneralData* parent,
                     TsSectionKeyRules rules = {});

}  // namespace skin
