#include "skin/forms/SkinFormClasses.h"

#include "framework/classes/ClassRegistry.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/controls/sHintWindow.h"
#include "skin/forms/sMessageBox.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

void RegisterSkinFormClasses() {
  RegisterSkinControlClasses();
  framework::RegisterClass(TsSkinProvider::StaticClassInfo());
  // The application's tip and message box follow the skin too (and are the classic ones while no
  // skin is active).
  UseSkinnedHints();
  UseSkinnedMessageBoxes();
}

}  // namespace skin
