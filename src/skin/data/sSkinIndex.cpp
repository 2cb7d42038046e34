#include "skin/data/sSkinIndex.h"

namespace skin {

void TsSkinIndex::Build(const TsGeneralDataArray& sections, const TsMaskArray& masks,
                        const TsPatternArray& patterns) {
  Clear();
  sections_ = &sections;
  sectionByName_.reserve(sections.size());
  for (size_t i = 0; i < sections.size(); ++i)
    sectionByName_.try_emplace(sections[i].SectionName, static_cast<int>(i));
  // A section naming itself has no parent; one naming a section that does not exist neither.
  parent_.assign(sections.size(), -1);
  for (size_t i = 0; i < sections.size(); ++i) {
    const TsGeneralData& d = sections[i];
    if (!d.ParentClass.empty() && d.ParentClass != d.SectionName)
      parent_[i] = Section(d.ParentClass);
  }
  for (size_t i = 0; i < masks.size(); ++i) {
    const TsMaskData& m = masks[i];
    roles_[tMasks][m.PropertyName].try_emplace(m.SectionName, static_cast<int>(i));
    if (m.ImgType == itisaTexture)
      roles_[tTextures][m.PropertyName].try_emplace(m.SectionName, static_cast<int>(i));
  }
  for (size_t i = 0; i < patterns.size(); ++i)
    roles_[tPatterns][patterns[i].PropertyName].try_emplace(patterns[i].SectionName,
                                                            static_cast<int>(i));
}

void TsSkinIndex::Clear() {
  sections_ = nullptr;
  sectionByName_.clear();
  parent_.clear();
  for (RoleMap& roles : roles_) roles.clear();
  for (auto& inherited : inherited_) inherited.clear();
}

int TsSkinIndex::Section(const std::string& name) const {
  const auto found = sectionByName_.find(name);
  return found == sectionByName_.end() ? -1 : found->second;
}

int TsSkinIndex::Find(TsTable table, const std::string& sectionName,
                      const std::string& propertyName) const {
  const auto role = roles_[table].find(propertyName);
  if (role == roles_[table].end()) return -1;
  const auto found = role->second.find(sectionName);
  return found == role->second.end() ? -1 : found->second;
}

int TsSkinIndex::Inherited(TsTable table, int section, const std::string& propertyName) const {
  if (!sections_ || section < 0 || static_cast<size_t>(section) >= parent_.size()) return -1;
  auto known = inherited_[table].find(propertyName);
  if (known == inherited_[table].end())
    known = inherited_[table].try_emplace(propertyName, parent_.size(), kUnresolved).first;
  std::vector<int>& results = known->second;
  if (results[static_cast<size_t>(section)] != kUnresolved)
    return results[static_cast<size_t>(section)];

  // Walk up until a section that has the entry, one resolved before, the top of the chain, or a
  // section already on this walk (a cycle, in which none has it); every section walked over then
  // shares the answer.
  constexpr int kOnWalk = -3;
  std::vector<int> walked;
  int result = -1;
  for (int at = section; at >= 0; at = parent_[static_cast<size_t>(at)]) {
    const int seen = results[static_cast<size_t>(at)];
    if (seen == kOnWalk) break;
    if (seen != kUnresolved) {
      result = seen;
      break;
    }
    if (const int own =
            Find(table, (*sections_)[static_cast<size_t>(at)].SectionName, propertyName);
        own >= 0) {
      result = own;
      walked.push_back(at);
      break;
    }
    results[static_cast<size_t>(at)] = kOnWalk;
    walked.push_back(at);
  }
  for (const int at : walked) results[static_cast<size_t>(at)] = result;
  return result;
}

}  // namespace skin
