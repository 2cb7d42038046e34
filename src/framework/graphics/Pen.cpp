#include "framework/graphics/Pen.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"

namespace framework {

const TEnumNames<TPenStyle> kPenStyleNames = {{"psSolid", psSolid}, {"psClear", psClear}};

const TClassInfo& TPen::StaticClassInfo() {
  using C = TPen;
  static const TClassInfo info =
      TClassBuilder<C>("TPen", TGraphicsObject::StaticClassInfo())
          .Color("Color", &C::Color, &C::SetColor, platform::clBlack)
          .Enum("Style", &C::Style, &C::SetStyle, kPenStyleNames, psSolid)
          .Integer("Width", &C::Width, &C::SetWidth, 1);
  return info;
}

void TPen::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  width = std::max(width, 1);
  if (width_ == width) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}

void TPen::Assign(const TPersistent* source) {
  const auto* pen = dynamic_cast<const TPen*>(source);
  if (!pen) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (color_ == pen->color_ && width_ == pen->width_ && style_ == pen->style_) return;
  color_ = pen->color_;
  width_ = pen->width_;
  style_ = pen->style_;
  Changed();
}

}  // namespace framework
