#pragma once
// TBrush: how a canvas fills: a solid colour, or nothing at all (bsClear), which also makes text
// backgrounds transparent.

#include "framework/graphics/GraphicsObject.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DeviceContext.h"

namespace framework {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;
  DECLARE_CLASS_INFO()

  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  // Copies colour and style from another TBrush (one OnChange when anything differed).
  void Assign(const TPersistent* source) override;

  // The platform brush: a value, nothing to free.
  platform::Brush Handle() const;

 private:
  platform::TColor color_ = platform::clWhite;
  TBrushStyle style_ = bsSolid;
};

}  // namespace framework
