#include "skin/data/SkinDataClasses.h"

#include "framework/classes/ClassRegistry.h"
#include "skin/data/sSkinManager.h"

namespace skin {

void RegisterSkinDataClasses() { framework::RegisterClass(TsSkinManager::StaticClassInfo()); }

}  // namespace skin
