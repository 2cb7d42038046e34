#pragma once
// TPen: how a canvas draws lines and outlines: a solid colour of some width, or nothing (psClear).
// Wide pens put a square of the pen's width on every point of a line (see platform/Lines.h).

#include "framework/graphics/GraphicsObject.h"
#include "platform/drawing/Colors.h"

namespace framework {

enum TPenStyle { psSolid, psClear };

class TPen : public TGraphicsObject {
 public:
  TPen() = default;
  DECLARE_CLASS_INFO()

  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);  // values below 1 are taken as 1, as GDI does
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);

  void Assign(const TPersistent* source) override;

 private:
  platform::TColor color_ = platform::clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

}  // namespace framework
