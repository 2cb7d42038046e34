#include "framework/controls/Panel.h"

#include <algorithm>

#include "framework/controls/ControlTypeNames.h"
#include "framework/graphics/Canvas.h"
#include "platform/drawing/ClassicDrawing.h"
#include "platform/text/Font.h"

namespace framework {

namespace {

// The light and shade of a bevel: lowered is shaded at the top left, raised lit there.
void BevelColors(TBevelCut cut, TColor& top, TColor& bottom) {
  top = cut == bvLowered  ? platform::clBtnShadow
        : cut == bvRaised ? platform::clBtnHighlight
                          : platform::clBtnFace;
  bottom = cut == bvLowered  ? platform::clBtnHighlight
           : cut == bvRaised ? platform::clBtnShadow
                             : platform::clBtnFace;
}

}  // namespace

const TClassInfo& TCustomPanel::StaticClassInfo() {
  using C = TCustomPanel;
  static const TClassInfo info =
      TClassBuilder<C>("TCustomPanel", TCustomControl::StaticClassInfo())
          .Enum("Alignment", &C::Alignment, &C::SetAlignment, kAlignmentNames, taCenter)
          .Enum("BevelInner", &C::BevelInner, &C::SetBevelInner, kBevelCutNames, bvNone)
          .Enum("BevelOuter", &C::BevelOuter, &C::SetBevelOuter, kBevelCutNames, bvRaised)
          .Integer("BevelWidth", &C::BevelWidth, &C::SetBevelWidth, 1)
          .Integer("BorderWidth", &C::BorderWidth, &C::SetBorderWidth, 0)
          .Boolean("ParentBackground", &C::ParentBackground, &C::SetParentBackground, true);
  return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPanel>("TPanel", TCustomPanel::StaticClassInfo()).Creatable();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                  csDoubleClicks | csReplicatable | csParentBackground);
  SetBounds(0, 0, 185, 41);
  SetColor(platform::clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (v == bevelInner_) return;
  bevelInner_ = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (v == bevelOuter_) return;
  bevelOuter_ = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
  v = std::max(1, v);
  if (v == bevelWidth_) return;
  bevelWidth_ = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
  v = std::max(0, v);
  if (v == borderWidth_) return;
  borderWidth_ = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetParentBackground(bool v) {
  if (v == ParentBackground()) return;
  SetControlStyle(v ? ControlStyle() | csParentBackground : ControlStyle() & ~csParentBackground);
  Invalidate();
}

int TCustomPanel::FrameWidth() const {
  return borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) +
         (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TCustomPanel::AlignControls(TControl* control, TRect& rect) {
  const int frame = FrameWidth();
  rect = rect.Inflated(-frame, -frame);
  TCustomControl::AlignControls(control, rect);
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  TRect rect{0, 0, Width(), Height()};
  TColor top = 0;
  TColor bottom = 0;
  if (bevelOuter_ != bvNone) {
    BevelColors(bevelOuter_, top, bottom);
    platform::Frame3D(dc, rect, top, bottom, bevelWidth_);
  }
  platform::Frame3D(dc, rect, Color(), Color(), borderWidth_);
  if (bevelInner_ != bvNone) {
    BevelColors(bevelInner_, top, bottom);
    platform::Frame3D(dc, rect, top, bottom, bevelWidth_);
  }
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(rect);
  const std::string caption = Caption();
  if (caption.empty()) return;
  // One line of the font's height, centred between the bevels, then aligned across.
  canvas->Brush()->SetStyle(bsClear);
  canvas->SetFont(Font());
  const int fontHeight = canvas->TextHeight("W");
  rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
  rect.Bottom = rect.Top + fontHeight;
  const unsigned alignFlag = alignment_ == taLeftJustify    ? platform::DT_LEFT
                             : alignment_ == taRightJustify ? platform::DT_RIGHT
                                                            : platform::DT_CENTER;
  const unsigned flags =
      DrawTextBiDiModeFlags(platform::DT_EXPANDTABS | platform::DT_VCENTER | alignFlag);
  // As the VCL's panel, the caption keeps its colour when the panel is disabled.
  platform::DrawText(canvas->Handle(), caption, &rect, flags);
}

}  // namespace framework
