#include "skin/forms/sSkinProvider.h"

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/windows/Paint.h"
#include "platform/windows/Screen.h"
#include "platform/windows/Window.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sGraphicChildren.h"

namespace skin {

using framework::TClassInfo;
using framework::TComponent;
using framework::TControl;
using framework::TCustomForm;
using framework::TMessage;
using framework::TWinControl;
using platform::HDC;
using platform::TRect;

namespace {

TCustomForm* NearestForm(TComponent* owner) {
  for (TComponent* c = owner; c; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

}  // namespace

const TClassInfo& TsSkinProvider::StaticClassInfo() {
  using P = TsSkinProvider;
  static const TClassInfo info =
      framework::TClassBuilder<P>("TsSkinProvider", TComponent::StaticClassInfo())
          .Creatable()
          .Set("BorderIcons", &P::BorderIcons,
               {{"biSystemMenu", biSystemMenu},
                {"biMinimize", biMinimize},
                {"biMaximize", biMaximize},
                {"biHelp", biHelp}},
               biSystemMenu | biMinimize | biMaximize)
          .Enum("CaptionAlignment", &P::CaptionAlignment,
                {{"taLeftJustify", framework::taLeftJustify},
                 {"taRightJustify", framework::taRightJustify},
                 {"taCenter", framework::taCenter}},
                framework::taLeftJustify)
          .Object("SkinData", &P::SkinData)
          .Enum("GripMode", &P::GripMode, {{"gmNone", gmNone}, {"gmRightBottom", gmRightBottom}},
                gmNone)
          .Boolean("MakeSkinMenu", &P::MakeSkinMenu, true)
          .String("MenuLineSkin", &P::MenuLineSkin)
          .Enum("ResizeMode", &P::ResizeMode, {{"rmStandard", rmStandard}, {"rmBorder", rmBorder}},
                rmStandard)
          .Boolean("ScreenSnap", &P::ScreenSnap, false)
          .Integer("SnapBuffer", &P::SnapBuffer, 10)
          .Boolean("ShowAppIcon", &P::ShowAppIcon, true)
          .Collection("TitleButtons", &P::TitleButtons)
          .Object("TitleIcon", &P::TitleIcon)
          .String("TitleSkin", &P::TitleSkin)
          .Boolean("UseGlobalColor", &P::UseGlobalColor, true);
  return info;
}

// ---- life

TsSkinProvider::TsSkinProvider(TComponent* owner)
    : TComponent(owner),
      skinData_(std::make_unique<TsCommonData>(this, true)),
      titleButtons_(std::make_unique<TsTitleButtons>()),
      titleIcon_(std::make_unique<TsTitleIcon>()),
      ownerForm_(NearestForm(owner)) {
  skinData_->ControlType = ctForm;
  skinData_->ProviderForm = ownerForm_;
  skinData_->SetSkinSection("FORM");
  if (HasState(framework::csDesigning) || !ownerForm_) return;
  savedBorderIcons_ = ownerForm_->BorderIcons();
  // The provider draws what a scrolling form would need itself.
  savedWindowProc_ = ownerForm_->WindowProc;
  ownerForm_->WindowProc = [this](TMessage& m) { FormWindowProc(m); };
  formActive_ = true;
  hotTitleItem_ = -1;
}

TsSkinProvider::~TsSkinProvider() {
  Destroying();
  if (ownerForm_ && savedWindowProc_) ownerForm_->WindowProc = savedWindowProc_;
}

void TsSkinProvider::AfterConstruction() {
  TComponent::AfterConstruction();
  if (ManagerAtHand()) SetupForm();
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  if (ManagerAtHand() && skinData_->SkinReady()) SetupForm();
}

void TsSkinProvider::Notification(TComponent* component, framework::TOperation operation) {
  TComponent::Notification(component, operation);
  auto* manager = dynamic_cast<TsSkinManager*>(component);
  if (!manager) return;
  if (operation == framework::opInsert && !skinData_->SkinManager())
    skinData_->SetSkinManager(manager);
  else if (operation == framework::opRemove)
    skinData_->ComponentRemoved(component);
}

bool TsSkinProvider::ManagerAtHand() const { return skinData_->GetSkinManager() != nullptr; }

bool TsSkinProvider::FromOurManager(const TMessage& m) const {
  return skinData_->FromOurManager(m);
}

void TsSkinProvider::PassOn(TMessage& m) {
  if (savedWindowProc_) savedWindowProc_(m);
}

void TsSkinProvider::BroadcastToChildren(TMessage& m) {
  try {
    BroadcastSkinMessage(ownerForm_, m);
  } catch (const std::exception&) {
    // A control that fails ends the pass; the form itself goes on.
  }
}

// ---- setting up

void TsSkinProvider::SetupForm() {
  TsSkinManager* manager = skinData_->GetSkinManager();
  if (!manager || !ownerForm_) return;
  skinData_->Loaded();
  setUp_ = true;
  if (firstSetup_ && manager->Active() && manager->SkinData().SkinReady) {
    firstSetup_ = false;
    DropBorderIcons();
  }
  skinData_->UpdateIndexes();
  if (!ownerForm_->HasState(framework::csCreating) && !ownerForm_->HasState(framework::csReading) &&
      !HasState(framework::csLoading))
    SetFormColorFromSkin();
}

void TsSkinProvider::DropBorderIcons() {
  try {
    if (ownerForm_->BorderIcons() != 0) ownerForm_->SetBorderIcons(0);
  } catch (const std::exception&) {
    // A form that refuses keeps its icons; the provider draws over them.
  }
}

void TsSkinProvider::SetFormColorFromSkin() {
  TsSkinManager* manager = skinData_->GetSkinManager();
  if (manager && UseGlobalColor && !skinData_->CustomColor())
    ownerForm_->SetColor(manager->Tables().GlobalBackgroundColor());
}

void TsSkinProvider::ApplyNewSkin(TMessage&) {
  skinData_->UpdateIndexes();
  if (ManagerAtHand()) DropBorderIcons();
  skinData_->BackgroundDirty = true;
  hotTitleItem_ = -1;
  SetFormColorFromSkin();
}

void TsSkinProvider::RemoveSkin(TMessage& m) {
  if (!FromOurManager(m)) {
    BroadcastToChildren(m);
    return;
  }
  skinData_->CommonMessage(m);
  hotTitleItem_ = -1;
  BroadcastToChildren(m);
  if (UseGlobalColor && !skinData_->CustomColor()) ownerForm_->SetColor(platform::clBtnFace);
  if (ManagerAtHand() && ownerForm_->BorderIcons() != savedBorderIcons_)
    ownerForm_->SetBorderIcons(savedBorderIcons_);
  // The plain form paints itself again, in its own colour.
  if (ownerForm_->HandleAllocated())
    platform::RedrawWindow(ownerForm_->Handle(), nullptr, nullptr,
                           platform::RDW_INVALIDATE | platform::RDW_ERASE | platform::RDW_FRAME);
}

void TsSkinProvider::SkinMessage(TMessage& m) { FormWindowProc(m); }

// ---- the form's window procedure

void TsSkinProvider::FormWindowProc(TMessage& m) {
  if (HasState(framework::csDesigning)) {
    PassOn(m);
    return;
  }
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCommandOf(m.WParam)) {
      case SKC_SETNEWSKIN:
        if (!setUp_) SetupForm();
        break;
      case SKC_REMOVESKIN: RemoveSkin(m); return;
      case SKC_ISSKINNED: m.LParam = 1; return;
      default: break;
    }
  }
  if (!ownerForm_->HasState(framework::csDestroying) && skinData_->SkinReady()) {
    if (m.Msg == SM_SKINCMD)
      SkinnedSkinCommand(m);
    else
      SkinnedWindowMessage(m);
    return;
  }
  if (m.Msg == SM_SKINCMD && SkinCommandOf(m.WParam) == SKC_SETNEWSKIN && FromOurManager(m)) {
    ApplyNewSkin(m);
    BroadcastToChildren(m);
    return;
  }
  PassOn(m);
}

void TsSkinProvider::SkinnedSkinCommand(TMessage& m) {
  const uint16_t argument = SkinArgumentOf(m.WParam);
  switch (SkinCommandOf(m.WParam)) {
    case SKC_SETNEWSKIN:
      if (!FromOurManager(m)) return;
      skinData_->UpdateIndexes();
      DropBorderIcons();
      skinData_->BackgroundDirty = true;
      hotTitleItem_ = -1;
      platform::SendMessage(ownerForm_->Handle(), platform::WM_NCPAINT, 0, 0);
      return;
    case SKC_REFRESH:
      if (!FromOurManager(m)) return;
      skinData_->BackgroundDirty = true;
      hotTitleItem_ = -1;
      skinData_->PaintDeferred = false;
      // The form's controls hear of the refresh too; they wait for the form's image (it is dirty
      // now) and repaint when the form has painted.
      BroadcastToChildren(m);
      if (ownerForm_->Visible() && ownerForm_->HandleAllocated()) {
        // The paint must reach the whole form: a paint with nothing invalid would show nothing.
        platform::InvalidateRect(ownerForm_->Handle(), nullptr, false);
        platform::SendMessage(ownerForm_->Handle(), platform::WM_NCPAINT, 0, 0);
        platform::SendMessage(ownerForm_->Handle(), platform::WM_PAINT, 0, 0);
      }
      SetFormColorFromSkin();
      return;
    case SKC_GETPROVIDER: m.Result = reinterpret_cast<platform::LRESULT>(this); return;
    case SKC_GETCACHE:
      if (HasState(framework::csLoading)) return;
      ParentCache() = {skinData_->CacheBitmap.get(),
                       (ownerForm_->Width() - ownerForm_->ClientWidth()) / 2,
                       ownerForm_->Height() - ownerForm_->ClientHeight(), true};
      return;
    case SKC_SETDEFERRED:
      skinData_->PaintDeferred = argument == 1;
      if (skinData_->IsDeferred()) skinData_->BackgroundDirty = true;
      return;
    case SKC_FREEZECACHE:
      skinData_->CacheFrozen = (argument & 0xFF) != 0;
      if (skinData_->CacheFrozen) RenderFormImage();
      skinData_->CommonMessage(m);
      return;
    case SKC_ISDIRTY:
      m.LParam = (skinData_->BackgroundDirty || skinData_->IsDeferred()) ? 1 : 0;
      return;
    case SKC_ATTACH: skinData_->AttachedControl = reinterpret_cast<TControl*>(m.LParam); return;
    case SKC_HASPATTERNBG: {
      const TsGeneralData* section = skinData_->Section();
      m.LParam = section && HasPatternShares(*section) ? 1 : 0;
      return;
    }
    case SKC_GETCOLOR: {
      const TsGeneralData* section = skinData_->Section();
      ColorSlot() = section && skinData_->BoundToSection() && !skinData_->CustomColor()
                        ? section->HotColor
                        : platform::ColorToRGB(ownerForm_->Color());
      return;
    }
    default: return;
  }
}

void TsSkinProvider::SkinnedWindowMessage(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_SIZE: {
      PassOn(m);
      const TsGeneralData* section = skinData_->Section();
      if (!skinData_->BoundToSection() || !section || section->GradientPercent <= 0) return;
      for (int i = 0; i < ownerForm_->ControlCount(); ++i) {
        TControl* child = ownerForm_->Controls(i);
        if (child->HasState(framework::csDestroying)) continue;
        TMessage repaint{SM_SKINCMD, SkinWParam(SKC_REPAINTALL, 1), 0, 0};
        child->WindowProc(repaint);
      }
      return;
    }
    case platform::WM_ACTIVATE: {
      PassOn(m);
      if (ownerForm_->HasState(framework::csCreating)) return;
      formActive_ = platform::LOWORD(m.WParam) != platform::WA_INACTIVE;
      skinData_->BackgroundDirty = true;
      hotTitleItem_ = -1;
      if (!ownerForm_->HandleAllocated()) return;
      platform::SendMessage(ownerForm_->Handle(), platform::WM_NCPAINT, 0, 0);
      // A borderless form's client-aligned control covers it: that control shows the new image.
      for (TControl* child : ownerForm_->ControlList()) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed && child->Align() == framework::alClient) {
          if (windowed->HandleAllocated())
            platform::SendMessage(windowed->Handle(), platform::WM_PAINT, 0, 0);
          break;
        }
      }
      return;
    }
    case platform::WM_PAINT:
      if (!ownerForm_->Visible() || ownerForm_->HasState(framework::csCreating)) {
        PassOn(m);
        return;
      }
      PaintFormClient();
      if (ownerForm_->OnPaint) ownerForm_->OnPaint(ownerForm_);
      m.Result = 1;
      if (skinData_->CacheFrozen) UnfreezeCaches(ownerForm_);
      return;
    case platform::WM_ERASEBKGND:
      // The form's image covers it all: nothing is erased, so nothing flickers.
      m.Result = 1;
      return;
    case platform::WM_WINDOWPOSCHANGED:
    case platform::WM_EXITSIZEMOVE: {
      if (SkinChanging()) return;
      PassOn(m);
      const framework::TBitmap* cache = skinData_->CacheBitmap.get();
      if (!ownerForm_->Visible() || !cache || !ownerForm_->HandleAllocated()) return;
      if (cache->Width() == ownerForm_->Width() && cache->Height() == ownerForm_->Height()) return;
      if (!ownerForm_->HasState(framework::csCreating)) skinData_->BackgroundDirty = true;
      hotTitleItem_ = -1;
      platform::SendMessage(ownerForm_->Handle(), platform::WM_NCPAINT, 0, 0);
      platform::SendMessage(ownerForm_->Handle(), platform::WM_PAINT, 0, 0);
      return;
    }
    case platform::WM_NCPAINT:
    case platform::WM_PRINT: NonClientPaint(); return;
    case platform::WM_GETMINMAXINFO: AnswerMinMaxInfo(m); return;
    default: PassOn(m); return;
  }
}

