#include "skin/controls/sButton.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Window.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sCornerRepair.h"
#include "skin/paint/sSkinText.h"

namespace skin {

using framework::TClassInfo;
using framework::TComponent;
using framework::TMessage;
using platform::HDC;
using platform::TRect;

const TClassInfo& TsButton::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsButton>("TsButton", framework::TButton::StaticClassInfo())
          .Creatable()
          .Object("SkinData", &TsButton::SkinData)
          .Set("AnimatEvents", &TsButton::AnimatEvents, &TsButton::SetAnimatEvents,
               kAnimatEventNames, aeGlobalDef)
          .Set(
              "DisabledKind", [](const TsButton& b) { return uint32_t{b.DisabledKind()}; },
              [](TsButton& b, uint32_t v) { b.SetDisabledKind(static_cast<TsDisabledKind>(v)); },
              {{"dkBlended", dkBlended}, {"dkGrayed", dkGrayed}}, dkBlended)
          .Boolean("Down", &TsButton::Down, &TsButton::SetDown, false)
          .Integer("FocusMargin", &TsButton::FocusMargin, &TsButton::SetFocusMargin, 1);
  return info;
}

TsButton::TsButton(TComponent* owner)
    : framework::TButton(owner), skinData_(std::make_unique<TsCommonData>(this, true)) {
  skinData_->ControlType = ctButton;
  // The shaped face lets the parent show at its corners.
  SetControlStyle(ControlStyle() & ~framework::csOpaque);
}

// The fade goes first (it draws from the binding), then the binding, before the button itself.
TsButton::~TsButton() {
  StopFade(fadeTimer_);
  skinData_.reset();
}

void TsButton::AfterConstruction() {
  framework::TButton::AfterConstruction();
  skinData_->Loaded();
}

void TsButton::Loaded() {
  framework::TButton::Loaded();
  skinData_->Loaded();
}

void TsButton::Notification(TComponent* component, framework::TOperation operation) {
  framework::TButton::Notification(component, operation);
  if (operation != framework::opRemove) return;
  if (component == fadeTimer_) fadeTimer_ = nullptr;
  if (skinData_) skinData_->ComponentRemoved(component);
}

void TsButton::SetDisabledKind(TsDisabledKind value) {
  disabledKind_ = value;
  Invalidate();
}

void TsButton::SetDown(bool value) {
  if (value == down_) return;
  down_ = value;
  pressed_ = value;
  regionDirty_ = true;
  skinData_->BackgroundDirty = true;
  Repaint();
}

bool TsButton::SkinActive() const { return skinData_ && skinData_->Skinned(true); }

TsLook TsButton::CurrentState() const {
  if (IsDown() && (skinData_->MouseOver || !mouseCaptured_)) return lkPressed;
  if (skinData_->IsHot() || defaultActive_) return lkHot;
  return lkNormal;
}

// ---- rendering

TRect TsButton::CaptionRect() {
  framework::TCanvas* canvas = skinData_->CacheBitmap->Canvas();
  canvas->SetFont(Font());
  const std::string caption = Caption();
  TRect measured{0, 0, caption.empty() ? 0 : Width() - 2, 0};
  platform::DrawText(canvas->Handle(), caption, &measured,
                     platform::DT_CALCRECT | platform::DT_EXPANDTABS | platform::DT_WORDBREAK);
  const int dx = (Width() - measured.Width()) / 2;
  const int dy = (Height() - measured.Height()) / 2;
  TRect rect{dx - 1, dy, Width() - dx + 2, Height() - dy};
  if (CurrentState() == lkPressed) rect = rect.Translated(1, 1);
  return rect;
}

void TsButton::DrawCaption() {
  TRect rect = CaptionRect();
  framework::TCanvas* canvas = skinData_->CacheBitmap->Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(framework::bsClear);
  const std::string caption = Caption();
  const unsigned flags =
      DrawTextBiDiModeFlags(platform::DT_CENTER | platform::DT_WORDBREAK | platform::DT_EXPANDTABS);
  const bool hot = skinData_->IsHot() || defaultActive_ || IsDown();
  DrawSkinText(canvas, caption, true, hot, *skinData_, flags, rect);
  const TsGeneralData* section = skinData_->Section();
  if (Enabled() && Focused() && !caption.empty() && section && section->ShowFocus)
    DrawFocusDots(canvas, rect.Inflated(focusMargin_, focusMargin_));
}

void TsButton::RenderCache() {
  const TCacheInfo parent = skinData_->GetParentCache();
  skinData_->PrepareCache();
  framework::TBitmap* cache = skinData_->CacheBitmap.get();
  const TRect whole{0, 0, Width(), Height()};
  const TsLook look = CurrentState();
  {
    TsFaceColors faceColors(*skinData_, parent);
    PaintControlBackground(*skinData_, parent, {cache, {Left(), Top()}, whole, look});
    if (regionDirty_) region_ = platform::Region(whole);
    const TsSkinTables* tables = skinData_->SkinTables();
    if (const TsMaskData* border = tables ? tables->Mask(skinData_->BorderMaskIndex) : nullptr)
      DrawBorderMaskWithRegion(cache, region_, bfFillCentre, look, *border);
    DrawCaption();
    if (!Enabled()) PaintDisabledLook(cache, disabledKind_, Parent(), {Left(), Top()}, parent);
  }
  skinData_->BackgroundDirty = false;
}

