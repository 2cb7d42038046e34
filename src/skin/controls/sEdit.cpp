#include "skin/controls/sEdit.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/Utf8.h"
#include "platform/windows/Paint.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sContrast.h"
#include "skin/paint/sCornerRepair.h"
#include "skin/paint/sSkinText.h"

namespace skin {

using framework::TClassInfo;
using framework::TComponent;
using framework::TMessage;
using platform::HDC;
using platform::TRect;

namespace {

// The frame the hot edit takes from its cache: two pixels on every side.
constexpr int kFrameWidth = 2;

bool ParentDirtyQuery(framework::TControl* control) {
  return control->Parent() && QuerySkinCommand(control->Parent(), SKC_ISPARTLYPAINTED);
}

}  // namespace

const TClassInfo& TsEdit::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsEdit>("TsEdit", framework::TEdit::StaticClassInfo())
          .Creatable()
          .Object("SkinData", &TsEdit::SkinData)
          .Set(
              "DisabledKind", [](const TsEdit& e) { return uint32_t{e.DisabledKind()}; },
              [](TsEdit& e, uint32_t v) { e.SetDisabledKind(static_cast<TsDisabledKind>(v)); },
              {{"dkBlended", dkBlended}, {"dkGrayed", dkGrayed}}, dkBlended)
          .Object("BoundLabel", &TsEdit::BoundLabel);
  return info;
}

TsEdit::TsEdit(TComponent* owner)
    : framework::TEdit(owner), skinData_(std::make_unique<TsCommonData>(this, true)) {
  skinData_->ControlType = ctEdit;
  boundLabel_ = std::make_unique<TsBoundLabel>(this, skinData_.get());
}

// The label goes first, then the binding, before any part of the edit itself.
TsEdit::~TsEdit() {
  boundLabel_.reset();
  skinData_.reset();
}

void TsEdit::SetDisabledKind(TsDisabledKind value) {
  disabledKind_ = value;
  skinData_->Invalidate();
}

void TsEdit::AfterConstruction() {
  framework::TEdit::AfterConstruction();
  skinData_->Loaded();
}

void TsEdit::Notification(TComponent* component, framework::TOperation operation) {
  framework::TEdit::Notification(component, operation);
  if (operation == framework::opRemove && skinData_) skinData_->ComponentRemoved(component);
}

void TsEdit::GetSelectionColors(platform::TColor& back, platform::TColor& text) const {
  const TsGeneralData* section = skinData_->Skinned(true) ? skinData_->Section() : nullptr;
  if (!section) {
    framework::TEdit::GetSelectionColors(back, text);
    return;
  }
  const TsSelectionColors colors = MixedSelectionColors(section->FontColor[0], section->Color);
  back = colors.Back;
  text = colors.Text;
}

void TsEdit::Loaded() {
  framework::TEdit::Loaded();
  skinData_->Loaded();
}

// ---- rendering

void TsEdit::RenderCache() {
  skinData_->PrepareCache();
  const TsLook look = skinData_->IsHot() ? lkHot : lkNormal;
  const TCacheInfo parent = skinData_->GetParentCache();
  PaintControlFace(
      *skinData_, parent, bfFillCentre,
      {skinData_->CacheBitmap.get(), {Left(), Top()}, {0, 0, Width(), Height()}, look});
  DrawTextIntoCache(look);
  if (!Enabled())
    PaintDisabledLook(skinData_->CacheBitmap.get(), disabledKind_, Parent(), {Left(), Top()},
                      parent);
  skinData_->BackgroundDirty = false;
}

void TsEdit::DrawTextIntoCache(TsLook look) {
  framework::TCanvas* canvas = skinData_->CacheBitmap->Canvas();
  canvas->SetFont(Font());
  const int a = BorderInset();
  TRect rect{a + 1, a + 1, Width() - a, Height() - a};
  std::string text = Text();
  if (PasswordChar()) {
    const std::string one = platform::EncodeUtf8(PasswordChar());
    std::string masked;
    for (size_t i = 0; i < text.size();) {
      platform::NextCodePoint(text, i);
      masked += one;
    }
    text = std::move(masked);
  }
  DrawSkinText(canvas, text, true, look != lkNormal, *skinData_,
               platform::DT_WORDBREAK | platform::DT_SINGLELINE | platform::DT_NOPREFIX, rect);
}

// ---- painting

void TsEdit::FullPaint() {
  platform::PAINTSTRUCT ps;
  platform::BeginPaint(Handle(), &ps);
  HDC dc = platform::GetWindowDC(Handle());
  const int saved = platform::SaveDC(dc);
  skinData_->PaintDeferred = skinData_->IsDeferred();
  if (!skinData_->PaintDeferred) {
    bool dirty = true;
    if (!skinData_->BackgroundDirty && !skinData_->PartlyPainted) dirty = ParentDirtyQuery(this);
    skinData_->BackgroundDirty = dirty;
    const TRect parentArea = Parent()->ClientRect();
    const TRect bounds = BoundsRect();
    skinData_->PartlyPainted = bounds.Intersected(parentArea) != bounds;
    if (skinData_->BackgroundDirty && !skinData_->CacheFrozen) RenderCache();
    RepairCorners(*skinData_, lkNormal, kAllCorners);
    const framework::TBitmap* cache = skinData_->CacheBitmap.get();
    platform::BitBlt(dc, 0, 0, cache->Width(), cache->Height(),
                     skinData_->CacheBitmap->Canvas()->Handle(), 0, 0, platform::SRCCOPY);
  }
  platform::RestoreDC(dc, saved);
  platform::ReleaseDC(Handle(), dc);
  platform::EndPaint(Handle(), &ps);
}

