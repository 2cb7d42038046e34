#include "skin/controls/sPanel.h"

#include "framework/ClassBuilder.h"

namespace skin {

const framework::TClassInfo& TsPanel::StaticClassInfo() {
  static const framework::TClassInfo info =
      framework::TClassBuilder<TsPanel>("TsPanel", framework::TPanel::StaticClassInfo())
          .Creatable();
  return info;
}

}  // namespace skin
