#include "skin/controls/sPanel.h"

#include <optional>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/windows/Paint.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sGraphicChildren.h"
#include "skin/paint/sSkinText.h"

namespace skin {

using framework::TClassInfo;
using framework::TMessage;
using platform::HDC;
using platform::TRect;

const TClassInfo& TsPanel::StaticClassInfo() {
  static const TClassInfo info =
      SkinnedClass<TsPanel>("TsPanel").EventProperty("OnPaint", &TsPanel::OnPaint);
  return info;
}

TsPanel::TsPanel(framework::TComponent* owner) : TsSkinned(owner, ctPanel, kWithCache) {
  SetControlStyle(ControlStyle() | framework::csOpaque);
}

void TsPanel::Paint() {
  if (skinData_->BoundToSection() || !OnPaint) {
    framework::TPanel::Paint();
    return;
  }
  OnPaint(this, Canvas());
}

void TsPanel::PaintWindow(HDC dc) {
  framework::TPanel::PaintWindow(dc);
  PaintSkinned(dc);
}

// ---- skinned painting

void TsPanel::PaintSkinned(HDC dc) {
  if (HasState(framework::csDestroying) || !skinData_->SkinReady()) return;
  if (Parent() && Parent()->HasState(framework::csCreating)) return;
  skinData_->PaintDeferred = skinData_->IsDeferred();
  if (skinData_->PaintDeferred) return;
  const bool redraw = skinData_->PartlyPainted || skinData_->BackgroundDirty;
  if (!dc) dc = Canvas()->Handle();
  const TRect whole{0, 0, Width(), Height()};
  if (skinData_->DependsOnParent()) {
    TRect box;
    platform::GetClipBox(dc, &box);
    skinData_->PartlyPainted = box != whole;
  } else {
    skinData_->PartlyPainted = false;
  }
  if (redraw && !skinData_->CacheFrozen) RenderCache();
  skinData_->CopyCacheToDC(this, 0, 0, 0, 0, true, dc, whole);
  PaintGraphicChildren(dc, this);
  NotifyChildrenPainted(this);
}

void TsPanel::RenderCache() {
  skinData_->PrepareCache();
  const TCacheInfo parent = skinData_->GetParentCache();
  PaintControlFace(*skinData_, parent, 0,
                   {skinData_->CacheBitmap.get(), {Left(), Top()}, {0, 0, Width(), Height()}});
  WriteCaption();
  skinData_->BackgroundDirty = false;
  if (OnPaint) OnPaint(this, skinData_->CacheBitmap->Canvas());
}

// The caption on one line of the font's height, centred vertically, aligned as the panel says,
// in the section's text colours. The section's borders stand where the bevels would.
void TsPanel::WriteCaption() {
  framework::TCanvas* canvas = skinData_->CacheBitmap->Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(framework::bsClear);
  TRect rect = ClientRect();
  const int h = canvas->TextHeight("W");
  rect.Top = (rect.Top + rect.Bottom - h) / 2;
  rect.Bottom = rect.Top + h;
  const unsigned flags = AlignmentTextFlags(this, Alignment()) | platform::DT_NOPREFIX;
  DrawSkinText(canvas, Caption(), Enabled() ? txEnabled : txDisabled, lkNormal, *skinData_, flags,
               rect);
}

// ---- window procedure

void TsPanel::SkinAnnounced(uint16_t command, TMessage& m) {
  const bool ours = skinData_->FromOurManager(m);
  switch (command) {
    case SKC_SETNEWSKIN:
      BroadcastSkinMessage(this, m);
      if (ours) skinData_->CommonWndProc(m);
      return;
    case SKC_REMOVESKIN:
      if (ours) {
        skinData_->CommonWndProc(m);
        framework::TPanel::Invalidate();
      }
      BroadcastSkinMessage(this, m);
      return;
    case SKC_REFRESH:
      if (ours) skinData_->CommonWndProc(m);
      BroadcastSkinMessage(this, m);
      if (ours) Repaint();
      return;
    default: return;
  }
}

void TsPanel::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCMD && HandleSkinCommand(m)) return;
  if (!skinData_->OwnerReady() || !skinData_->BoundToSection()) {
    if (m.Msg == platform::WM_ERASEBKGND && OnPaint) return;
    framework::TPanel::WndProc(m);
    return;
  }
  HandleSkinnedMessage(m);
}

void TsPanel::HandleSkinnedMessage(TMessage& m) {
  switch (m.Msg) {
    case SM_SKINCMD:
      switch (SkinCommandOf(m.WParam)) {
        case SKC_PARENTPAINTED:
          // As on the NT family: a parent's notice always repaints, deferred or not.
          RepaintUndeferred();
          return;
        case SKC_FREEZECACHE:
          skinData_->CommonWndProc(m);
          if (skinData_->CacheFrozen) {
            skinData_->PrepareCache();
            RenderCache();
          }
          return;
        case SKC_ISDIRTY:
          m.LParam = (skinData_->BackgroundDirty || skinData_->IsDeferred()) ? 1 : 0;
          return;
        default: skinData_->CommonMessage(m); return;
      }
    case platform::WM_SETFOCUS:
    case platform::WM_KILLFOCUS: framework::TPanel::WndProc(m); return;
    case platform::WM_PAINT: {
      if (!Visible() && !HasState(framework::csDesigning)) {
        framework::TPanel::WndProc(m);
        return;
      }
      SetControlState(ControlState() | framework::csCustomPaint);
      {
        const platform::PaintScope paint(Handle());
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        std::optional<platform::WindowDC> window;  // only when no context came with the message
        if (!dc) dc = window.emplace(Handle()).DC();
        if (dc) {
          const platform::SavedDC saved(dc);
          framework::TCanvasBinding binding(*Canvas(), dc);
          PaintSkinned(dc);
        }
      }
      SetControlState(ControlState() & ~framework::csCustomPaint);
      return;
    }
    case platform::WM_ERASEBKGND: m.Result = 1; return;
    case framework::CM_VISIBLECHANGED:
      skinData_->BackgroundDirty = true;
      RepaintUndeferred();
      framework::TPanel::WndProc(m);
      return;
    case framework::CM_TEXTCHANGED:
      if (Parent()) skinData_->Invalidate();
      return;
    default: break;
  }
  if (skinData_->CommonWndProc(m)) return;
  framework::TPanel::WndProc(m);
  // The class library tells a font change as CM_FONTCHANGED; the caption must be drawn again.
  if ((m.Msg == platform::WM_SETFONT || m.Msg == framework::CM_FONTCHANGED) && !Caption().empty()) {
    skinData_->BackgroundDirty = true;
    Repaint();
  }
}

}  // namespace skin
