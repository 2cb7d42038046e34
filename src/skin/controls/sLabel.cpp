#include "skin/controls/sLabel.h"

#include "framework/ClassRegistry.h"

namespace skin {

using framework::TClassInfo;
using framework::TComponent;

TsCustomLabel::TsCustomLabel(TComponent* owner) : framework::TCustomLabel(owner) {
  SetTransparent(true);
}

const TClassInfo& TsCustomLabel::StaticClassInfo() {
  static const TClassInfo info("TsCustomLabel", &framework::TCustomLabel::StaticClassInfo());
  return info;
}

const TClassInfo& TsLabel::StaticClassInfo() {
  static const TClassInfo info("TsLabel", &TsCustomLabel::StaticClassInfo(),
                               [](TComponent* owner) { return new TsLabel(owner); });
  return info;
}

const TClassInfo& TsLabelFX::StaticClassInfo() {
  static const TClassInfo info("TsLabelFX", &TsCustomLabel::StaticClassInfo(),
                               [](TComponent* owner) { return new TsLabelFX(owner); });
  return info;
}

}  // namespace skin
