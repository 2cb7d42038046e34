#include "skin/data/SkinDataClasses.h"

#include "framework/ClassRegistry.h"
#include "skin/data/sSkinManager.h"

namespace skin {

void RegisterSkinDataClasses() { framework::RegisterClass(TsSkinManager::StaticClassInfo()); }

}  // namespace skin
