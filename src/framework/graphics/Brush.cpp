#include "framework/graphics/Brush.h"

#include "framework/classes/ClassBuilder.h"

namespace framework {

const TEnumNames<TBrushStyle> kBrushStyleNames = {{"bsSolid", bsSolid}, {"bsClear", bsClear}};

const TClassInfo& TBrush::StaticClassInfo() {
  using C = TBrush;
  static const TClassInfo info =
      TClassBuilder<C>("TBrush", TGraphicsObject::StaticClassInfo())
          .Color("Color", &C::Color, &C::SetColor, platform::clWhite)
          .Enum("Style", &C::Style, &C::SetStyle, kBrushStyleNames, bsSolid);
  return info;
}

void TBrush::SetColor(platform::TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}

void TBrush::Assign(const TPersistent* source) {
  const auto* brush = dynamic_cast<const TBrush*>(source);
  if (!brush) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (color_ == brush->color_ && style_ == brush->style_) return;
  color_ = brush->color_;
  style_ = brush->style_;
  Changed();
}

platform::Brush TBrush::Handle() const {
  return style_ == bsClear ? platform::ClearBrush() : platform::CreateSolidBrush(color_);
}

}  // namespace framework
