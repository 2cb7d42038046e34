#include "app/SkinChoice.h"

#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkin.h"

namespace app {

std::vector<std::string> ChoosableSkins(const skin::TsSkinManager& manager) {
  std::vector<std::string> names;
  const skin::TsStoredSkins* stored = manager.InternalSkins();
  if (!stored) return names;
  for (int i = 0; i < stored->Count(); ++i) names.push_back(stored->Items(i)->Name());
  return names;
}

void ChooseSkin(skin::TsSkinManager& manager, const std::string& name) {
  manager.SetSkinName(name);
}

}  // namespace app
