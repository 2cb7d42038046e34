#include "skin/controls/sButton.h"

#include "framework/ClassRegistry.h"

namespace skin {

const framework::TClassInfo& TsButton::StaticClassInfo() {
  static const framework::TClassInfo info(
      "TsButton", &framework::TButton::StaticClassInfo(),
      [](framework::TComponent* owner) { return new TsButton(owner); });
  return info;
}

}  // namespace skin
