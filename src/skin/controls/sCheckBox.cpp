#include "skin/controls/sCheckBox.h"

#include "framework/ClassRegistry.h"

namespace skin {

const framework::TClassInfo& TsCheckBox::StaticClassInfo() {
  static const framework::TClassInfo info(
      "TsCheckBox", &framework::TCheckBox::StaticClassInfo(),
      [](framework::TComponent* owner) { return new TsCheckBox(owner); });
  return info;
}

}  // namespace skin
