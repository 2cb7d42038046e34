#pragma once
// The part of a control's skin binding that the painters read. Every skinned control owns one
// binding (TsCommonData, published as its SkinData property); it ties the control to a section of
// the tables of a skin manager's loaded skin, keeps the control's 24-bit cache bitmap and the state
// flags that decide when that cache is rebuilt. TsCommonData derives from this class and adds the
// setters of the published properties, Loaded, and the handling of the skin message and of ordinary
// window messages; the data itself is defined here, once, so that the painters below the controls
// can read it.
//
// Indices are those of the skin's tables (-1: none) and hold until the next skin-loaded or
// skin-removed announcement, after which UpdateIndexes looks them up again.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/classes/Component.h"
#include "framework/classes/Persistent.h"
#include "framework/controls/Control.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sPaintParams.h"

namespace framework {
class TWinControl;
}

namespace skin {

class TsSkinManager;

// How a disabled control looks: blended with the parent's background, desaturated, or both (gray
// first, then the blend).
enum TsDisabledKindItem : uint8_t { dkBlended = 1 << 0, dkGrayed = 1 << 1 };
using TsDisabledKind = uint8_t;

// Control type codes of the bindings.
enum : int {
  ctEdit = 3,
  ctCheckBox = 32,
  ctPanel = 51,
  ctButton = 93,
  ctForm = 224,
};

class TsCommonDataBase : public framework::TPersistent {
 public:
  // owner is the skinned control (or the form skin provider); OwnerControl is set only when the
  // owner is a visual control. withCache makes the 24-bit cache bitmap at once.
  TsCommonDataBase(framework::TComponent* owner, bool withCache);
  ~TsCommonDataBase() override;
  TsCommonDataBase(const TsCommonDataBase&) = delete;
  TsCommonDataBase& operator=(const TsCommonDataBase&) = delete;

  // ---- published values (their setters, with what setting does, belong to TsCommonData)

  // The section's name, upper case; "UNKNOWN" stands for an empty name.
  const std::string& SkinSection() const { return skinSection_; }
  // The manager named for this control; nullptr means the default manager.
  TsSkinManager* SkinManager() const { return skinManager_; }
  // The control keeps its own background colour instead of the section's Color.
  bool CustomColor() const { return customColor_; }
  // The control keeps its own font colour instead of the section's first FontColor.
  bool CustomFont() const { return customFont_; }

  // ---- queries the painters use

  // The named manager, else the default manager (nullptr when there is none).
  TsSkinManager* GetSkinManager() const;
  // The tables of GetSkinManager's skin; nullptr without a manager.
  const TsSkinTables* SkinTables() const;
  // The bound section with its textures, in the tables of SkinTables.
  TsSectionRef SectionRef() const;
  // The owner exists and is not being destroyed, a manager exists and is not being destroyed, and
  // SectionIndex is a valid section of it (whether or not its skin is active).
  bool BoundToSection() const;
  // BoundToSection, and the manager's skin is active. (TsCommonData::SkinReady asks further that
  // the skin be loaded and announced.)
  bool BoundToActiveSkin() const;
  // The section record of SectionIndex, or nullptr while not skinned.
  const TsGeneralData* Section() const;
  // The section's Transparency is above 0.
  bool IsTransparent() const;
  // Whether the control's face shows its parent's background, so that it must be rebuilt when the
  // parent's changes: at once when frozen, not skinned, or the owner is missing, being created or
  // hidden; false for an invalid section; else when the owner is disabled or transparent, the
  // parent's answer to SKC_HASPATTERNBG (a windowed parent with a window), or that itself.
  bool DependsOnParent() const;
  // Asks the owner's parent for its rendered background (SKC_GETCACHE) and returns the shared
  // record's answer; {nullptr, 0, 0, false} without a parent or without an answer. The control's
  // own Left and Top are the offset of its area inside that bitmap.
  TCacheInfo GetParentCache() const;

  // ---- upkeep

  // Binds to the section of the manager (nullptr: the default manager) and looks up the indexes,
  // announcing nothing: the upper-cased name is stored ("UNKNOWN" for an empty one). Painting
  // without a control (the skin tools, tests) binds this way; TsCommonData's setters build on it
  // and add the announcements to the control.
  void Bind(TsSkinManager* manager, const std::string& section);

  // Makes the cache if missing, 24 bits per pixel, the owner control's width and height.
  void PrepareCache();
  // BackgroundDirty; SectionIndex from SkinSection, then the section's "BORDERSMASK" mask and its
  // "PATTERN" and "HOTPATTERN" textures; all -1 without a manager or section.
  void UpdateIndexes();

  // ---- run-time state

  bool PaintDeferred = false;  // held back until the parent has painted
  int SectionIndex = -1;
  int BorderMaskIndex = -1;
  int PatternIndex = -1;
  int HotPatternIndex = -1;
  framework::TControl* AttachedControl = nullptr;  // painted alone by the form provider
  bool CacheFrozen = false;     // rendered on the form provider's request; not to be re-rendered
  bool BackgroundDirty = true;  // the cache must be rebuilt before the next copy to the screen
  bool PartlyPainted = true;    // the last paint covered only part of the control
  framework::TControl* OwnerControl = nullptr;      // the painted control, when the owner is one
  framework::TComponent* OwnerObject = nullptr;     // the owner itself
  std::unique_ptr<framework::TBitmap> CacheBitmap;  // the control's rendered image
  int ControlType = 0;
  bool HasFocus = false;
  bool MouseOver = false;
  // The form whose skin provider owns this binding; nullptr for a control's binding. Its Color is
  // the custom colour of a provider's binding.
  framework::TWinControl* ProviderForm = nullptr;

 protected:
  std::string skinSection_;
  TsSkinManager* skinManager_ = nullptr;
  bool customColor_ = false;
  bool customFont_ = false;
};

}  // namespace skin