void TsEdit::FramePaint() {
  skinData_->PaintDeferred = skinData_->IsDeferred();
  if (skinData_->PaintDeferred) return;
  HDC dc = platform::GetWindowDC(Handle());
  const int saved = platform::SaveDC(dc);
  if (skinData_->BackgroundDirty) RenderCache();
  RepairCorners(*skinData_, lkNormal, kAllCorners);
  HDC cache = skinData_->CacheBitmap->Canvas()->Handle();
  const int w = Width();
  const int h = Height();
  const int f = kFrameWidth;
  platform::BitBlt(dc, 0, 0, w, f, cache, 0, 0, platform::SRCCOPY);
  platform::BitBlt(dc, 0, f, f, h - f, cache, 0, f, platform::SRCCOPY);
  platform::BitBlt(dc, f, h - f, w - 2 * f, f, cache, f, h - f, platform::SRCCOPY);
  platform::BitBlt(dc, w - f, f, f, h - f, cache, w - f, f, platform::SRCCOPY);
  platform::RestoreDC(dc, saved);
  platform::ReleaseDC(Handle(), dc);
}

// ---- window procedure

bool TsEdit::HandleSkinCommand(TMessage& m) {
  const bool fromOurManager =
      reinterpret_cast<TsSkinManager*>(m.LParam) == skinData_->GetSkinManager();
  switch (SkinCommandOf(m.WParam)) {
    case SKC_SETNEWSKIN:
      if (fromOurManager) skinData_->CommonWndProc(m);
      return true;
    case SKC_REMOVESKIN:
      if (fromOurManager) {
        skinData_->CommonWndProc(m);
        // The plain edit draws its own frame again: the skinned one must not stay behind.
        if (HandleAllocated())
          platform::RedrawWindow(Handle(), nullptr, nullptr,
                                 platform::RDW_INVALIDATE | platform::RDW_FRAME);
      }
      return true;
    case SKC_REFRESH:
      if (fromOurManager) {
        skinData_->CommonWndProc(m);
        Repaint();
      }
      return true;
    case SKC_ISSKINNED: m.LParam = 1; return true;
    case SKC_HASPATTERNBG: m.LParam = 0; return true;
    default: return false;
  }
}

bool TsEdit::HandleSkinnedBefore(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_PAINT:
      if (skinData_->IsHot())
        FramePaint();
      else
        FullPaint();
      return false;
    case platform::WM_ERASEBKGND: m.Result = 1; return true;
    case platform::WM_NCPAINT: FramePaint(); return true;
    case platform::WM_PRINT:
      Perform(platform::WM_PAINT, m.WParam, m.LParam);
      Perform(platform::WM_NCPAINT, m.WParam, m.LParam);
      return true;
    case framework::CM_COLORCHANGED:
      if (skinData_->CustomColor()) skinData_->BackgroundDirty = true;
      return false;
    default: return false;
  }
}

void TsEdit::HandleSkinnedAfter(const TMessage& m, bool wasHot) {
  switch (m.Msg) {
    case SM_SKINCMD:
      switch (SkinCommandOf(m.WParam)) {
        case SKC_PARENTPAINTED:
          if (skinData_->IsDeferred()) {
            skinData_->PaintDeferred = false;
            Repaint();
          }
          return;
        case SKC_FREEZECACHE:
          if (skinData_->CacheFrozen) RenderCache();
          return;
        default: return;
      }
    case platform::WM_KILLFOCUS:
    case framework::CM_EXIT:
      // Painted with the next paint, together with whatever else the focus change altered
      // (the focused slot's selection): not once for each of the two messages.
      skinData_->HasFocus = false;
      skinData_->MouseOver = false;
      skinData_->BackgroundDirty = true;
      if (Visible()) Invalidate();
      return;
    case framework::CM_MOUSEENTER:
    case framework::CM_MOUSELEAVE:
      // Under the mouse the edit shows its hot look at once, and leaves it at once.
      if (skinData_->IsHot() != wasHot) skinData_->Invalidate();
      return;
    case platform::WM_SETTEXT:
    case platform::WM_SETFONT:
    case framework::CM_VISIBLECHANGED:
    case framework::CM_ENABLEDCHANGED:
    case framework::CM_TEXTCHANGED:
      if (!HasState(framework::csLoading)) skinData_->Invalidate();
      return;
    default: return;
  }
}

void TsEdit::FollowWithBoundLabel(const TMessage& m) {
  if (!boundLabel_ || !boundLabel_->TheLabel()) return;
  switch (m.Msg) {
    case platform::WM_SIZE:
    case platform::WM_WINDOWPOSCHANGED: boundLabel_->AlignLabel(); return;
    case framework::CM_VISIBLECHANGED:
      boundLabel_->UpdateVisibility();
      boundLabel_->AlignLabel();
      return;
    case framework::CM_ENABLEDCHANGED:
      boundLabel_->UpdateEnabled();
      boundLabel_->AlignLabel();
      return;
    case framework::CM_BIDIMODECHANGED: boundLabel_->UpdateBiDiMode(); return;
    default: return;
  }
}

void TsEdit::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCMD && HandleSkinCommand(m)) return;
  if (!skinData_->OwnerReady() || !skinData_->Skinned()) {
    framework::TEdit::WndProc(m);
    FollowWithBoundLabel(m);
    return;
  }
  if (HandleSkinnedBefore(m)) return;
  const bool wasHot = skinData_->IsHot();
  if (!skinData_->CommonWndProc(m)) framework::TEdit::WndProc(m);
  HandleSkinnedAfter(m, wasHot);
  FollowWithBoundLabel(m);
}

}  // namespace skin
