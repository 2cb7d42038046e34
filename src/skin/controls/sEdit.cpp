#include "skin/controls/sEdit.h"

#include "framework/ClassRegistry.h"

namespace skin {

const framework::TClassInfo& TsEdit::StaticClassInfo() {
  static const framework::TClassInfo info(
      "TsEdit", &framework::TEdit::StaticClassInfo(),
      [](framework::TComponent* owner) { return new TsEdit(owner); });
  return info;
}

}  // namespace skin
