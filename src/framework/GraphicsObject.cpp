#include "framework/GraphicsObject.h"

#include "framework/ClassRegistry.h"

namespace framework {

const TClassInfo& TGraphicsObject::StaticClassInfo() {
  static const TClassInfo info("TGraphicsObject", &TPersistent::StaticClassInfo());
  return info;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace framework
