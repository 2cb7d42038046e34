#include "skin/forms/SkinFormClasses.h"

#include "framework/classes/ClassRegistry.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/controls/sHintWindow.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

void RegisterSkinFormClasses() {
  RegisterSkinControlClasses();
  framework::RegisterClass(TsSkinProvider::StaticClassInfo());
  // The application's tip follows the skin too (and is the classic one while none is active).
  UseSkinnedHints();
}

}  // namespace skin
