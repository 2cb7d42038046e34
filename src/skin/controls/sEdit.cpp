#include "skin/controls/sEdit.h"

#include "framework/ClassBuilder.h"

namespace skin {

const framework::TClassInfo& TsEdit::StaticClassInfo() {
  static const framework::TClassInfo info =
      framework::TClassBuilder<TsEdit>("TsEdit", framework::TEdit::StaticClassInfo()).Creatable();
  return info;
}

}  // namespace skin