// What the form does not decide itself comes from the work area: maximized, the form covers it
// (a bordered form with its frame just outside), and the user may not drag it larger.
void TsSkinProvider::AnswerMinMaxInfo(TMessage& m) {
  auto* info = reinterpret_cast<platform::MINMAXINFO*>(m.LParam);
  if (!info) {
    PassOn(m);
    return;
  }
  info->ptMaxPosition = {-1, -1};
  info->ptMaxTrackSize = {-1, -1};
  PassOn(m);
  const platform::TRect work = platform::GetWorkArea();
  const int frame = ownerForm_->BorderStyle() == framework::bsNone
                        ? 0
                        : (ownerForm_->Width() - ownerForm_->ClientWidth()) / 2;
  auto fill = [](int& field, int value) {
    if (field == -1) field = value;
  };
  fill(info->ptMaxTrackSize.X, work.Width() + 2 * frame);
  fill(info->ptMaxTrackSize.Y, work.Height() + 2 * frame);
  fill(info->ptMaxPosition.X, work.Left - frame);
  fill(info->ptMaxPosition.Y, work.Top - frame);
}

// ---- painting

// A borderless form has no frame to copy: what remains is rendering a dirty image in time.
void TsSkinProvider::NonClientPaint() {
  if (!ownerForm_->Visible() || ownerForm_->HasState(framework::csCreating) ||
      ownerForm_->HasState(framework::csDestroying) || HasState(framework::csLoading))
    return;
  skinData_->PaintDeferred = skinData_->IsDeferred();
  if (skinData_->PaintDeferred) return;
  if (skinData_->BackgroundDirty) RenderFormImage();
}