void TsButton::ApplyRegion() {
  if (HasState(framework::csDesigning) || !HandleAllocated()) return;
  platform::SetWindowRgn(Handle(), region_, false);
  regionDirty_ = false;
}

void TsButton::PaintSkinned() {
  platform::PAINTSTRUCT ps;
  platform::BeginPaint(Handle(), &ps);
  const HDC dc = platform::GetWindowDC(Handle());
  const int saved = dc ? platform::SaveDC(dc) : 0;
  skinData_->PaintDeferred = skinData_->IsDeferred();
  // While a fade runs, its frames are the picture.
  const bool fading = fadeTimer_ && fadeTimer_->Enabled();
  if (dc && !skinData_->PaintDeferred && !fading) {
    StopFade(fadeTimer_);
    bool dirty = true;
    if (!skinData_->BackgroundDirty && !skinData_->PartlyPainted)
      dirty = QuerySkinCommand(Parent(), SKC_ISPARTLYPAINTED);
    skinData_->BackgroundDirty = dirty;
    const TRect bounds = BoundsRect();
    skinData_->PartlyPainted = bounds.Intersected(Parent()->ClientRect()) != bounds;
    if (skinData_->BackgroundDirty && (!skinData_->CacheFrozen || CurrentState() != lkNormal))
      RenderCache();
    if (regionDirty_) {
      RepairCorners(*skinData_, CurrentState(), kAllCorners);
      ApplyRegion();
    }
    const framework::TBitmap* cache = skinData_->CacheBitmap.get();
    platform::BitBlt(dc, 0, 0, cache->Width(), cache->Height(),
                     skinData_->CacheBitmap->Canvas()->Handle(), 0, 0, platform::SRCCOPY);
  }
  if (dc) {
    platform::RestoreDC(dc, saved);
    platform::ReleaseDC(Handle(), dc);
  }
  platform::EndPaint(Handle(), &ps);
}

// ---- fading

void TsButton::ChangeLookOn(TacAnimatEvent event, bool halve) {
  ChangeLook(fadeTimer_, *skinData_, halve, 1, EventAnimated(animatEvents_, event));
}

void TsButton::StopTheFade() { StopFade(fadeTimer_); }

// ---- window procedure

bool TsButton::HandleSkinCommand(TMessage& m) {
  const bool fromOurManager =
      reinterpret_cast<TsSkinManager*>(m.LParam) == skinData_->GetSkinManager();
  switch (SkinCommandOf(m.WParam)) {
    case SKC_SETNEWSKIN:
      if (!fromOurManager) return true;
      StopTheFade();
      regionDirty_ = true;
      skinData_->CommonWndProc(m);
      return true;
    case SKC_REMOVESKIN:
      if (!fromOurManager) return true;
      StopTheFade();
      skinData_->CommonWndProc(m);
      regionDirty_ = true;
      if (HandleAllocated()) platform::SetWindowRgn(Handle(), std::nullopt, false);
      Repaint();
      return true;
    case SKC_REFRESH:
      if (!fromOurManager) return true;
      StopTheFade();
      skinData_->CommonWndProc(m);
      regionDirty_ = true;
      Repaint();
      return true;
    case SKC_ISSKINNED: m.LParam = 1; return true;
    case SKC_STOPFADE: StopTheFade(); return true;
    case SKC_PREPAREFADE:
      if (SkinActive()) RenderCache();
      return false;
    default: return false;
  }
}

