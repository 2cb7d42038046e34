#include "skin/controls/sLabel.h"

#include "framework/ClassBuilder.h"

namespace skin {

using framework::TClassBuilder;
using framework::TClassInfo;
using framework::TComponent;

TsCustomLabel::TsCustomLabel(TComponent* owner) : framework::TCustomLabel(owner) {
  SetTransparent(true);
}

const TClassInfo& TsCustomLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TsCustomLabel>("TsCustomLabel", framework::TCustomLabel::StaticClassInfo());
  return info;
}

const TClassInfo& TsLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TsLabel>("TsLabel", TsCustomLabel::StaticClassInfo()).Creatable();
  return info;
}

const TClassInfo& TsLabelFX::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TsLabelFX>("TsLabelFX", TsCustomLabel::StaticClassInfo()).Creatable();
  return info;
}

}  // namespace skin
