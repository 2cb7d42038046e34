#include "skin/data/sSkinTables.h"

#include <limits>

namespace skin {

namespace {

int16_t CacheIndex(int index) {
  return index >= 0 && index <= std::numeric_limits<int16_t>::max() ? static_cast<int16_t>(index)
                                                                    : int16_t{-1};
}

template <typename Table>
auto At(const Table& table, int index) -> decltype(&table[0]) {
  return index >= 0 && static_cast<size_t>(index) < table.size()
             ? &table[static_cast<size_t>(index)]
             : nullptr;
}

}  // namespace

TsSkinTables::TsSkinTables(TsSkinTables&& other) noexcept : commonIndices_(other.commonIndices_) {
  TakeTables(other);
}

void TsSkinTables::Adopt(TsSkinTables&& loaded) noexcept {
  if (&loaded != this) TakeTables(loaded);
}

void TsSkinTables::TakeTables(TsSkinTables& other) noexcept {
  Sections = std::move(other.Sections);
  Masks = std::move(other.Masks);
  Patterns = std::move(other.Patterns);
  MasterBitmap = std::move(other.MasterBitmap);
  for (TsMaskData& m : Masks) m.Tables = this;
  index_ = std::move(other.index_);
  index_.Rebind(Sections);
  other.Clear();
}

void TsSkinTables::BuildIndex() { index_.Build(Sections, Masks, Patterns); }

void TsSkinTables::Clear() {
  index_.Clear();
  Masks.clear();
  MasterBitmap.reset();
  Patterns.clear();
  Sections.clear();
}

void TsSkinTables::RebuildCommonIndices() {
  TsCommonIndices c;
  c.GlobalInfo = CacheIndex(FindSection("GLOBALINFO"));
  if (c.GlobalInfo >= 0) {
    auto glyph = [&](const char* role) {
      return CacheIndex(FindMask(c.GlobalInfo, "GLOBALINFO", role));
    };
    c.BoxChecked = glyph("BOXCHECKED");
    c.BoxUnchecked = glyph("BOXUNCHECKED");
    c.BoxGrayed = glyph("BOXGRAYED");
    c.RadioChecked = glyph("RADIOCHECKED");
    c.RadioUnchecked = glyph("RADIOUNCHECKED");
    c.RadioGrayed = glyph("RADIOGRAYED");
    c.SmallChecked = glyph("SMALLCHECKED");
    c.SmallUnchecked = glyph("SMALLUNCHECKED");
    c.SmallGrayed = glyph("SMALLGRAYED");
  }

  c.ComboButton.Section = CacheIndex(FindSection("COMBOBTN"));
  c.ComboButton.BorderMask = CacheIndex(FindMaskExact("COMBOBTN", "BORDERSMASK"));
  c.ComboButton.Pattern = CacheIndex(FindTexture(c.ComboButton.Section, "COMBOBTN", "PATTERN"));
  c.ComboButton.HotPattern =
      CacheIndex(FindTexture(c.ComboButton.Section, "COMBOBTN", "HOTPATTERN"));
  c.ComboButton.GlyphMask = CacheIndex(FindMaskExact("COMBOBOX", "GLYPHMASK"));

  // Besides its "BORDERSMASK", which masks of a part are kept.
  enum TsPartMasks : unsigned { pmBorderOnly = 0, pmGlyph = 1 << 0, pmPatterns = 1 << 1 };
  auto part = [&](const std::string& name, unsigned masks) {
    TsPartIndices p;
    p.Section = CacheIndex(FindSection(name));
    p.BorderMask = CacheIndex(FindMask(p.Section, name, "BORDERSMASK"));
    if (masks & pmGlyph) p.GlyphMask = CacheIndex(FindMask(p.Section, name, "GLYPHMASK"));
    if (masks & pmPatterns) {
      p.Pattern = CacheIndex(FindMask(p.Section, name, "PATTERN"));
      p.HotPattern = CacheIndex(FindMask(p.Section, name, "HOTPATTERN"));
    }
    return p;
  };
  const char* tabs[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (size_t i = 0; i < c.Tabs.size(); ++i) c.Tabs[i] = part(tabs[i], pmBorderOnly);
  const char* scrollParts[] = {"SCROLLBTNTOP",   "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                               "SCROLLBTNRIGHT", "SCROLLSLIDERV",   "SCROLLSLIDERH"};
  for (size_t i = 0; i < c.ScrollParts.size(); ++i)
    c.ScrollParts[i] = part(scrollParts[i], pmGlyph | pmPatterns);
  const char* scrollBars[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (size_t i = 0; i < c.ScrollBars.size(); ++i)
    c.ScrollBars[i] = part(scrollBars[i], pmPatterns);
  commonIndices_ = c;
}

// ---- look-ups
// ------------------------------------------------------------------------------------

int TsSkinTables::FindSection(const std::string& name) const { return index_.Section(name); }

bool TsSkinTables::IsValidSectionIndex(int index) const { return Section(index) != nullptr; }
bool TsSkinTables::IsValidMaskIndex(int index) const { return Mask(index) != nullptr; }
bool TsSkinTables::IsValidPatternIndex(int index) const { return Pattern(index) != nullptr; }

const TsGeneralData* TsSkinTables::Section(int index) const { return At(Sections, index); }
const TsMaskData* TsSkinTables::Mask(int index) const { return At(Masks, index); }
const TsPatternData* TsSkinTables::Pattern(int index) const { return At(Patterns, index); }

// The entry of the section's own name or, failing that, of its parent classes in turn. The first
// step compares the parent with the name the caller gave (which need not be the section's own);
// from the parent on, the chain is the one the index resolved at load, cycles cut.
int TsSkinTables::FindInherited(TsSkinIndex::TsTable table, int sectionIndex,
                                const std::string& sectionName,
                                const std::string& propertyName) const {
  if (sectionIndex < 0 || sectionName.empty()) return -1;
  if (const int own = index_.Find(table, sectionName, propertyName); own >= 0) return own;
  const TsGeneralData* section = Section(sectionIndex);
  if (!section) return -1;
  const std::string& parent = section->ParentClass;
  if (parent.empty() || parent == sectionName) return -1;
  return index_.Inherited(table, index_.Section(parent), propertyName);
}

int TsSkinTables::FindMask(int sectionIndex, const std::string& sectionName,
                           const std::string& propertyName) const {
  return FindInherited(TsSkinIndex::tMasks, sectionIndex, sectionName, propertyName);
}

int TsSkinTables::FindMaskExact(const std::string& sectionName,
                                const std::string& propertyName) const {
  if (sectionName.empty()) return -1;
  return index_.Find(TsSkinIndex::tMasks, sectionName, propertyName);
}

int TsSkinTables::FindTexture(int sectionIndex, const std::string& sectionName,
                              const std::string& propertyName) const {
  if (Masks.empty()) return -1;
  return FindInherited(TsSkinIndex::tTextures, sectionIndex, sectionName, propertyName);
}

int TsSkinTables::FindPattern(int sectionIndex, const std::string& sectionName,
                              const std::string& propertyName) const {
  if (Patterns.empty()) return -1;
  return FindInherited(TsSkinIndex::tPatterns, sectionIndex, sectionName, propertyName);
}

int TsSkinTables::MarginLeft(int maskIndex) const {
  const TsMaskData* m = Mask(maskIndex);
  return m ? MaskMargin(*m, m->WL, true) : 0;
}

int TsSkinTables::MarginRight(int maskIndex) const {
  const TsMaskData* m = Mask(maskIndex);
  return m ? MaskMargin(*m, m->WR, true) : 0;
}

int TsSkinTables::MarginTop(int maskIndex) const {
  const TsMaskData* m = Mask(maskIndex);
  return m ? MaskMargin(*m, m->WT, false) : 0;
}

int TsSkinTables::MarginBottom(int maskIndex) const {
  const TsMaskData* m = Mask(maskIndex);
  return m ? MaskMargin(*m, m->WB, false) : 0;
}

TColor TsSkinTables::GlobalBackgroundColor() const {
  const TsGeneralData* global = Section(commonIndices_.GlobalInfo);
  return global ? platform::ColorToRGB(global->Color) : platform::ColorToRGB(platform::clBtnFace);
}

TColor TsSkinTables::GlobalTextColor() const {
  const TsGeneralData* global = Section(commonIndices_.GlobalInfo);
  return global ? platform::ColorToRGB(global->FontColor[0]) : platform::clFuchsia;
}

}  // namespace skin
