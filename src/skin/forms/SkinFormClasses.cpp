#include "skin/forms/SkinFormClasses.h"

#include "framework/classes/ClassRegistry.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

void RegisterSkinFormClasses() {
  RegisterSkinControlClasses();
  framework::RegisterClass(TsSkinProvider::StaticClassInfo());
}

}  // namespace skin
