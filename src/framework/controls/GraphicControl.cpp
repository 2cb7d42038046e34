#include "framework/controls/GraphicControl.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"

namespace framework {

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphicControl>("TGraphicControl", TControl::StaticClassInfo());
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == platform::WM_PAINT && m.WParam) {
    // The parent hands over its context, moved and clipped to this control.
    TCanvasBinding binding(*canvas_, reinterpret_cast<platform::HDC>(m.WParam));
    Paint();
    return;
  }
  TControl::WndProc(m);
}

}  // namespace framework
