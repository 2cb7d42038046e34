#include "framework/Pen.h"

#include <algorithm>

#include "framework/ClassRegistry.h"

namespace framework {

const TClassInfo& TPen::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo c("TPen", &TGraphicsObject::StaticClassInfo());
    TClassBuilder<TPen>(c)
        .Color(
            "Color", [](const TPen& p) { return p.Color(); },
            [](TPen& p, platform::TColor v) { p.SetColor(v); }, platform::clBlack)
        .Enum<TPenStyle>(
            "Style", [](const TPen& p) { return p.Style(); },
            [](TPen& p, TPenStyle v) { p.SetStyle(v); },
            {{"psSolid", psSolid}, {"psClear", psClear}}, psSolid)
        .Integer(
            "Width", [](const TPen& p) { return p.Width(); }, [](TPen& p, int v) { p.SetWidth(v); },
            1);
    return c;
  }();
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
