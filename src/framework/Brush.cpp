#include "framework/Brush.h"

#include "framework/ClassRegistry.h"

namespace framework {

const TClassInfo& TBrush::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TBrush", &TGraphicsObject::StaticClassInfo());
    TClassBuilder<TBrush>(c)
        .Color(
            "Color", [](const TBrush& b) { return b.Color(); },
            [](TBrush& b, platform::TColor v) { b.SetColor(v); }, platform::clWhite)
        .Enum<TBrushStyle>(
            "Style", [](const TBrush& b) { return b.Style(); },
            [](TBrush& b, TBrushStyle v) { b.SetStyle(v); },
            {{"bsSolid", bsSolid}, {"bsClear", bsClear}}, bsSolid);
    return c;
  }();
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
