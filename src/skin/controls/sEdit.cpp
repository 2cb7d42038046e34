#include "skin/controls/sEdit.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Paint.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sContrast.h"
#include "skin/paint/sCornerRepair.h"
#include "skin/paint/sSkinText.h"

namespace skin {

using framework::TClassInfo;
using framework::TMessage;
using platform::HDC;
using platform::TRect;

namespace {

// The frame the hot edit takes from its cache: two pixels on every side at the ordinary scale.
constexpr int kFrameWidth = 2;

}  // namespace

const TClassInfo& TsEdit::StaticClassInfo() {
  using E = TsEdit;
  static const TClassInfo info =
      SkinnedClass<E>("TsEdit")
          .Set("DisabledKind", &E::DisabledKind, &E::SetDisabledKind, kDisabledKindNames, dkBlended)
          .Object("BoundLabel", &E::BoundLabel);
  return info;
}

TsEdit::TsEdit(framework::TComponent* owner)
    : TsSkinned(owner, ctEdit, kWithCache),
      boundLabel_(std::make_unique<TsBoundLabel>(this, skinData_.get())) {}

void TsEdit::GetSelectionColors(platform::TColor& back, platform::TColor& text) const {
  const TsGeneralData* section = skinData_->BoundToActiveSkin() ? skinData_->Section() : nullptr;
  if (!section) {
    framework::TEdit::GetSelectionColors(back, text);
    return;
  }
  const TsSelectionColors colors = MixedSelectionColors(section->FontColor[0], section->Color);
  back = colors.Back;
  text = colors.Text;
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
  ShowDisabledLook(parent);
  skinData_->BackgroundDirty = false;
}

void TsEdit::DrawTextIntoCache(TsLook look) {
  framework::TCanvas* canvas = skinData_->CacheBitmap->Canvas();
  canvas->SetFont(Font());
  const int a = BorderInset();
  const int margin = TextMargin();
  TRect rect{a + margin, a + margin, Width() - a, Height() - a};
  std::string masked;
  const std::string_view text = ShownText(rect.Width(), masked);
  DrawSkinText(canvas, text, txEnabled, look, *skinData_,
               platform::DT_WORDBREAK | platform::DT_SINGLELINE | platform::DT_NOPREFIX, rect);
}

// ---- painting

void TsEdit::FullPaint() {
  const platform::PaintScope paint(Handle());
  const platform::WindowDC window(Handle());
  const HDC dc = window.DC();
  const platform::SavedDC saved(dc);
  skinData_->PaintDeferred = skinData_->IsDeferred();
  if (!skinData_->PaintDeferred) {
    CheckCacheAgainstParent();
    if (skinData_->BackgroundDirty && !skinData_->CacheFrozen) RenderCache();
    RepairCorners(*skinData_, lkNormal, kAllCorners);
    const framework::TBitmap* cache = skinData_->CacheBitmap.get();
    platform::BitBlt(dc, 0, 0, cache->Width(), cache->Height(),
                     skinData_->CacheBitmap->Canvas()->Handle(), 0, 0, platform::SRCCOPY);
  }
}

void TsEdit::FramePaint() {
  skinData_->PaintDeferred = skinData_->IsDeferred();
  if (skinData_->PaintDeferred) return;
  const platform::WindowDC window(Handle());
  const HDC dc = window.DC();
  const platform::SavedDC saved(dc);
  if (skinData_->BackgroundDirty) RenderCache();
  RepairCorners(*skinData_, lkNormal, kAllCorners);
  HDC cache = skinData_->CacheBitmap->Canvas()->Handle();
  const int w = Width();
  const int h = Height();
  const int f = FrameScaled(kFrameWidth);
  platform::BitBlt(dc, 0, 0, w, f, cache, 0, 0, platform::SRCCOPY);
  platform::BitBlt(dc, 0, f, f, h - f, cache, 0, f, platform::SRCCOPY);
  platform::BitBlt(dc, f, h - f, w - 2 * f, f, cache, f, h - f, platform::SRCCOPY);
  platform::BitBlt(dc, w - f, f, f, h - f, cache, w - f, f, platform::SRCCOPY);
}

// ---- window procedure

void TsEdit::SkinAnnounced(uint16_t command, TMessage& m) {
  if (!skinData_->FromOurManager(m)) return;
  skinData_->CommonWndProc(m);
  // The plain edit draws its own frame again: the skinned one must not stay behind.
  if (command == SKC_REMOVESKIN && HandleAllocated())
    platform::RedrawWindow(Handle(), nullptr, nullptr,
                           platform::RDW_INVALIDATE | platform::RDW_FRAME);
  if (command == SKC_REFRESH) Repaint();
}

// An edit never offers a patterned background to the controls on it.
bool TsEdit::OwnSkinCommand(TMessage& m) {
  if (SkinCommandOf(m.WParam) != SKC_HASPATTERNBG) return false;
  m.LParam = 0;
  return true;
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
          if (skinData_->IsDeferred()) RepaintUndeferred();
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
  if (!skinData_->OwnerReady() || !skinData_->BoundToSection()) {
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
