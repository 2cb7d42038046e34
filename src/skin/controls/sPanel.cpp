#include "skin/controls/sPanel.h"

#include "framework/ClassRegistry.h"

namespace skin {

const framework::TClassInfo& TsPanel::StaticClassInfo() {
  static const framework::TClassInfo info(
      "TsPanel", &framework::TPanel::StaticClassInfo(),
      [](framework::TComponent* owner) { return new TsPanel(owner); });
  return info;
}

}  // namespace skin
