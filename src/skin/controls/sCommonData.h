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

#include "framework/classes/Component.h"
#include "framework/controls/Control.h"
#include "platform/drawing/DeviceContext.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sCommonDataBase.h"

namespace framework {
class TWinControl;
}  // namespace framework

namespace skin {

class TsSkinManager;

// An owner without a window of its own (the form skin provider) takes the skin message directly.
class TsSkinMessageReceiver {
 public:
  virtual ~TsSkinMessageReceiver() = default;
  virtual void SkinMessage(framework::TMessage& message) = 0;
};

// Whether a control of that type code can be hot (mouse over). Panels, toolbars, group boxes and
// the like never are.
bool CanBeHot(int controlType);
// The section a control of that type code uses when its SkinSection is empty; the owner's class
// name for codes the table does not know.
std::string DefaultSectionFor(int controlType, const std::string& className);

class TsCommonData : public TsCommonDataBase {
 public:
  // owner is the control (or the form provider) that owns the binding; withCache makes the cache
  // bitmap at once, else it is made on first use.
  TsCommonData(framework::TComponent* owner, bool withCache);
  ~TsCommonData() override;
  DECLARE_CLASS_INFO()

  // ---- published properties (the values themselves are the base's)

  // Stored upper-cased; an empty name is stored as "UNKNOWN". Setting looks the section up and
  // tells the owner (SKC_REFRESH when found, SKC_REMOVESKIN when not).
  void SetSkinSection(const std::string& name);
  // nullptr, or the default manager, means the default manager; only another one is stored.
  void SetSkinManager(TsSkinManager* manager);
  void SetCustomColor(bool value);
  void SetCustomFont(bool value);
  // The owner heard that a component goes: a stored manager that goes is forgotten at once (the
  // default manager then serves), so the binding never holds a freed manager.
  void ComponentRemoved(const framework::TComponent* component);

  // ---- operations

  // After the owner was read: the default section when none is set (else the indices), then the
  // edit colours follow the section's.
  void Loaded();
  // BoundToActiveSkin, and the skin is ready: loaded and announced (not while a skin loads).
  bool SkinReady() const;
  // Whether the owner is a visual control in a state to be painted and invalidated: not being
  // created, read, loaded or destroyed, and placed on a parent.
  bool OwnerReady() const;
  // Whether painting must wait: no ready skin, PaintDeferred, or a parent that is itself dirty or
  // deferred. Never raises.
  bool IsDeferred();
  // Focused, or (for types that can be hot) under the mouse; never when disabled.
  bool IsHot() const;
  // Marks the cache dirty and, when the owner is ready, its window area invalid.
  void Invalidate();
  // Copies the cache onto dc for dest (device coordinates), the cache read from (srcLeft,
  // srcTop). The children of container that are opaque or non-windowed are left out (their
  // bounds shifted by (dx, dy)); with paintBordersFirst the cache's corners are repaired first.
  void CopyCacheToDC(framework::TWinControl* container, int srcLeft, int srcTop, int dx, int dy,
                     bool paintBordersFirst, platform::HDC dc, const platform::TRect& dest);

  // Whether a manager's command came from the manager this binding uses.
  bool FromOurManager(const framework::TMessage& message) const {
    return SendingManager(message) == GetSkinManager();
  }
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
};

// Whether the control is an edit as the bindings count them (edits follow the section's colours).
bool IsEditControl(const TsCommonData& data);

}  // namespace skin
