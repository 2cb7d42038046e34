#include "skin/controls/sLabel.h"

#include <algorithm>
#include <optional>

#include "framework/classes/ClassBuilder.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Paint.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBlending.h"

namespace skin {

using framework::TClassInfo;
using framework::TComponent;
using framework::TMessage;
using platform::TColor;
using platform::TRect;

namespace {

// Set while Paint gives the font the skin's colour: the font change that causes is not news.
bool paintingColor = false;

// The default manager while its skin is ready to paint with, else nullptr.
TsSkinManager* ActiveDefaultManager() {
  TsSkinManager* manager = DefaultManager();
  if (!manager || !manager->Active() || !manager->SkinData().SkinReady) return nullptr;
  return manager;
}

// The "GLOBALINFO" section of the manager's skin, or nullptr.
const TsGeneralData* GlobalInfo(const TsSkinManager& manager) {
  const TsSkinTables& tables = manager.Tables();
  return tables.Section(tables.CommonIndices().GlobalInfo);
}

}  // namespace

// ---- TsCustomLabel

const TClassInfo& TsCustomLabel::StaticClassInfo() {
  static const TClassInfo info = framework::TClassBuilder<TsCustomLabel>(
      "TsCustomLabel", framework::TCustomLabel::StaticClassInfo());
  return info;
}

TsCustomLabel::TsCustomLabel(TComponent* owner) : framework::TCustomLabel(owner) {
  SetTransparent(true);
}

void TsCustomLabel::Paint() {
  if (!paintingColor && FollowsSkinColor()) {
    if (TsSkinManager* manager = ActiveDefaultManager()) {
      const TColor color = manager->Tables().GlobalTextColor();
      if (color != platform::clFuchsia) {
        paintingColor = true;
        Font()->SetColor(color);
        paintingColor = false;
      }
    }
  }
  framework::TCustomLabel::Paint();
}

std::string TsCustomLabel::TextToDraw(unsigned& flags) const {
  std::string text = GetLabelText();
  if ((flags & platform::DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&")))
    text += ' ';
  if (!ShowAccelChar()) flags |= platform::DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  return text;
}

void TsCustomLabel::DoDrawText(TRect& rect, unsigned flags) {
  if (Enabled() || !ActiveDefaultManager()) {
    framework::TCustomLabel::DoDrawText(rect, flags);
    return;
  }
  const std::string text = TextToDraw(flags);
  framework::TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  AskParentColor(Parent());
  const TColor beneath = ColorSlot();
  ColorSlot() = kColorSlotUnset;
  canvas->Font()->SetColor(MixColors(platform::ColorToRGB(Font()->Color()), beneath, 0.4));
  platform::DrawText(canvas->Handle(), text, &rect, flags);
}

void TsCustomLabel::WndProc(TMessage& m) {
  if (m.Msg == framework::CM_FONTCHANGED && paintingColor) return;
  framework::TCustomLabel::WndProc(m);
  if (m.Msg == framework::CM_FONTCHANGED) {
    Invalidate();
    return;
  }
  if (m.Msg == SM_SKINCMD && SkinCommandOf(m.WParam) == SKC_REMOVESKIN && DefaultManager() &&
      SendingManager(m) == DefaultManager())
    Font()->SetColor(platform::clWindowText);
}

// ---- TsLabel

const TClassInfo& TsLabel::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsLabel>("TsLabel", TsCustomLabel::StaticClassInfo())
          .Creatable()
          .Boolean("UseSkinColor", &TsLabel::UseSkinColor, &TsLabel::SetUseSkinColor, true);
  return info;
}

void TsLabel::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCMD && SkinCommandOf(m.WParam) == SKC_REMOVESKIN) {
    if (useSkinColor_ && DefaultManager() && SendingManager(m) == DefaultManager())
      Font()->SetColor(platform::clWindowText);
    return;
  }
  TsCustomLabel::WndProc(m);
}

// ---- TsShadow and TsKind

const TClassInfo& TsShadow::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsShadow>("TsShadow", framework::TPersistent::StaticClassInfo())
          .Enum<TsShadowMode>("Mode", &TsShadow::Mode, &TsShadow::SetMode,
                              {{"smNone", smNone}, {"smCustom", smCustom}, {"smSkin1", smSkin1}},
                              smCustom)
          .Color("Color", &TsShadow::Color, &TsShadow::SetColor, platform::clBlack)
          .Integer("BlurCount", &TsShadow::BlurCount, &TsShadow::SetBlurCount, 4)
          .Integer("Distance", &TsShadow::Distance, &TsShadow::SetDistance, 1);
  return info;
}

void TsShadow::SetMode(TsShadowMode value) {
  if (value == mode_) return;
  mode_ = value;
  label_->EffectChanged();
}

void TsShadow::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  label_->EffectChanged();
}

void TsShadow::SetBlurCount(int value) {
  if (value == blurCount_) return;
  blurCount_ = value;
  label_->EffectChanged();
}

void TsShadow::SetDistance(int value) {
  if (value == distance_) return;
  distance_ = value;
  label_->EffectChanged();
}

const TClassInfo& TsKind::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsKind>("TsKind", framework::TPersistent::StaticClassInfo())
          .Enum<TsKindType>(
              "KindType", &TsKind::KindType, &TsKind::SetKindType,
              {{"ktStandard", ktStandard}, {"ktCustom", ktCustom}, {"ktSkin", ktSkin}}, ktSkin)
          .Color("Color", &TsKind::Color, &TsKind::SetColor, platform::clWhite);
  return info;
}

void TsKind::SetKindType(TsKindType value) {
  if (value == kindType_) return;
  kindType_ = value;
  label_->EffectChanged();
}