void TsSkinProvider::RenderFormImage() {
  if (!skinData_->BackgroundDirty || !ownerForm_ || ownerForm_->HasState(framework::csCreating))
    return;
  const int width = ownerForm_->Width();
  const int height = ownerForm_->Height();
  framework::TBitmap* cache = skinData_->CacheBitmap.get();
  if (cache->Width() != width || cache->Height() != height) cache->SetSize(width, height);
  // No parent image and no colour of its own: the section's values, hot while the form is active.
  if (skinData_->Section())
    PaintSectionBackground(
        {skinData_->SkinTables(), skinData_->SectionIndex, skinData_->SkinSection()}, TCacheInfo{},
        kKeyColor, {cache, {0, 0}, {0, 0, width, height}, formActive_ ? lkHot : lkNormal});
  skinData_->BackgroundDirty = false;
  skinData_->PaintDeferred = false;
}

void TsSkinProvider::PaintFormClient() {
  const platform::HWND handle = ownerForm_->Handle();
  const platform::PaintScope paint(handle);
  HDC dc = paint.DC();
  if (!dc) return;
  {
    framework::TCanvasBinding binding(*ownerForm_->Canvas(), dc);
    const platform::SavedDC saved(dc);
    skinData_->PaintDeferred = skinData_->IsDeferred();
    if (!skinData_->PaintDeferred && !ownerForm_->HasState(framework::csDestroying) &&
        !paintingParts_) {
      if (!skinData_->AttachedControl) {
        if (!skinData_->CacheFrozen) RenderFormImage();
        const int offsetX = (ownerForm_->Width() - ownerForm_->ClientWidth()) / 2;
        const int offsetY = ownerForm_->Height() - ownerForm_->ClientHeight();
        skinData_->CopyCacheToDC(ownerForm_, offsetX, offsetY, 0, 0, false, dc,
                                 {0, 0, ownerForm_->Width(), ownerForm_->Height()});
        NotifyChildrenPainted(ownerForm_, paint.Info().rcPaint);
        paintingParts_ = true;
        PaintGraphicChildren(dc, ownerForm_);
        paintingParts_ = false;
      } else {
        paintingParts_ = true;
        PaintAttachedControl(dc);
        paintingParts_ = false;
      }
    }
  }
}

// Only the attached control, over the form's image where it does not paint every pixel itself.
void TsSkinProvider::PaintAttachedControl(HDC dc) {
  TControl* control = skinData_->AttachedControl;
  if (!ownerForm_->ContainsControl(control) || control->Parent() != ownerForm_) return;
  const platform::SavedDC saved(dc);
  platform::OffsetViewportOrgEx(dc, control->Left(), control->Top());
  platform::IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
  if (control->ControlStyleHas(framework::csOpaque)) {
    control->Perform(platform::WM_PAINT, reinterpret_cast<platform::WPARAM>(dc), 0);
  } else if (control->Width() > 0 && control->Height() > 0) {
    framework::TBitmap under(control->Width(), control->Height());
    HDC underDC = under.Canvas()->Handle();
    platform::BitBlt(underDC, 0, 0, control->Width(), control->Height(),
                     skinData_->CacheBitmap->Canvas()->Handle(), control->Left(), control->Top(),
                     platform::SRCCOPY);
    control->Perform(platform::WM_PAINT, reinterpret_cast<platform::WPARAM>(underDC), 0);
    platform::BitBlt(dc, 0, 0, control->Width(), control->Height(), underDC, 0, 0,
                     platform::SRCCOPY);
  }
}

}  // namespace skin
