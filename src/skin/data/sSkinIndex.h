#pragma once
// The look-ups of a loaded skin by name, built once when the skin is loaded: sections by name,
// masks and patterns by section and role, and each section's parent resolved to an index. The
// inheritance of masks, textures and patterns through ParentClass is resolved once per role the
// first time it is asked for and kept, so a look-up costs the same however long a skin's chains
// of parents are, and a cycle of parents is cut once rather than walked at every look-up.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/data/sMaskData.h"

namespace skin {

class TsSkinIndex {
 public:
  // Which table a look-up searches: all masks, texture masks only, or the JPEG patterns.
  enum TsTable : uint8_t { tMasks, tTextures, tPatterns };

  // Indexes the tables as they stand; they must not change until the next Build or Clear.
  void Build(const TsGeneralDataArray& sections, const TsMaskArray& masks,
             const TsPatternArray& patterns);
  void Clear();
  // The same tables, moved to another place (nothing while no index is built).
  void Rebind(const TsGeneralDataArray& sections) {
    if (sections_) sections_ = &sections;
  }

  // The first section with exactly that name; -1 when there is none.
  int Section(const std::string& name) const;
  // The first entry of table with exactly these names; -1 when there is none.
  int Find(TsTable table, const std::string& sectionName, const std::string& propertyName) const;
  // The first entry of table for section's own name or, failing that, for its parents' names in
  // turn (each section's ParentClass naming another section, followed until a section without
  // one, or until the chain comes back on itself); -1 when none has one or section is -1.
  int Inherited(TsTable table, int section, const std::string& propertyName) const;

 private:
  // Transparent hashing: look-ups by a name never copy it.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  using NameMap = std::unordered_map<std::string, int, NameHash, std::equal_to<>>;
  // Role name, then section name, to the first entry's index.
  using RoleMap = std::unordered_map<std::string, NameMap, NameHash, std::equal_to<>>;

  const TsGeneralDataArray* sections_ = nullptr;
  NameMap sectionByName_;
  std::vector<int> parent_;  // per section: the section its ParentClass names, or -1
  std::array<RoleMap, 3> roles_;
  // Per table and role: each section's inherited result once resolved (kUnresolved before).
  static constexpr int kUnresolved = -2;
  using InheritedMap = std::unordered_map<std::string, std::vector<int>, NameHash, std::equal_to<>>;
  mutable std::array<InheritedMap, 3> inherited_;
};

}  // namespace skin
