#pragma once
// The tables of a loaded skin: the section table, the mask table with the master bitmap, the
// pattern table, the look-ups by name built over them and the common index cache. The loaders
// build them and the skin manager adopts them; everything that paints reads them, and needs
// nothing else of the manager to find a section, a mask or a pattern.
//
// Indices are positions in the tables (-1: none) and hold until the tables are built again or
// emptied, which the manager announces. Look-ups never raise; anything not found gives -1.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sSkinIndex.h"

namespace skin {

// Section and mask indices of one kind of control part, kept for the controls that share them;
// -1 when the skin has no such item.
struct TsPartIndices {
  int16_t Section = -1;
  int16_t BorderMask = -1;
  int16_t GlyphMask = -1;
  int16_t Pattern = -1;
  int16_t HotPattern = -1;
};

// The common index cache. Indices are 16-bit; one that does not fit is kept as -1.
struct TsCommonIndices {
  int16_t GlobalInfo = -1;  // the GLOBALINFO section; its glyphs below (-1 without it)
  int16_t BoxChecked = -1, BoxUnchecked = -1, BoxGrayed = -1;
  int16_t RadioChecked = -1, RadioUnchecked = -1, RadioGrayed = -1;
  int16_t SmallChecked = -1, SmallUnchecked = -1, SmallGrayed = -1;
  // COMBOBTN with its "BORDERSMASK" (exact) and its "PATTERN"/"HOTPATTERN" textures; the
  // "GLYPHMASK" of COMBOBOX (exact) in GlyphMask.
  TsPartIndices ComboButton;
  // TABTOP, TABBOTTOM, TABLEFT, TABRIGHT with their "BORDERSMASK".
  std::array<TsPartIndices, 4> Tabs;
  // SCROLLBTNTOP, SCROLLBTNBOTTOM, SCROLLBTNLEFT, SCROLLBTNRIGHT, SCROLLSLIDERV, SCROLLSLIDERH with
  // their "BORDERSMASK", "GLYPHMASK", "PATTERN" and "HOTPATTERN" masks.
  std::array<TsPartIndices, 6> ScrollParts;
  // SCROLLBAR1H, SCROLLBAR1V, SCROLLBAR2H, SCROLLBAR2V with "BORDERSMASK", "PATTERN", "HOTPATTERN".
  std::array<TsPartIndices, 4> ScrollBars;
};

class TsSkinTables {
 public:
  TsSkinTables() = default;
  // Every mask of the tables refers to them, so they are never copied. A move takes everything
  // (the look-ups too) and points the masks at their new place; what was moved from is empty.
  TsSkinTables(const TsSkinTables&) = delete;
  TsSkinTables& operator=(const TsSkinTables&) = delete;
  TsSkinTables(TsSkinTables&& other) noexcept;
  TsSkinTables& operator=(TsSkinTables&&) = delete;

  // Takes the tables and look-ups of a load in place of these (which are freed), where they
  // stand: whatever points at these tables now reads the loaded ones. The common index cache
  // stays as it is until RebuildCommonIndices, as with Clear.
  void Adopt(TsSkinTables&& loaded) noexcept;

  // ---- the tables, as the loaders fill them

  TsGeneralDataArray Sections;
  TsMaskArray Masks;  // each with Tables pointing here
  TsPatternArray Patterns;
  // The 24-bit master bitmap (transparent colour magenta); nullptr while no skin is loaded.
  std::unique_ptr<framework::TBitmap> MasterBitmap;

  // Once the tables are filled: the look-ups by name over them as they now stand. The tables must
  // not change afterwards until the next Clear.
  void BuildIndex();
  // Every table emptied, the master bitmap freed and the look-ups dropped. The common index cache
  // stays as it is until RebuildCommonIndices: a skin loaded again from the same data keeps its
  // indices, and the manager rebuilds the cache when it announces the skin.
  void Clear();
  // The common index cache from the tables as they stand (all -1 while they are empty).
  void RebuildCommonIndices();
  const TsCommonIndices& CommonIndices() const { return commonIndices_; }

  // ---- look-ups

  // The first section whose name equals name exactly (letter case counts).
  int FindSection(const std::string& name) const;
  bool IsValidSectionIndex(int index) const;
  bool IsValidMaskIndex(int index) const;
  bool IsValidPatternIndex(int index) const;
  // The record at index; nullptr for an invalid index.
  const TsGeneralData* Section(int index) const;
  const TsMaskData* Mask(int index) const;
  const TsPatternData* Pattern(int index) const;
  // The first mask of sectionName with that role; when there is none, the same look-up in the
  // section's ParentClass (followed as long as there are parents, cycles cut). -1 when
  // sectionIndex is negative or sectionName empty.
  int FindMask(int sectionIndex, const std::string& sectionName,
               const std::string& propertyName) const;
  // The first mask with both names; no inheritance.
  int FindMaskExact(const std::string& sectionName, const std::string& propertyName) const;
  // As FindMask, among texture masks only.
  int FindTexture(int sectionIndex, const std::string& sectionName,
                  const std::string& propertyName) const;
  // As FindMask, over the JPEG patterns.
  int FindPattern(int sectionIndex, const std::string& sectionName,
                  const std::string& propertyName) const;
  // The widths of a mask's border parts (MaskMargin's rule); 0 for an invalid index.
  int MarginLeft(int maskIndex) const;
  int MarginTop(int maskIndex) const;
  int MarginRight(int maskIndex) const;
  int MarginBottom(int maskIndex) const;
  // Color (FontColor[0]) of GLOBALINFO, found through the common index cache, as RGB; the
  // button-face colour (magenta) without one.
  TColor GlobalBackgroundColor() const;
  TColor GlobalTextColor() const;

 private:
  void TakeTables(TsSkinTables& other) noexcept;
  int FindInherited(TsSkinIndex::TsTable table, int sectionIndex, const std::string& sectionName,
                    const std::string& propertyName) const;

  TsSkinIndex index_;
  TsCommonIndices commonIndices_;
};

}  // namespace skin
