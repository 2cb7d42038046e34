#include "skin/controls/sCheckBox.h"

#include <optional>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Input.h"
#include "platform/windows/Paint.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sCornerRepair.h"
#include "skin/paint/sImageListGlyph.h"
#include "skin/paint/sSkinText.h"
#include "skin/paint/sStateImage.h"

namespace skin {

using framework::TClassInfo;
using framework::TMessage;
using platform::HDC;
using platform::TRect;
using platform::TSize;

namespace {

// Sizing assumes this glyph when the skin has no "BOXCHECKED" mask.
constexpr int kDefaultGlyphSide = 16;

TSize MaskCellSize(const TsMaskData& mask) {
  if (mask.Bmp && !mask.Bmp->Empty()) return {mask.Bmp->Width() / 3, mask.Bmp->Height() / 2};
  const int count = mask.ImageCount > 0 ? mask.ImageCount : 1;
  return {mask.R.Width() / count, mask.R.Height() / (mask.MaskType + 1)};
}

std::unique_ptr<framework::TBitmap> CopyOf(const framework::TBitmap* source) {
  auto copy = std::make_unique<framework::TBitmap>();
  if (source) copy->Assign(source);
  return copy;
}

}  // namespace

const TClassInfo& TsCheckBox::StaticClassInfo() {
  using B = TsCheckBox;
  static const TClassInfo info =
      FadingClass<B>("TsCheckBox")
          .Set("DisabledKind", &B::DisabledKind, &B::SetDisabledKind, kDisabledKindNames, dkBlended)
          .Object("GlyphChecked", &B::GlyphChecked)
          .Object("GlyphUnChecked", &B::GlyphUnChecked)
          .Component<framework::TCustomImageList>("Images", &B::Images, &B::SetImages)
          .Integer("ImgChecked", &B::ImgChecked, &B::SetImgChecked)
          .Integer("ImgUnchecked", &B::ImgUnchecked, &B::SetImgUnchecked)
          .Integer("Margin", &B::Margin, &B::SetMargin, 2)
          .Boolean("MultiLine", &B::MultiLine, &B::SetMultiLine, false)
          .Boolean("ReadOnly", &B::ReadOnly, &B::SetReadOnly, false)
          .Boolean("ShowFocus", &B::ShowFocus, &B::SetShowFocus, true)
          .Integer("TextIndent", &B::TextIndent, &B::SetTextIndent, 0)
          .Boolean("AutoSize", &B::AutoSize, &B::SetAutoSize, true);
  return info;
}

TsCheckBox::TsCheckBox(framework::TComponent* owner)
    : TsFading(owner, ctCheckBox, kCacheOnFirstUse),
      glyphChecked_(std::make_unique<framework::TBitmap>()),
      glyphUnChecked_(std::make_unique<framework::TBitmap>()),
      imagesLink_(std::make_unique<framework::TChangeLink>()) {
  imagesLink_->OnChange = [this](framework::TObject*) { ImageListChanged(); };
}

void TsCheckBox::Loaded() {
  TsFading::Loaded();
  AdjustSize();
}

void TsCheckBox::Notification(TComponent* component, framework::TOperation operation) {
  TsFading::Notification(component, operation);
  if (operation != framework::opRemove || !images_ || component != images_) return;
  images_ = nullptr;
  // Not while the form goes: nothing is left to show.
  if (!HasState(framework::csDestroying) &&
      !(Owner() && Owner()->HasState(framework::csDestroying)))
    ImageListChanged();
}

// ---- properties

void TsCheckBox::SetGlyphChecked(const framework::TBitmap* value) {
  glyphChecked_ = CopyOf(value);
  if (autoSize_) AdjustSize();
  skinData_->Invalidate();
}

void TsCheckBox::SetGlyphUnChecked(const framework::TBitmap* value) {
  glyphUnChecked_ = CopyOf(value);
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TsCheckBox::SetImages(framework::TCustomImageList* value) {
  if (value == images_) return;
  if (images_) {
    images_->UnRegisterChanges(imagesLink_.get());
    images_->RemoveFreeNotification(this);
  }
  images_ = value;
  if (images_) {
    images_->RegisterChanges(imagesLink_.get());
    images_->FreeNotification(this);
  }
  ImageListChanged();
}

void TsCheckBox::ImageListChanged() {
  if (autoSize_) AdjustSize();
  skinData_->Invalidate();
}

void TsCheckBox::SetImgChecked(int value) {
  if (value == imgChecked_) return;
  imgChecked_ = value;
  if (autoSize_) AdjustSize();
  if (Checked()) skinData_->Invalidate();
}

void TsCheckBox::SetImgUnchecked(int value) {
  if (value == imgUnchecked_) return;
  imgUnchecked_ = value;
  if (autoSize_) AdjustSize();
  if (!Checked()) skinData_->Invalidate();
}

void TsCheckBox::SetMargin(int value) {
  if (value == margin_) return;
  margin_ = value;
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TsCheckBox::SetTextIndent(int value) {
  if (value == textIndent_) return;
  textIndent_ = value;
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TsCheckBox::SetMultiLine(bool value) {
  if (value == multiLine_) return;
  multiLine_ = value;
  if (multiLine_ && autoSize_) autoSize_ = false;
  Invalidate();
}

void TsCheckBox::SetShowFocus(bool value) {
  if (value == showFocus_) return;
  showFocus_ = value;
  Invalidate();
}

void TsCheckBox::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  if (autoSize_) AdjustSize();
}

// While loading, State alone sets the box (descriptions hold both, and State is the one the
// class library writes).
void TsCheckBox::SetChecked(bool value) {
  if (HasState(framework::csLoading)) return;
  if (value != Checked()) skinData_->BackgroundDirty = true;
  framework::TCheckBox::SetChecked(value);
  if (skinData_->BackgroundDirty && BoundToActiveSkin()) Repaint();
}

// One line and automatic size exclude each other: invalidating with AutoSize on keeps one line.
void TsCheckBox::Invalidate() {
  framework::TCheckBox::Invalidate();
  if (autoSize_) multiLine_ = false;
}

// ---- geometry

const TsMaskData* TsCheckBox::SkinGlyphMask(framework::TCheckBoxState state) const {
  const TsSkinTables* tables = skinData_->SkinTables();
  if (!tables) return nullptr;
  const TsCommonIndices& indices = tables->CommonIndices();
  const int index = state == framework::cbChecked  ? indices.BoxChecked
                    : state == framework::cbGrayed ? indices.BoxGrayed
                                                   : indices.BoxUnchecked;
  return tables->Mask(index);
}

const framework::TBitmap* TsCheckBox::UserGlyph() const {
  if (glyphChecked_->Empty()) return nullptr;
  return Checked() ? glyphChecked_.get() : glyphUnChecked_.get();
}

bool TsCheckBox::UsesImageList() const { return images_ && imgChecked_ >= 0 && imgUnchecked_ >= 0; }

TSize TsCheckBox::GlyphCellSize() const {
  if (UsesImageList()) return ImageListCellSize(*images_);
  if (!glyphChecked_->Empty()) return {glyphChecked_->Width() / 3, glyphChecked_->Height() / 2};
  if (const TsMaskData* mask = SkinGlyphMask(framework::cbChecked)) return MaskCellSize(*mask);
  return {kDefaultGlyphSide, kDefaultGlyphSide};
}

TRect TsCheckBox::GlyphRect() const {
  TSize cell = GlyphCellSize();
  if (!UsesImageList() && glyphChecked_->Empty())
    if (const TsMaskData* mask = SkinGlyphMask(State())) cell = MaskCellSize(*mask);
  const bool glyphLeft = Alignment() != framework::taLeftJustify;
  const int x = glyphLeft ? margin_ : Width() - cell.cx - margin_;
  const int y = (Height() - cell.cy) / 2;
  return {x, y, x + cell.cx, y + cell.cy};
}

TsLook TsCheckBox::GlyphState() const {
  if (pressed_) return lkPressed;
  return skinData_->IsHot() && !readOnly_ ? lkHot : lkNormal;
}

void TsCheckBox::AdjustSize() {
  if (!BoundToActiveSkin()) {
    framework::TCheckBox::AdjustSize();
    return;
  }
  if (HasState(framework::csLoading) || !autoSize_) return;
  const std::string caption = Caption();
  const TSize text = MeasureText(Font()->Handle(), caption);
  const TSize glyph = GlyphCellSize();
  const int width = glyph.cx + 2 * margin_ + (caption.empty() ? 0 : text.cx + textIndent_ + 8);
  const int height = std::max(glyph.cy, (caption.empty() ? 0 : text.cy) + 2 * margin_) + 2;
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

// ---- rendering

void TsCheckBox::DrawCaption() {
  const std::string caption = Caption();
  if (caption.empty()) return;
  const int a = GlyphCellSize().cx + textIndent_ + margin_ + 4;
  TRect rect = Alignment() != framework::taLeftJustify
                   ? TRect{a, margin_, Width() - margin_ - 2, Height() - margin_ - 2}
                   : TRect{margin_, margin_, Width() - a - 2, Height() - margin_ - 2};
  framework::TCanvas* canvas = skinData_->CacheBitmap->Canvas();
  canvas->Brush()->SetStyle(framework::bsClear);
  const unsigned flags =
      multiLine_ ? platform::DT_WORDBREAK | platform::DT_CENTER : platform::DT_VCENTER;
  const TsLook look = skinData_->IsHot() && !readOnly_ ? lkHot : lkNormal;
  DrawSkinText(canvas, caption, txEnabled, look, *skinData_, flags, rect);
  if (Focused() && showFocus_) {
    rect.Left -= 1;
    rect.Right += 1;
    rect.Bottom += 1;
    DrawFocusDots(canvas, rect);
  }
}

void TsCheckBox::DrawGlyph() {
  const TRect place = GlyphRect();
  const TsLook look = GlyphState();
  framework::TBitmap* cache = skinData_->CacheBitmap.get();
  if (UsesImageList()) {
    DrawImageListGlyph(cache, place, look, *images_, Checked() ? imgChecked_ : imgUnchecked_,
                       skinData_->GetParentCache());
    return;
  }
  if (!glyphChecked_->Empty()) {
    const framework::TBitmap* glyph = UserGlyph();
    if (!glyph || glyph->Empty()) return;
    framework::TBitmap picture;
    picture.Assign(glyph);
    picture.SetPixelFormat(framework::pf24bit);
    const int w = picture.Width() / 3;
    TsMaskData layout;
    layout.R = {0, 0, picture.Width(), picture.Height()};
    layout.ImageCount = 3;
    layout.MaskType = 1;
    PutMaskPart(place, {look * w, 0, (look + 1) * w, picture.Height() / 2}, cache, layout, mpEdge,
                skinData_->GetParentCache(), &picture);
    return;
  }
  if (const TsMaskData* mask = SkinGlyphMask(State()))
    DrawStateImage(cache, {place.Left, place.Top}, look, *mask, 1);
}

void TsCheckBox::RenderCache() { RenderCacheFilled(kKeyColor); }

void TsCheckBox::RenderCacheFilled(TColor maskFill) {
  skinData_->PrepareCache();
  skinData_->CacheBitmap->Canvas()->SetFont(Font());
  const TCacheInfo parent = skinData_->GetParentCache();
  const TsLook look = skinData_->IsHot() && !readOnly_ ? lkHot : lkNormal;
  PaintControlFace(*skinData_, parent, bfFillCentre,
                   {skinData_->CacheBitmap.get(),
                    {Left(), Top()},
                    {0, 0, skinData_->CacheBitmap->Width(), Height()},
                    look,
                    maskFill});
  DrawCaption();
  DrawGlyph();
  ShowDisabledLook(parent);
  skinData_->BackgroundDirty = false;
}

void TsCheckBox::PaintSkinned(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  std::optional<platform::PaintScope> paint;  // only when no context came with the message
  if (!dc) dc = paint.emplace(Handle()).DC();
  const platform::SavedDC saved(dc);
  if (skinData_->IsDeferred()) {
    skinData_->PaintDeferred = true;
  } else if (!Fading()) {
    // Painted for the screen, the box's key-coloured mask pixels show its parent's colour.
    RenderCacheFilled(Parent() ? platform::ColorToRGB(Parent()->Color()) : kKeyColor);
    RepairCorners(*skinData_, lkNormal, kAllCorners);
    const framework::TBitmap* cache = skinData_->CacheBitmap.get();
    platform::BitBlt(dc, 0, 0, cache->Width(), cache->Height(),
                     skinData_->CacheBitmap->Canvas()->Handle(), 0, 0, platform::SRCCOPY);
  }
}

// ---- input

void TsCheckBox::TakeFocusQuietly() {
  if (Focused()) return;
  SetClicksDisabled(true);
  SetFocus();
  SetClicksDisabled(false);
}

// ---- window procedure

void TsCheckBox::SkinAnnounced(uint16_t command, TMessage& m) {
  if (!skinData_->FromOurManager(m)) return;
  StopTheFade();
  skinData_->CommonWndProc(m);
  if (command == SKC_SETNEWSKIN) return;
  if (command == SKC_REMOVESKIN && HandleAllocated())
    Perform(framework::BM_SETCHECK, static_cast<int>(State()));
  if (command == SKC_REFRESH) AdjustSize();
  Repaint();
}

bool TsCheckBox::HandleFocusAndHover(TMessage& m) {
  if (HasState(framework::csDesigning)) return false;
  switch (m.Msg) {
    case platform::WM_SETFOCUS:
    case framework::CM_ENTER:
      if (!Enabled()) return true;
      framework::TCheckBox::WndProc(m);
      skinData_->BackgroundDirty = true;
      if (!ShowNextFadeFrame()) Repaint();
      return true;
    case platform::WM_KILLFOCUS:
    case framework::CM_EXIT:
      // A press the keyboard began ends with the focus, without a toggle: the key's release
      // goes to another control, and the pressed glyph would otherwise stay.
      pressed_ = false;
      if (!Enabled()) return false;
      StopTheFade();
      framework::TCheckBox::WndProc(m);
      skinData_->HasFocus = false;
      skinData_->MouseOver = false;
      skinData_->Invalidate();
      return true;
    case framework::CM_MOUSEENTER:
      if (Enabled() && !skinData_->MouseOver && m.LParam == 0) {
        skinData_->MouseOver = true;
        ChangeLookOn(aeMouseEnter, false);
      }
      return false;
    case framework::CM_MOUSELEAVE:
      if (Enabled() && m.LParam == 0) {
        skinData_->MouseOver = false;
        pressed_ = false;
        ChangeLookOn(aeMouseLeave, false);
      }
      return false;
    default: return false;
  }
}

bool TsCheckBox::HandleSkinnedMessage(TMessage& m) {
  switch (m.Msg) {
    case SM_SKINCMD:
      if (SkinCommandOf(m.WParam) == SKC_PARENTPAINTED &&
          (skinData_->IsDeferred() || skinData_->PartlyPainted))
        RepaintUndeferred();
      return false;
    case platform::WM_ENABLE:
    case platform::WM_NCPAINT: return true;
    case platform::WM_PAINT: PaintSkinned(m); return !HasState(framework::csDesigning);
    case platform::WM_ERASEBKGND: m.Result = 1; return true;
    case framework::BM_SETCHECK:
      if (Fading()) StopTheFade();
      return true;
    case platform::WM_KEYDOWN:
    case platform::WM_KEYUP:
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
    case platform::WM_LBUTTONUP: return HandlePressAndRelease(m);
    case framework::CM_ENABLEDCHANGED:
      framework::TCheckBox::WndProc(m);
      Repaint();
      return true;
    case framework::CM_TEXTCHANGED:
      if (autoSize_) AdjustSize();
      Repaint();
      return true;
    case framework::CM_CHANGED:
      if (HasState(framework::csDesigning))
        skinData_->Invalidate();
      else
        ChangeLookOn(aeMouseUp, true);
      return false;
    default: return false;
  }
}

bool TsCheckBox::HandlePressAndRelease(TMessage& m) {
  const bool userInput = Enabled() && !HasState(framework::csDesigning);
  switch (m.Msg) {
    case platform::WM_KEYDOWN: {
      if (!userInput || m.WParam != platform::VK_SPACE) return false;
      if (readOnly_) return true;
      pressed_ = true;
      TakeFocusQuietly();
      skinData_->BackgroundDirty = true;
      Repaint();
      auto key = static_cast<uint16_t>(m.WParam);
      if (OnKeyDown) OnKeyDown(this, key, framework::KeyboardStateToShiftState());
      return true;
    }
    case platform::WM_KEYUP: {
      // The release of any key ends a press (Space down, then another key up toggles).
      if (!userInput) return false;
      if (readOnly_) return true;
      if (pressed_) {
        pressed_ = false;
        Toggle();
      }
      auto key = static_cast<uint16_t>(m.WParam);
      if (OnKeyUp) OnKeyUp(this, key, framework::KeyboardStateToShiftState());
      return true;
    }
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
      if (!userInput) return false;
      if (readOnly_) return true;
      pressed_ = true;
      ChangeLookOn(aeMouseDown, true);
      TakeFocusQuietly();
      if (m.Msg == platform::WM_LBUTTONDBLCLK) {
        if (OnDblClick) OnDblClick(this);
      } else if (OnMouseDown) {
        OnMouseDown(this, framework::mbLeft, framework::KeysToShiftState(m.WParam),
                    platform::GET_X_LPARAM(m.LParam), platform::GET_Y_LPARAM(m.LParam));
      }
      return true;
    case platform::WM_LBUTTONUP:
      if (!userInput) return false;
      if (readOnly_) return true;
      if (pressed_) {
        pressed_ = false;
        Toggle();
      }
      if (OnMouseUp)
        OnMouseUp(this, framework::mbLeft, framework::KeysToShiftState(m.WParam),
                  platform::GET_X_LPARAM(m.LParam), platform::GET_Y_LPARAM(m.LParam));
      return true;
    default: return false;
  }
}

// Without a skin the class library's box runs, but a ReadOnly box is never pushed or changed.
void TsCheckBox::HandleUnskinnedFiltering(TMessage& m) {
  switch (m.Msg) {
    case platform::WM_KEYDOWN:
    case platform::WM_LBUTTONDOWN: pressed_ = true; break;
    case platform::WM_KEYUP:
    case platform::WM_LBUTTONUP: pressed_ = false; break;
    case platform::WM_LBUTTONDBLCLK:
      if (readOnly_) return;
      break;
    case framework::BM_SETCHECK:
    case framework::BM_SETSTATE:
      if (!HasState(framework::csCreating) && pressed_ && readOnly_) return;
      break;
    default: break;
  }
  framework::TCheckBox::WndProc(m);
}

void TsCheckBox::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCMD && HandleSkinCommand(m)) return;
  if (BoundToActiveSkin() && HandleFocusAndHover(m)) return;
  if (!skinData_->OwnerReady()) {
    framework::TCheckBox::WndProc(m);
    return;
  }
  if (skinData_->CommonWndProc(m)) return;
  if (!BoundToActiveSkin()) {
    HandleUnskinnedFiltering(m);
    return;
  }
  if (HandleSkinnedMessage(m)) return;
  framework::TCheckBox::WndProc(m);
}

}  // namespace skin