void TsKind::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  label_->EffectChanged();
}

// ---- TsLabelFX

const TClassInfo& TsLabelFX::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsLabelFX>("TsLabelFX", TsCustomLabel::StaticClassInfo())
          .Creatable()
          .Object("Shadow", &TsLabelFX::Shadow)
          .Object("Kind", &TsLabelFX::Kind);
  return info;
}

TsLabelFX::TsLabelFX(TComponent* owner)
    : TsCustomLabel(owner),
      shadow_(std::make_unique<TsShadow>(this)),
      kind_(std::make_unique<TsKind>(this)),
      work_(std::make_unique<framework::TBitmap>(std::max(Width(), 1), std::max(Height(), 1))) {}

TsLabelFX::~TsLabelFX() = default;

void TsLabelFX::EffectChanged() {
  AdjustBounds();
  Invalidate();
}

void TsLabelFX::ChangeScale(int m, int d) {
  TsCustomLabel::ChangeScale(m, d);
  shadow_->SetDistance(framework::MulDiv(shadow_->Distance(), m, d));
  shadow_->SetBlurCount(framework::MulDiv(shadow_->BlurCount(), m, d));
}

TsLabelFX::ShadowParams TsLabelFX::ResolveShadow() const {
  if (shadow_->Mode() == smSkin1) {
    if (TsSkinManager* manager = ActiveDefaultManager()) {
      const TsSkinData& skin = manager->SkinData();
      if (skin.Shadow1Blur != -1) return {skin.Shadow1Color, skin.Shadow1Blur, skin.Shadow1Offset};
    }
  }
  return {shadow_->Color(), shadow_->BlurCount(), shadow_->Distance()};
}

TColor TsLabelFX::TextColor() const {
  switch (kind_->KindType()) {
    case ktStandard: return Color();
    case ktCustom: return kind_->Color();
    case ktSkin: break;
  }
  if (TsSkinManager* manager = ActiveDefaultManager())
    if (const TsGeneralData* global = GlobalInfo(*manager); global && global->FontColor[1] != -1)
      return static_cast<TColor>(global->FontColor[1]);
  return kind_->Color();
}

void TsLabelFX::ComposeShadow(const TRect& rect, TColor shadow) {
  std::optional<TColor> background;
  if (Transparent())
    platform::BitBlt(work_->Canvas()->Handle(), 0, 0, rect.Width(), rect.Height(),
                     Canvas()->Handle(), rect.Left, rect.Top, platform::SRCCOPY);
  else
    background = Color();
  mask_.MixInto(work_->DIB(), shadow, background);
  work_->Modified();
}

void TsLabelFX::DoDrawText(TRect& rect, unsigned flags) {
  if (shadow_->Mode() == smNone) {
    TsCustomLabel::DoDrawText(rect, flags);
    return;
  }
  const ShadowParams shadow = ResolveShadow();
  const std::string text = TextToDraw(flags);
  framework::TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  // The canvas's handle is asked for at each drawing: that is when it takes the font's colour.
  const bool measuring = (flags & platform::DT_CALCRECT) != 0;

  // Embossed and nothing else, also when measuring: no shadow, so no shadow margins either.
  if (!Enabled()) {
    canvas->Font()->SetColor(platform::clBtnHighlight);
    TRect lifted = rect.Translated(1, 1);
    platform::DrawText(canvas->Handle(), text, &lifted, flags);
    canvas->Font()->SetColor(platform::clBtnShadow);
    platform::DrawText(canvas->Handle(), text, &rect, flags);
    return;
  }
  canvas->Font()->SetColor(TextColor());
  const bool noShadow = shadow.color == platform::clNone || shadow.blur == 0;
  if (measuring || noShadow) {
    platform::DrawText(canvas->Handle(), text, &rect, flags);
    if (measuring && !noShadow) {
      nearMargin_ = std::min(0, shadow.distance - shadow.blur);
      farMargin_ = std::max(0, shadow.distance + shadow.blur);
      rect.Right += farMargin_ - nearMargin_;
      rect.Bottom += farMargin_ - nearMargin_;
    }
    return;
  }

  // The shadow: the text white on black at the offset, stamped and blurred into the mask, mixed
  // into what lies beneath in the shadow colour. The work bitmap starts at the rectangle's corner.
  const int width = rect.Width();
  const int height = rect.Height();
  if (width <= 0 || height <= 0) return;
  work_->SetSize(width, height);
  framework::TCanvas* work = work_->Canvas();
  work->Brush()->SetStyle(framework::bsSolid);
  work->Brush()->SetColor(platform::clBlack);
  work->FillRect({0, 0, width, height});
  work->SetFont(canvas->Font());
  work->Font()->SetColor(platform::clWhite);
  work->Brush()->SetStyle(framework::bsClear);
  const TRect textRect{rect.Left - nearMargin_, rect.Top - nearMargin_, rect.Right - farMargin_,
                       rect.Bottom - farMargin_};
  TRect shadowRect = textRect.Translated(shadow.distance - rect.Left, shadow.distance - rect.Top);
  platform::DrawText(work->Handle(), text, &shadowRect, flags);
  mask_.Build(work_->DIB(), width, height, shadow.blur);
  ComposeShadow(rect, shadow.color);
  rebuild_ = false;

  platform::BitBlt(canvas->Handle(), rect.Left, rect.Top, width, height, work->Handle(), 0, 0,
                   platform::SRCCOPY);
  TRect drawn = textRect;
  platform::DrawText(canvas->Handle(), text, &drawn, flags);
}

}  // namespace skin
