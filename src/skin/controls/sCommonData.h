#pragma once
// TsCommonData: the skin binding every skinned control owns, published as its SkinData property.
//
// It ties the control to a section of the skin manager's current skin, keeps the control's 24-bit
// cache bitmap (the control's rendered face), and tracks what decides whether that cache must be
// rendered again: background dirty, painting deferred until the parent has painted, partly
// painted, mouse over, focus. It also carries the handling of the skin message and of the ordinary
// window messages that every skinned control shares; each control calls CommonWndProc from its own
// window procedure for what it does not consume itself.
//
// Indices into the manager's tables are looked up once per announcement (UpdateIndexes) and kept
// until the next one; -1 means none, and SectionIndex -1 means "not skinned": the control then
// behaves and paints as the class library's control.

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Persistent.h"
#include "platform/drawing/DeviceContext.h"
#include "skin/data/sMessages.h"

namespace framework {
class TBitmap;
class TWinControl;
}  // namespace framework

namespace skin {

class TsSkinManager;
struct TsGeneralData;

// An owner without a window of its own (the form skin provider) takes the skin message directly.
class TsSkinMessageReceiver {
 public:
  virtual ~TsSkinMessageReceiver() = default;
  virtual void SkinMessage(framework::TMessage& message) = 0;
};

// Control type codes of the bindings: they choose the default section and whether the control
// can show the hot state.
enum : int { ctEdit = 3, ctCheckBox = 32, ctPanel = 51, ctButton = 93, ctForm = 224 };

// Whether a control of that type code can be hot (mouse over). Panels, toolbars, group boxes and
// the like never are.
bool CanBeHot(int controlType);
// The section a control of that type code uses when its SkinSection is empty; the owner's class
// name for codes the table does not know.
std::string DefaultSectionFor(int controlType, const std::string& className);

class TsCommonData : public framework::TPersistent {
 public:
  // owner is the control (or the form provider) that owns the binding; withCache makes the cache
  // bitmap at once, else it is made on first use.
  TsCommonData(framework::TComponent* owner, bool withCache);
  ~TsCommonData() override;
  static const framework::TClassInfo& StaticClassInfo();
  const framework::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // ---- published properties

  // Stored upper-cased; an empty name is stored as "UNKNOWN". Setting looks the section up and
  // tells the owner (SKC_REFRESH when found, SKC_REMOVESKIN when not).
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& name);
  // The manager named for this control; nullptr means the default manager, which is never stored.
  TsSkinManager* SkinManager() const { return skinManager_; }
  void SetSkinManager(TsSkinManager* manager);
  // The owner heard that a component goes: a stored manager that goes is forgotten at once (the
  // default manager then serves), so the binding never holds a freed manager.
  void ComponentRemoved(const framework::TComponent* component);
  // The control keeps its own background colour (font colour) instead of the section's.
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool value);
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);

  // ---- run-time fields

  bool PaintDeferred = false;  // held back until the parent has painted
  int SectionIndex = -1;
  int BorderMaskIndex = -1;
  int PatternIndex = -1;
  int HotPatternIndex = -1;
  framework::TControl* AttachedControl = nullptr;  // painted alone by the form provider
  bool CacheFrozen = false;     // rendered on the provider's request; not re-rendered meanwhile
  bool BackgroundDirty = true;  // the cache must be rendered before the next copy
  bool PartlyPainted = true;    // the last paint covered part of the control only
  framework::TControl* OwnerControl = nullptr;  // the owner, when it is a visual control
  framework::TComponent* OwnerObject = nullptr;
  std::unique_ptr<framework::TBitmap> CacheBitmap;
  int ControlType = 0;
  bool HasFocus = false;
  bool MouseOver = false;

  // ---- operations

  // Whether the owner is a visual control in a state to be painted and invalidated: not being
  // created, read, loaded or destroyed, and placed on a parent.
  bool OwnerReady() const;

  // After the owner was read: the default section when none is set (else the indices), then the
  // edit colours follow the section's.
  void Loaded();
  // The stored manager, else the default manager (nullptr when there is none).
  TsSkinManager* GetSkinManager() const;
  // Owner alive, a manager alive, (with checkActive) its skin ready, and a valid section index.
  bool Skinned(bool checkActive = false) const;
  // Whether painting must wait: no ready skin, PaintDeferred, or a parent that is itself dirty or
  // deferred. Never raises.
  bool IsDeferred();
  // Focused, or (for types that can be hot) under the mouse; never when disabled.
  bool IsHot() const;
  // The section lets some of the parent show through.
  bool IsTransparent() const;
  // Whether the face depends on what lies under it (and so must be rendered again when that
  // changes or the control moves).
  bool DependsOnParent();
  // Marks the cache dirty and, when the owner is ready, its window area invalid.
  void Invalidate();
  // Makes the cache if missing: 24 bits per pixel, the owner's size.
  void PrepareCache();
  // Asks the owner's parent for its rendered background; {nullptr, 0, 0, false} when there is none.
  TCacheInfo GetParentCache();
  // Looks the section and its border mask and textures up in the manager again; marks dirty.
  void UpdateIndexes();
  // The section record, or nullptr when not skinned.
  const TsGeneralData* Section() const;
  // Copies the cache onto dc for dest (device coordinates), the cache read from (srcLeft,
  // srcTop). The children of container that are opaque or non-windowed are left out (their
  // bounds shifted by (dx, dy)); with paintBordersFirst the cache's corners are repaired first.
  void CopyCacheToDC(framework::TWinControl* container, int srcLeft, int srcTop, int dx, int dy,
                     bool paintBordersFirst, platform::HDC dc, const platform::TRect& dest);

  // The handling of SM_SKINCMD all bindings share; true when the command was handled here.
  bool CommonMessage(framework::TMessage& message);
  // The shared handling of ordinary window messages (SM_SKINCMD goes to CommonMessage); true when
  // the message is fully handled and must not go on.
  bool CommonWndProc(framework::TMessage& message);

 private:
  // The edit's colours follow the section's, unless CustomColor / CustomFont.
  void SyncEditColors();
  void WriteControlColor();
  void ResetIndexes();

  std::string skinSection_;
  TsSkinManager* skinManager_ = nullptr;
  bool customColor_ = false;
  bool customFont_ = false;
};

// Whether the control is an edit as the bindings count them (edits follow the section's colours).
bool IsEditControl(const TsCommonData& data);

}  // namespace skin
