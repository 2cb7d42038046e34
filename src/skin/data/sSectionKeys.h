#pragma once
// The keys of a skin section written as INI text, the way common sections and skin folders give
// them: one key per field of the section record, each with its default. A key the section does
// not give (or gives as an unreadable integer, or as -1) takes the parent record's value, and
// without a parent the default. Both kinds of INI skin text fill their records through here.

#include "skin/data/sIniText.h"
#include "skin/data/sMaskData.h"

namespace skin {

struct TsSectionKeyRules {
  // Skin folders resolve a system colour given for COLOR to RGB (HOTCOLOR keeps it as written).
  bool resolveColor = false;
  // Skin folders read SHADOWCOLOR from the section alone, never from its parent.
  bool inheritShadowColor = true;
};

// Fills every field of d but SectionName and ParentClass from the keys of section, with parent
// (may be null) standing in for what the section does not give. BEVEL and HOTBEVEL outside 0 to 4
// draw no bevel; gradient texts are parsed unless they are a single blank, and one that does not
// parse draws no gradient rather than failing the skin.
void ReadSectionKeys(TsGeneralData& d, const TsIniSection& section, const TsGeneralData* parent,
                     TsSectionKeyRules rules = {});

}  // namespace skin
