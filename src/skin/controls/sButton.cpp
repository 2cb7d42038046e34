#include "skin/controls/sButton.h"

#include "framework/ClassBuilder.h"

namespace skin {

const framework::TClassInfo& TsButton::StaticClassInfo() {
  static const framework::TClassInfo info =
      framework::TClassBuilder<TsButton>("TsButton", framework::TButton::StaticClassInfo())
          .Creatable();
  return info;
}

}  // namespace skin
