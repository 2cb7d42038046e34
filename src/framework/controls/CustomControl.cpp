#include "framework/controls/CustomControl.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"

namespace framework {

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomControl>("TCustomControl", TWinControl::StaticClassInfo());
  return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(platform::HDC dc) {
  TCanvasBinding binding(*canvas_, dc);
  Paint();
}

}  // namespace framework
