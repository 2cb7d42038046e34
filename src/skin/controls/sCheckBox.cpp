#include "skin/controls/sCheckBox.h"

#include "framework/ClassBuilder.h"

namespace skin {

const framework::TClassInfo& TsCheckBox::StaticClassInfo() {
  static const framework::TClassInfo info =
      framework::TClassBuilder<TsCheckBox>("TsCheckBox", framework::TCheckBox::StaticClassInfo())
          .Creatable();
  return info;
}

}  // namespace skin