bool TsButton::HandleSkinnedMessage(TMessage& m) {
  const bool designing = HasState(framework::csDesigning);
  switch (m.Msg) {
    case SM_SKINCMD:
      switch (SkinCommandOf(m.WParam)) {
        case SKC_PARENTPAINTED:
          if (skinData_->IsDeferred()) {
            skinData_->PaintDeferred = false;
            Repaint();
          }
          return true;
        case SKC_FREEZECACHE:
          if (skinData_->CacheFrozen) RenderCache();
          skinData_->CommonWndProc(m);
          return true;
        default: return false;
      }
    case platform::WM_MOVE: {
      const TsGeneralData* s = skinData_->Section();
      if (s && (s->Transparency > 0 || (s->HotTransparency > 0 && skinData_->IsHot()))) Repaint();
      return false;
    }
    case platform::WM_SIZE:
    case platform::WM_WINDOWPOSCHANGING:
    case platform::WM_WINDOWPOSCHANGED: regionDirty_ = true; return false;
    case platform::WM_SETFOCUS:
    case framework::CM_ENTER:
      if (designing) return false;
      if (!Enabled()) return true;
      framework::TButton::WndProc(m);
      // Also when a press brings the focus: the cache is then marked dirty, so the press that
      // follows shows the pressed look at once instead of fading from a look that is outdated.
      if (fadeTimer_)
        fadeTimer_->Step();
      else
        skinData_->Invalidate();
      return true;
    case platform::WM_KILLFOCUS:
    case framework::CM_EXIT:
      if (designing) return false;
      pressed_ = false;
      if (!Enabled()) return false;
      StopTheFade();
      framework::TButton::WndProc(m);
      skinData_->HasFocus = false;
      regionDirty_ = true;
      skinData_->Invalidate();
      return true;
    case platform::WM_ENABLE:
    case framework::BM_SETSTATE: return true;
    case platform::WM_PAINT: PaintSkinned(); return !designing;
    case platform::WM_ERASEBKGND: m.Result = 1; return true;
    case platform::WM_KEYDOWN:
      // The space key pushes the focused button in; its release clicks (KeyUp).
      if (m.WParam == platform::VK_SPACE && Enabled() && Focused() &&
          !(m.LParam & platform::KF_REPEAT_LPARAM)) {
        StopTheFade();
        pressed_ = true;
        regionDirty_ = true;
        skinData_->BackgroundDirty = true;
        Repaint();
      }
      return false;
    case framework::CM_ENABLEDCHANGED:
      if (Visible()) {
        skinData_->PaintDeferred = false;
        skinData_->Invalidate();
      }
      return false;
    case framework::CM_TEXTCHANGED:
      skinData_->BackgroundDirty = true;
      Repaint();
      return true;
    case framework::CM_MOUSEENTER:
    case framework::CM_MOUSELEAVE: {
      if (!Enabled() || designing || m.LParam != 0) return false;
      const bool enter = m.Msg == framework::CM_MOUSEENTER;
      skinData_->MouseOver = enter;
      ChangeLookOn(enter ? aeMouseEnter : aeMouseLeave, false);
      return false;
    }
    case framework::CM_UIACTIVATE: skinData_->PaintDeferred = false; return false;
    case framework::CM_FOCUSCHANGED:
      if (Default()) {
        auto* focused = reinterpret_cast<framework::TWinControl*>(m.LParam);
        const bool active = dynamic_cast<TsButton*>(focused) ? focused == this : Default();
        if (active != defaultActive_) {
          defaultActive_ = active;
          skinData_->Invalidate();
        }
      }
      return false;
    default: return false;
  }
}

void TsButton::AfterInherited(const TMessage& m) {
  switch (m.Msg) {
    case platform::WM_SETFONT:
    case framework::CM_FONTCHANGED:
      skinData_->PaintDeferred = false;
      skinData_->Invalidate();
      return;
    case framework::CM_VISIBLECHANGED: Repaint(); return;
    default: return;
  }
}

void TsButton::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCMD && HandleSkinCommand(m)) return;
  if (!skinData_->OwnerReady() || !SkinActive()) {
    framework::TButton::WndProc(m);
    return;
  }
  if (HandleSkinnedMessage(m)) return;
  if (skinData_->CommonWndProc(m)) return;
  framework::TButton::WndProc(m);
  AfterInherited(m);
}

// ---- mouse and keys

void TsButton::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x,
                         int y) {
  if (SkinActive() && Enabled() && !HasState(framework::csDesigning)) {
    framework::TApplication* app = framework::Application();
    if (button == framework::mbLeft && app) {
      savedShowHint_ = app->ShowHint();
      app->SetShowHint(false);
    }
    mouseCaptured_ = true;
    if (button == framework::mbLeft && !IsDown()) {
      pressed_ = true;
      regionDirty_ = true;
      skinData_->PaintDeferred = skinData_->IsDeferred();
      ChangeLookOn(aeMouseDown, true);
    }
  }
  framework::TButton::MouseDown(button, shift, x, y);
}

void TsButton::MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) {
  if (SkinActive() && Enabled() && !HasState(framework::csDesigning)) {
    framework::TApplication* app = framework::Application();
    if (button == framework::mbLeft && app) app->SetShowHint(savedShowHint_);
    if (!mouseCaptured_ || HasState(framework::csDestroying)) return;
    mouseCaptured_ = false;
    if (button == framework::mbLeft) {
      // A press fade still under way ends at once; the release fades from the pressed look.
      if (fadeTimer_ && fadeTimer_->Level < fadeTimer_->Iterations) {
        fadeTimer_->SetEnabled(false);
        skinData_->BackgroundDirty = true;
        Repaint();
      }
      pressed_ = false;
      if (ClientRect().Contains(x, y)) Click();
      regionDirty_ = true;
      ChangeLookOn(aeMouseUp, true);
    }
  }
  framework::TButton::MouseUp(button, shift, x, y);
}

void TsButton::KeyUp(uint16_t& key, framework::TShiftState shift) {
  if (SkinActive() && IsDown() && key == platform::VK_SPACE) {
    pressed_ = false;
    regionDirty_ = true;
    skinData_->BackgroundDirty = true;
    Repaint();
    Click();
  }
  framework::TButton::KeyUp(key, shift);
}

}  // namespace skin
