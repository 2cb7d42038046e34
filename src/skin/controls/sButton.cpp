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
using framework::TMessage;
using platform::HDC;
using platform::TRect;

const TClassInfo& TsButton::StaticClassInfo() {
  using B = TsButton;
  static const TClassInfo info =
      FadingClass<B>("TsButton")
          .Set("DisabledKind", &B::DisabledKind, &B::SetDisabledKind, kDisabledKindNames, dkBlended)
          .Boolean("Down", &B::Down, &B::SetDown, false)
          .Integer("FocusMargin", &B::FocusMargin, &B::SetFocusMargin, 1);
  return info;
}

TsButton::TsButton(framework::TComponent* owner) : TsFading(owner, ctButton, kWithCache) {
  // The shaped face lets the parent show at its corners.
  SetControlStyle(ControlStyle() & ~framework::csOpaque);
}

void TsButton::SetDown(bool value) {
  if (value == down_) return;
  down_ = value;
  pressed_ = value;
  regionDirty_ = true;
  skinData_->BackgroundDirty = true;
  Repaint();
}

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
  DrawSkinText(canvas, caption, txEnabled, hot ? lkHot : lkNormal, *skinData_, flags, rect);
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
    PaintControlBackground(*skinData_, parent,
                           faceColors.Filled({cache, {Left(), Top()}, whole, look}));
    if (regionDirty_) region_ = platform::Region(whole);
    const TsSkinTables* tables = skinData_->SkinTables();
    if (const TsMaskData* border = tables ? tables->Mask(skinData_->BorderMaskIndex) : nullptr)
      DrawBorderMaskWithRegion(cache, region_, bfFillCentre, look, *border);
    DrawCaption();
    ShowDisabledLook(parent);
  }
  skinData_->BackgroundDirty = false;
}

void TsButton::ApplyRegion() {
  if (HasState(framework::csDesigning) || !HandleAllocated()) return;
  platform::SetWindowRgn(Handle(), region_, false);
  regionDirty_ = false;
}

void TsButton::PaintSkinned() {
  const platform::PaintScope paint(Handle());
  const platform::WindowDC window(Handle());
  const HDC dc = window.DC();
  const platform::SavedDC saved(dc);
  skinData_->PaintDeferred = skinData_->IsDeferred();
  // While a fade runs, its frames are the picture.
  if (dc && !skinData_->PaintDeferred && !Fading()) {
    StopTheFade();
    CheckCacheAgainstParent();
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
}

bool TsButton::ShowCachedLook() {
  if (skinData_->BackgroundDirty || regionDirty_ || skinData_->IsDeferred() || !HandleAllocated())
    return false;
  const platform::WindowDC window(Handle());
  const HDC dc = window.DC();
  if (!dc) return false;
  const platform::SavedDC saved(dc);
  framework::TBitmap* cache = skinData_->CacheBitmap.get();
  platform::BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
                   platform::SRCCOPY);
  return true;
}

// ---- window procedure

void TsButton::SkinAnnounced(uint16_t command, TMessage& m) {
  if (!skinData_->FromOurManager(m)) return;
  StopTheFade();
  skinData_->CommonWndProc(m);
  regionDirty_ = true;
  if (command == SKC_REMOVESKIN && HandleAllocated())
    platform::SetWindowRgn(Handle(), std::nullopt, false);
  if (command != SKC_SETNEWSKIN) Repaint();
}

bool TsButton::HandleSkinnedMessage(TMessage& m) {
  const bool designing = HasState(framework::csDesigning);
  switch (m.Msg) {
    case SM_SKINCMD:
      switch (SkinCommandOf(m.WParam)) {
        case SKC_PARENTPAINTED:
          if (skinData_->IsDeferred()) RepaintUndeferred();
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
    case platform::WM_KILLFOCUS:
    case framework::CM_EXIT: return HandleFocusChange(m);
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

bool TsButton::HandleFocusChange(TMessage& m) {
  if (HasState(framework::csDesigning)) return false;
  switch (m.Msg) {
    case platform::WM_SETFOCUS:
    case framework::CM_ENTER:
      if (!Enabled()) return true;
      framework::TButton::WndProc(m);
      // Also when a press brings the focus: the cache is then marked dirty, so the press that
      // follows shows the pressed look at once instead of fading from a look that is outdated.
      if (!ShowNextFadeFrame()) skinData_->Invalidate();
      return true;
    case platform::WM_KILLFOCUS:
    case framework::CM_EXIT:
      pressed_ = false;
      if (!Enabled()) return false;
      StopTheFade();
      framework::TButton::WndProc(m);
      skinData_->HasFocus = false;
      regionDirty_ = true;
      skinData_->Invalidate();
      return true;
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
  if (!skinData_->OwnerReady() || !BoundToActiveSkin()) {
    framework::TButton::WndProc(m);
    return;
  }
  if (HandleSkinnedMessage(m)) return;
  if (skinData_->CommonWndProc(m)) return;
  framework::TButton::WndProc(m);
  AfterInherited(m);
}

// ---- scaling

void TsButton::ChangeScale(int m, int d) {
  TsFading<framework::TButton>::ChangeScale(m, d);
  focusMargin_ = framework::MulDiv(focusMargin_, m, d);
}

// ---- mouse and keys

void TsButton::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x,
                         int y) {
  if (BoundToActiveSkin() && Enabled() && !HasState(framework::csDesigning)) {
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
  if (BoundToActiveSkin() && Enabled() && !HasState(framework::csDesigning)) {
    framework::TApplication* app = framework::Application();
    if (button == framework::mbLeft && app) app->SetShowHint(savedShowHint_);
    if (!mouseCaptured_ || HasState(framework::csDestroying)) return;
    mouseCaptured_ = false;
    if (button == framework::mbLeft) {
      // A press fade still under way ends at once; the release fades from the pressed look.
      if (FadeTimer() && FadeTimer()->Level < FadeTimer()->Iterations) {
        FadeTimer()->SetEnabled(false);
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
  if (BoundToActiveSkin() && IsDown() && key == platform::VK_SPACE) {
    pressed_ = false;
    regionDirty_ = true;
    skinData_->BackgroundDirty = true;
    Repaint();
    Click();
  }
  framework::TButton::KeyUp(key, shift);
}

}  // namespace skin
