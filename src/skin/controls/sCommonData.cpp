#include "skin/controls/sCommonData.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/FormReader.h"
#include "framework/controls/CustomEdit.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "platform/windows/Paint.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStrUtils.h"
#include "skin/paint/sCornerRepair.h"

namespace skin {

using framework::TBitmap;
using framework::TComponent;
using framework::TControl;
using framework::TMessage;
using framework::TWinControl;
using platform::TRect;

namespace {

struct TypeSection {
  int from;
  int to;
  const char* section;
};

// The default section of each control type code.
constexpr TypeSection kDefaultSections[] = {
    {2, 8, "EDIT"},          {10, 10, "EDIT"},          {41, 41, "EDIT"},
    {76, 76, "EDIT"},        {78, 78, "EDIT"},          {83, 84, "EDIT"},
    {96, 97, "EDIT"},        {131, 131, "EDIT"},        {140, 140, "EDIT"},
    {227, 227, "EDIT"},      {11, 18, "COMBOBOX"},      {81, 82, "COMBOBOX"},
    {19, 19, "BAR"},         {20, 20, "BARTITLE"},      {32, 32, "CHECKBOX"},
    {152, 152, "CHECKBOX"},  {33, 33, "RADIOBUTTON"},   {51, 51, "PANEL"},
    {59, 59, "PANEL"},       {68, 68, "PANEL"},         {73, 73, "PANEL"},
    {52, 52, "PANEL_LOW"},   {58, 58, "PANEL_LOW"},     {53, 54, "TOOLBAR"},
    {60, 60, "TOOLBAR"},     {56, 56, "DRAGBAR"},       {57, 57, "TABSHEET"},
    {74, 74, "GROUPBOX"},    {226, 226, "GROUPBOX"},    {75, 75, "SPLITTER"},
    {92, 92, "SPEEDBUTTON"}, {95, 95, "SPEEDBUTTON"},   {93, 94, "BUTTON"},
    {98, 98, "TOOLBUTTON"},  {141, 141, "PAGECONTROL"}, {143, 143, "TABCONTROL"},
    {151, 151, "STATUSBAR"}, {161, 161, "GAUGE"},       {165, 165, "TRACKBAR"},
};

// The SkinManager property names a manager of the form being read; it is written only when set.
framework::TPropInfo SkinManagerProperty() {
  framework::TPropInfo p;
  p.name = "SkinManager";
  p.kind = framework::TPropKind::String;
  p.read = [](framework::TObject* obj, const framework::TFormValue& value,
              framework::TReader& reader) {
    if (value.kind != framework::TFormValue::Kind::Identifier)
      framework::ThrowPropertyError("Invalid property value");
    auto* manager = dynamic_cast<TsSkinManager*>(reader.Root()->FindComponent(value.text));
    if (!manager) framework::ThrowPropertyError("Invalid property value '" + value.text + "'");
    static_cast<TsCommonData*>(obj)->SetSkinManager(manager);
  };
  p.write = [](const framework::TObject* obj) -> std::optional<framework::TFormValue> {
    const TsSkinManager* manager = static_cast<const TsCommonData*>(obj)->SkinManager();
    if (!manager) return std::nullopt;
    return framework::MakeIdentValue(manager->Name());
  };
  p.copy = [](const framework::TObject* src, framework::TObject* dst) {
    static_cast<TsCommonData*>(dst)->SetSkinManager(
        static_cast<const TsCommonData*>(src)->SkinManager());
  };
  return p;
}

}  // namespace

bool CanBeHot(int controlType) {
  if (controlType > 255) return true;
  return !((controlType >= 51 && controlType <= 74) || controlType == 110 ||
           (controlType >= 141 && controlType <= 161));
}

std::string DefaultSectionFor(int controlType, const std::string& className) {
  for (const TypeSection& entry : kDefaultSections)
    if (controlType >= entry.from && controlType <= entry.to) return entry.section;
  return className;
}

bool IsEditControl(const TsCommonData& data) {
  return dynamic_cast<const framework::TCustomEdit*>(data.OwnerControl) != nullptr ||
         data.ControlType == 97;
}

// ---- class description

const framework::TClassInfo& TsCommonData::StaticClassInfo() {
  using D = TsCommonData;
  static const framework::TClassInfo info =
      framework::TClassBuilder<D>("TsCommonData", TPersistent::StaticClassInfo())
          .String("SkinSection", &D::SkinSection, &D::SetSkinSection, std::nullopt)
          .Boolean("CustomColor", &D::CustomColor, &D::SetCustomColor, false)
          .Boolean("CustomFont", &D::CustomFont, &D::SetCustomFont, false)
          .Property(SkinManagerProperty());
  return info;
}

// ---- life

TsCommonData::TsCommonData(TComponent* owner, bool withCache)
    : TsCommonDataBase(owner, withCache) {}

TsCommonData::~TsCommonData() {
  ResetIndexes();
  OwnerControl = nullptr;
  OwnerObject = nullptr;
}

void TsCommonData::ResetIndexes() {
  SectionIndex = -1;
  BorderMaskIndex = -1;
  PatternIndex = -1;
  HotPatternIndex = -1;
}

// ---- properties

void TsCommonData::SetSkinSection(const std::string& name) {
  if (name == skinSection_) return;
  skinSection_ = name.empty() ? "UNKNOWN" : UpperCase(name);
  TsSkinManager* manager = GetSkinManager();
  const bool hasSections = manager && !manager->Tables().Sections.empty();
  if (hasSections)
    UpdateIndexes();
  else
    SectionIndex = -1;
  if (OwnerControl && OwnerControl->Parent() && !OwnerControl->HasState(framework::csDestroying)) {
    const bool found = hasSections && manager->Tables().IsValidSectionIndex(SectionIndex);
    SendSkinCommand(OwnerControl, found ? SKC_REFRESH : SKC_REMOVESKIN,
                    reinterpret_cast<platform::LPARAM>(manager));
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
  if (manager == DefaultManager()) manager = nullptr;
  if (manager == skinManager_) return;
  skinManager_ = manager;
  // The owner hears when the manager goes, and lets the binding forget it.
  if (manager && OwnerObject) manager->FreeNotification(OwnerObject);
  if (OwnerObject && OwnerObject->HasState(framework::csLoading)) return;
  TsSkinManager* current = GetSkinManager();
  const TsSkinTables* tables = current ? &current->Tables() : nullptr;
  if (tables && !tables->Sections.empty())
    UpdateIndexes();
  else
    SectionIndex = -1;
  const bool found = tables && tables->IsValidSectionIndex(SectionIndex);
  const uint16_t command = found ? SKC_REFRESH : SKC_REMOVESKIN;
  const auto lParam = reinterpret_cast<platform::LPARAM>(current);
  // A form provider has no window of its own: it takes the record directly.
  if (!OwnerControl) {
    if (OwnerObject && OwnerObject->HasState(framework::csDestroying)) return;
    if (auto* receiver = dynamic_cast<TsSkinMessageReceiver*>(OwnerObject)) {
      TMessage message{SM_SKINCMD, SkinWParam(command), lParam, 0};
      receiver->SkinMessage(message);
    }
    return;
  }
  if (!OwnerControl->Parent() || OwnerControl->HasState(framework::csDestroying)) return;
  try {
    SendSkinCommand(OwnerControl, command, lParam);
  } catch (const std::exception&) {
    // The new manager is stored whatever the control made of the notice.
  }
}

void TsCommonData::ComponentRemoved(const TComponent* component) {
  if (component && component == skinManager_) skinManager_ = nullptr;
}

void TsCommonData::SetCustomColor(bool value) {
  customColor_ = value;
  if (IsEditControl(*this) && OwnerObject && !OwnerObject->HasState(framework::csLoading))
    SyncEditColors();
  Invalidate();
}

void TsCommonData::SetCustomFont(bool value) {
  customFont_ = value;
  Invalidate();
}

// ---- questions

bool TsCommonData::SkinReady() const {
  const TsSkinManager* manager = GetSkinManager();
  return BoundToActiveSkin() && manager->SkinData().SkinReady;
}

bool TsCommonData::IsDeferred() {
  const TsSkinManager* manager = GetSkinManager();
  if (!manager || !manager->Active() || !manager->SkinData().SkinReady) return true;
  bool result = PaintDeferred;
  try {
    if (!result && OwnerControl && !OwnerControl->HasState(framework::csDestroying) &&
        OwnerControl->Parent())
      result = QuerySkinCommand(OwnerControl->Parent(), SKC_ISDIRTY);
  } catch (const std::exception&) {
    // A parent that fails to answer leaves the answer found so far.
  }
  return result;
}

bool TsCommonData::IsHot() const {
  if (!OwnerControl || OwnerControl->HasState(framework::csDestroying) ||
      !OwnerControl->Enabled() || OwnerControl->HasState(framework::csDesigning))
    return false;
  if (HasFocus) return true;
  if (auto* windowed = dynamic_cast<const TWinControl*>(OwnerControl);
      windowed && windowed->Focused())
    return true;
  return MouseOver && CanBeHot(ControlType);
}

bool TsCommonData::OwnerReady() const {
  if (!OwnerControl) return false;
  using framework::csCreating;
  using framework::csDestroying;
  using framework::csLoading;
  using framework::csReading;
  return !OwnerControl->HasState(csCreating) && !OwnerControl->HasState(csReading) &&
         !OwnerControl->HasState(csLoading) && !OwnerControl->HasState(csDestroying) &&
         OwnerControl->Parent();
}

// ---- cache

void TsCommonData::Invalidate() {
  if (!OwnerObject || OwnerObject->HasState(framework::csLoading) ||
      OwnerObject->HasState(framework::csDestroying))
    return;
  BackgroundDirty = true;
  if (OwnerReady()) OwnerControl->Invalidate();
}

void TsCommonData::CopyCacheToDC(TWinControl* container, int srcLeft, int srcTop, int dx, int dy,
                                 bool paintBordersFirst, platform::HDC dc, const TRect& dest) {
  if (!CacheBitmap || !dc) return;
  if (paintBordersFirst) RepairCorners(*this, lkNormal, kAllCorners);
  const platform::SavedDC saved(dc);
  platform::IntersectClipRect(dc, dest.Left, dest.Top, dest.Right, dest.Bottom);
  if (container) {
    const bool designing = container->HasState(framework::csDesigning);
    for (TControl* child : container->ControlList()) {
      if (!child->Visible()) continue;
      const TRect bounds = child->BoundsRect().Translated(dx, dy);
      if (!bounds.Intersects(dest)) continue;
      if (child->ControlStyleHas(framework::csOpaque) || !dynamic_cast<TWinControl*>(child) ||
          designing)
        platform::ExcludeClipRect(dc, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
    }
  }
  platform::BitBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(),
                   CacheBitmap->Canvas()->Handle(), srcLeft, srcTop, platform::SRCCOPY);
}

// ---- loading and colours

void TsCommonData::Loaded() {
  if (skinSection_.empty())
    SetSkinSection(DefaultSectionFor(ControlType, OwnerObject ? OwnerObject->ClassName() : ""));
  else
    UpdateIndexes();
  // There are no visual styles here, so nothing is taken from a control that stays unskinned.
  if (BoundToSection() && OwnerControl && OwnerControl->Parent() && IsEditControl(*this) &&
      !OwnerControl->HasState(framework::csLoading))
    SyncEditColors();
}

void TsCommonData::SyncEditColors() {
  const TsGeneralData* section = Section();
  if (!section || !OwnerControl) return;
  if (!customColor_ && OwnerControl->Color() != section->Color)
    OwnerControl->SetColor(section->Color);
  const TColor fontColor = static_cast<TColor>(section->FontColor[0]);
  if (!customFont_ && OwnerControl->Font()->Color() != fontColor)
    OwnerControl->Font()->SetColor(fontColor);
}

// ---- messages

bool TsCommonData::CommonMessage(TMessage& m) {
  const bool ours = FromOurManager(m);
  switch (SkinCommandOf(m.WParam)) {
    case SKC_SETNEWSKIN:
      if (ours) {
        PaintDeferred = true;
        UpdateIndexes();
      }
      return false;
    case SKC_REMOVESKIN:
      if (ours) {
        if (skinManager_ && skinManager_->HasState(framework::csDestroying)) skinManager_ = nullptr;
        ResetIndexes();
        PaintDeferred = true;
        if (CacheBitmap) CacheBitmap->SetSize(0, 0);
        if (IsEditControl(*this) && OwnerControl) {
          if (!customColor_) OwnerControl->SetColor(platform::clWindow);
          if (!customFont_) OwnerControl->Font()->SetColor(platform::clWindowText);
        }
      }
      return false;
    case SKC_REFRESH:
      if (ours) {
        BackgroundDirty = true;
        PaintDeferred = false;
        if (BoundToSection() && IsEditControl(*this)) SyncEditColors();
      }
      return false;
    case SKC_GETCACHE:
      ParentCache().Ready = false;
      if (CacheBitmap) ParentCache() = {CacheBitmap.get(), 0, 0, true};
      return false;
    case SKC_ISSKINNED: m.LParam = 1; return true;
    case SKC_SETDEFERRED: PaintDeferred = SkinArgumentOf(m.WParam) == 1; return false;
    case SKC_FREEZECACHE: CacheFrozen = SkinArgumentOf(m.WParam) == 1; return false;
    case SKC_ISDIRTY: m.LParam = (BackgroundDirty || IsDeferred()) ? 1 : 0; return true;
    case SKC_ISPARTLYPAINTED: m.LParam = PartlyPainted ? 1 : 0; return true;
    case SKC_PARENTCHANGED:
      if (IsTransparent() && SkinArgumentOf(m.WParam) == 1) BackgroundDirty = true;
      return false;
    case SKC_ATTACH: AttachedControl = reinterpret_cast<TControl*>(m.LParam); return false;
    case SKC_SETDIRTY: BackgroundDirty = true; return false;
    case SKC_HASPATTERNBG: {
      const TsGeneralData* section = Section();
      if (SectionIndex < 0 || !section) return false;
      m.LParam = (HasPatternShares(*section) || DependsOnParent()) ? 1 : 0;
      return true;
    }
    case SKC_REPAINTALL: {
      const bool g = DependsOnParent();
      BackgroundDirty = BackgroundDirty || g;
      if (auto* windowed = dynamic_cast<TWinControl*>(OwnerControl)) {
        if (SkinArgumentOf(m.WParam) == 1 && windowed->HandleAllocated())
          platform::RedrawWindow(windowed->Handle(), nullptr, nullptr,
                                 platform::RDW_INVALIDATE | platform::RDW_NOINTERNALPAINT |
                                     platform::RDW_NOERASE | platform::RDW_ALLCHILDREN);
        if (g) {
          for (int i = 0; i < windowed->ControlCount(); ++i) {
            TControl* child = windowed->Controls(i);
            if (!child->HasState(framework::csDestroying)) SendSkinCommand(child, SKC_REPAINTALL);
          }
        }
      }
      return false;
    }
    case SKC_GETCOLOR: WriteControlColor(); return true;
    case SKC_SETPARTLY: PartlyPainted = true; return false;
    default: return false;
  }
}

// The colour that stands for the control: its section's colour, mixed with the colour under it
// by the section's transparency (in 256ths, as the painters mix).
void TsCommonData::WriteControlColor() {
  TColor& slot = ColorSlot();
  const TsGeneralData* section = BoundToSection() ? Section() : nullptr;
  if (!section || !OwnerControl) {
    slot = OwnerControl ? platform::ColorToRGB(OwnerControl->Color()) : kColorSlotUnset;
    return;
  }
  const int t = section->Transparency;
  if (t == 0) {
    slot = section->Color;
    return;
  }
  TColor under = platform::ColorToRGB(OwnerControl->Color());
  if (TWinControl* parent = OwnerControl->Parent()) {
    slot = kColorSlotUnset;
    SendSkinCommand(parent, SKC_GETCOLOR);
    under = slot == kColorSlotUnset ? platform::ColorToRGB(parent->Color()) : slot;
  }
  if (t >= 100) {
    slot = under;
    return;
  }
  const TColor own = platform::ColorToRGB(section->Color);
  TColor mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int p = (under >> shift) & 0xFF;
    const int c = (own >> shift) & 0xFF;
    const int64_t byte = std::clamp<int64_t>((int64_t{t} * (p - c) + c * 256) >> 8, 0, 255);
    mixed |= static_cast<TColor>(byte) << shift;
  }
  slot = mixed;
}

bool TsCommonData::CommonWndProc(TMessage& m) {
  switch (m.Msg) {
    case SM_SKINCMD: return CommonMessage(m);
    case platform::WM_MOVE:
      if (DependsOnParent() && OwnerControl) {
        TMessage repaint{SM_SKINCMD, SkinWParam(SKC_REPAINTALL, 1), 0, 0};
        OwnerControl->WindowProc(repaint);
      }
      return false;
    case platform::WM_SIZE: {
      if (!BoundToSection()) return false;
      BackgroundDirty = true;
      auto* windowed = dynamic_cast<TWinControl*>(OwnerControl);
      const TsGeneralData* section = Section();
      if (!windowed || !section || section->GradientPercent <= 0) return false;
      for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl* child = windowed->Controls(i);
        if (child->HasState(framework::csDestroying)) continue;
        if (child->Anchors() & (framework::akRight | framework::akBottom)) continue;
        TMessage repaint{SM_SKINCMD, SkinWParam(SKC_REPAINTALL, 1), 0, 0};
        child->WindowProc(repaint);
      }
      return false;
    }
    case platform::WM_SETFOCUS:
    case platform::WM_KILLFOCUS: {
      auto* windowed = dynamic_cast<TWinControl*>(OwnerControl);
      if (windowed && windowed->CanFocus() && windowed->TabStop()) {
        BackgroundDirty = true;
        HasFocus = m.Msg == platform::WM_SETFOCUS;
      }
      return false;
    }
    case platform::WM_FONTCHANGE:
    case framework::CM_ENABLEDCHANGED:
      MouseOver = false;
      HasFocus = false;
      return false;
    case platform::WM_UPDATEUISTATE:
      // Without visual styles there is no theme to give back to an unskinned control.
      return BoundToSection();
    case framework::CM_MOUSEENTER:
    case framework::CM_MOUSELEAVE:
      if (OwnerControl && !OwnerControl->HasState(framework::csDesigning) && CanBeHot(ControlType))
        MouseOver = m.Msg == framework::CM_MOUSEENTER;
      return false;
    default: return false;
  }
}

}  // namespace skin
