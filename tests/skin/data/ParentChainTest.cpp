// Masks, textures and patterns found through ParentClass: on skins whose parents form any graph
// (chains, cycles, sections naming themselves or nothing that exists, names given twice) every
// look-up gives what walking the parents one by one gives; and a chain of thousands of sections
// costs each look-up no more than a short one.

#include <functional>
#include <random>
#include <string>

#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

// The walk look-ups are defined by: the entry of the given name, else of the section's parent
// (when it is not the name itself), found by a search of the table, and so on.
int Walk(const TsSkinManager& m, int index, std::string name,
         const std::function<bool(const std::string& section)>& has) {
  const TsGeneralDataArray& sections = m.Tables().Sections;
  for (size_t step = 0; step <= sections.size(); ++step) {
    if (index < 0 || name.empty()) return -1;
    if (has(name)) return 1;
    if (!m.Tables().IsValidSectionIndex(index)) return -1;
    const std::string parent = sections[static_cast<size_t>(index)].ParentClass;
    if (parent.empty() || parent == name) return -1;
    index = -1;
    for (size_t i = 0; i < sections.size() && index < 0; ++i)
      if (sections[i].SectionName == parent) index = static_cast<int>(i);
    name = parent;
  }
  return -1;
}

// The first entry of a table whose names match; -1 when none.
template <typename Table, typename Accept>
int First(const Table& table, const std::string& section, const std::string& role, Accept accept) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].SectionName == section && table[i].PropertyName == role && accept(table[i]))
      return static_cast<int>(i);
  return -1;
}

// What the walk finds, as an index: the entry of the first name along it that has one.
template <typename Table, typename Accept>
int Expected(const TsSkinManager& m, int index, const std::string& name, const std::string& role,
             const Table& table, Accept accept) {
  std::string hit;
  const int found = Walk(m, index, name, [&](const std::string& section) {
    if (First(table, section, role, accept) < 0) return false;
    hit = section;
    return true;
  });
  return found < 0 ? -1 : First(table, hit, role, accept);
}

using ParentChainTest = SkinTest;

TEST_F(ParentChainTest, LookUpsGiveWhatWalkingTheParentsGivesOnAnyGraph) {
  std::mt19937 random(27);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    TsSkinManager manager(nullptr);
    TsStoredSkin* skin = AddTestSkin(&manager, "Graph");
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Names repeat (the first wins), parents name sections that exist, do not, or themselves.
    for (int i = 0; i < 120; ++i) {
      const std::string name = "S" + std::to_string(pick(80));
      const int kind = pick(10);
      const std::string parent = kind == 0 ? "" : kind == 1 ? name : "S" + std::to_string(pick(90));
      AddSection(skin, name, parent);
    }
    for (int i = 0; i < 40; ++i) {
      const std::string section = "S" + std::to_string(pick(90));
      AddMask(skin, section, pick(2) ? "BORDERSMASK" : "PATTERN", {0, 0, 12, 8}, 1, 0, 0,
              pick(3) ? itisaBorder : itisaTexture);
      if (pick(4) == 0) AddPattern(skin, section, pick(2) ? "PATTERN" : "HOTPATTERN", "BG.JPG");
    }
    manager.SetSkinName("Graph");
    ASSERT_GT(manager.Tables().Sections.size(), 120u);

    const auto any = [](const auto&) { return true; };
    const auto textures = [](const TsMaskData& m) { return m.ImgType == itisaTexture; };
    for (int index = -1; index <= static_cast<int>(manager.Tables().Sections.size()); ++index) {
      // The section's own name, and a name the caller gives that is not the section's.
      const std::string own =
          manager.Tables().IsValidSectionIndex(index)
              ? manager.Tables().Sections[static_cast<size_t>(index)].SectionName
              : "S1";
      for (const std::string& name : {own, std::string("S") + std::to_string(pick(90))}) {
        for (const char* role : {"BORDERSMASK", "PATTERN", "HOTPATTERN"}) {
          ASSERT_EQ(manager.Tables().FindMask(index, name, role),
                    Expected(manager, index, name, role, manager.Tables().Masks, any))
              << index << " " << name << " " << role;
          ASSERT_EQ(manager.Tables().FindTexture(index, name, role),
                    Expected(manager, index, name, role, manager.Tables().Masks, textures))
              << index << " " << name << " " << role;
          ASSERT_EQ(manager.Tables().FindPattern(index, name, role),
                    Expected(manager, index, name, role, manager.Tables().Patterns, any))
              << index << " " << name << " " << role;
        }
      }
      if (manager.Tables().IsValidSectionIndex(index)) {
        int first = 0;
        while (manager.Tables().Sections[static_cast<size_t>(first)].SectionName != own) ++first;
        ASSERT_EQ(manager.Tables().FindSection(own), first);
      }
    }
  }
}

TEST_F(ParentChainTest, AChainOfThousandsOfSectionsIsResolvedOnceNotAtEveryLookUp) {
  // Each section inherits from the next; only the last has a border mask, and a second chain
  // closes on itself. A look-up from every section of both walks the whole chain if nothing is
  // kept between look-ups: millions of steps, each a search of the table.
  constexpr int kLength = 4000;
  TsSkinManager manager(nullptr);
  TsStoredSkin* skin = AddTestSkin(&manager, "Chain");
  for (int i = 0; i < kLength; ++i) {
    AddSection(skin, "C" + std::to_string(i), "C" + std::to_string(i + 1));
    AddSection(skin, "L" + std::to_string(i), "L" + std::to_string((i + 1) % kLength));
  }
  AddSection(skin, "C" + std::to_string(kLength));
  AddMask(skin, "C" + std::to_string(kLength), "BORDERSMASK", {0, 0, 12, 8}, 1, 0, 0);
  manager.SetSkinName("Chain");
  const int mask = manager.Tables().FindMaskExact("C" + std::to_string(kLength), "BORDERSMASK");
  ASSERT_GE(mask, 0);
  for (int i = 0; i < kLength; ++i) {
    const std::string chained = "C" + std::to_string(i);
    const std::string looped = "L" + std::to_string(i);
    ASSERT_EQ(
        manager.Tables().FindMask(manager.Tables().FindSection(chained), chained, "BORDERSMASK"),
        mask)
        << i;
    ASSERT_EQ(
        manager.Tables().FindMask(manager.Tables().FindSection(looped), looped, "BORDERSMASK"), -1)
        << i;
    ASSERT_EQ(manager.Tables().FindTexture(manager.Tables().FindSection(looped), looped, "PATTERN"),
              -1)
        << i;
  }
}

}  // namespace
}  // namespace skin::test
