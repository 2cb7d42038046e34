#pragma once
// TCustomControl: a windowed control that paints itself on a Canvas.

#include <memory>

#include "framework/controls/WinControl.h"

namespace framework {

class TCanvas;

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  DECLARE_CLASS_INFO()

  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(platform::HDC dc) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace framework
