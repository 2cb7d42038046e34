#pragma once
// Lends a paint context to a canvas for one scope: the canvas is locked and draws on the context
// until the scope ends, on every path, failures included.

#include "framework/graphics/Canvas.h"

namespace framework {

class TCanvasBinding {
 public:
  TCanvasBinding(TCanvas& canvas, platform::HDC dc) : canvas_(canvas) {
    canvas_.Lock();
    canvas_.SetHandle(dc);
  }
  ~TCanvasBinding() {
    canvas_.SetHandle(nullptr);
    canvas_.Unlock();
  }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

 private:
  TCanvas& canvas_;
};

}  // namespace framework
