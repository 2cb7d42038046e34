#include "skin/paint/sCommonDataBase.h"

#include "framework/controls/WinControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStrUtils.h"

namespace skin {

using framework::TBitmap;
using framework::TWinControl;

TsCommonDataBase::TsCommonDataBase(framework::TComponent* owner, bool withCache)
    : OwnerControl(dynamic_cast<framework::TControl*>(owner)), OwnerObject(owner) {
  if (withCache) CacheBitmap = std::make_unique<TBitmap>(0, 0, framework::pf24bit);
}

TsCommonDataBase::~TsCommonDataBase() = default;

TsSkinManager* TsCommonDataBase::GetSkinManager() const {
  return skinManager_ ? skinManager_ : DefaultManager();
}

const TsSkinTables* TsCommonDataBase::SkinTables() const {
  const TsSkinManager* manager = GetSkinManager();
  return manager ? &manager->Tables() : nullptr;
}

TsSectionRef TsCommonDataBase::SectionRef() const {
  return {SkinTables(), SectionIndex, skinSection_, PatternIndex, HotPatternIndex};
}

bool TsCommonDataBase::BoundToSection() const {
  if (!OwnerObject || OwnerObject->HasState(framework::csDestroying)) return false;
  const TsSkinManager* manager = GetSkinManager();
  if (!manager || manager->HasState(framework::csDestroying)) return false;
  return manager->Tables().IsValidSectionIndex(SectionIndex);
}

bool TsCommonDataBase::BoundToActiveSkin() const {
  return BoundToSection() && GetSkinManager()->Active();
}

const TsGeneralData* TsCommonDataBase::Section() const {
  const TsSkinTables* tables = SkinTables();
  return tables ? tables->Section(SectionIndex) : nullptr;
}

bool TsCommonDataBase::IsTransparent() const {
  const TsGeneralData* section = Section();
  return section && section->Transparency > 0;
}

bool TsCommonDataBase::DependsOnParent() const {
  if (CacheFrozen || !BoundToSection()) return true;
  if (!OwnerControl || OwnerControl->HasState(framework::csCreating) || !OwnerControl->Visible())
    return true;
  const TsGeneralData* section = Section();
  if (!section) return false;
  const bool d = !OwnerControl->Enabled() || section->Transparency > 0;
  TWinControl* parent = OwnerControl->Parent();
  if (d && parent && parent->HandleAllocated()) return QuerySkinCommand(parent, SKC_HASPATTERNBG);
  return d;
}

TCacheInfo TsCommonDataBase::GetParentCache() const {
  TCacheInfo result;
  ParentCache().Ready = false;
  if (OwnerControl && OwnerControl->Parent()) {
    SendSkinCommand(OwnerControl->Parent(), SKC_GETCACHE);
    result = ParentCache();
  }
  return result;
}

void TsCommonDataBase::PrepareCache() {
  if (!CacheBitmap) CacheBitmap = std::make_unique<TBitmap>();
  CacheBitmap->SetPixelFormat(framework::pf24bit);
  CacheBitmap->SetHandleType(framework::bmDIB);
  if (OwnerControl) CacheBitmap->SetSize(OwnerControl->Width(), OwnerControl->Height());
}

void TsCommonDataBase::Bind(TsSkinManager* manager, const std::string& section) {
  skinManager_ = manager;
  skinSection_ = section.empty() ? "UNKNOWN" : UpperCase(section);
  UpdateIndexes();
}

void TsCommonDataBase::UpdateIndexes() {
  BackgroundDirty = true;
  const TsSkinTables* tables = SkinTables();
  SectionIndex = tables ? tables->FindSection(skinSection_) : -1;
  if (SectionIndex < 0) {
    BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
    return;
  }
  BorderMaskIndex = tables->FindMask(SectionIndex, skinSection_, "BORDERSMASK");
  PatternIndex = tables->FindTexture(SectionIndex, skinSection_, "PATTERN");
  HotPatternIndex = tables->FindTexture(SectionIndex, skinSection_, "HOTPATTERN");
}

}  // namespace skin
