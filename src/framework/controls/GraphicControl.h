#pragma once
// TGraphicControl: a control without a window of its own, painted by its parent onto the parent's
// surface and given its mouse messages by the parent.

#include <memory>

#include "framework/controls/Control.h"

namespace framework {

class TCanvas;

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  DECLARE_CLASS_INFO()

  TCanvas* Canvas() const { return canvas_.get(); }
  void WndProc(TMessage& message) override;

 protected:
  // Draws the control with Canvas, whose origin is the control's top-left.
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace framework
