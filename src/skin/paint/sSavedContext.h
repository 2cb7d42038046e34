#pragma once
// Painters that change a device context's state (clip, brush, font) bring it back on every path
// out, also when drawing fails.

#include "platform/drawing/DeviceContext.h"

namespace skin {

class TsSavedContext {
 public:
  explicit TsSavedContext(platform::HDC dc) : dc_(dc), level_(platform::SaveDC(dc)) {}
  ~TsSavedContext() { platform::RestoreDC(dc_, level_); }
  TsSavedContext(const TsSavedContext&) = delete;
  TsSavedContext& operator=(const TsSavedContext&) = delete;

 private:
  platform::HDC dc_;
  int level_;
};

}  // namespace skin
