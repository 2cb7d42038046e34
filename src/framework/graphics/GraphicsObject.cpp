#include "framework/graphics/GraphicsObject.h"

#include "framework/classes/ClassBuilder.h"

namespace framework {

const TClassInfo& TGraphicsObject::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphicsObject>("TGraphicsObject", TPersistent::StaticClassInfo());
  return info;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace framework
