#pragma once
// TsSkinned<Base>: what every skinned control adds to the class library's control it derives
// from. It owns the control's skin binding (TsCommonData, published as SkinData) and keeps its
// life in step with the control's: made with the control, told when the control was constructed
// and loaded and when a component it may refer to goes, freed after everything the derived control
// owns and before the class library's control itself. It holds the disabled look (DisabledKind)
// and gives the outline every control's handling of the skin message starts with. A skinned
// control derives from it, publishes its properties with SkinnedClass, and keeps its own steps:
// rendering its cache, painting, and its window procedure. For example:
//
//   class TsRadioButton : public TsSkinned<framework::TRadioButton> { ... };
//
//   TsRadioButton::TsRadioButton(framework::TComponent* owner)
//       : TsSkinned(owner, ctRadioButton, kWithCache) {}

#include <cstdint>
#include <memory>
#include <string>

#include "framework/classes/ClassBuilder.h"
#include "framework/classes/Component.h"
#include "skin/controls/sCommonData.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sBackground.h"

namespace skin {

// The names descriptions give the elements of a DisabledKind.
inline const framework::TEnumNames<uint32_t> kDisabledKindNames = {{"dkBlended", dkBlended},
                                                                   {"dkGrayed", dkGrayed}};

// Whether the binding makes its cache bitmap with the control, or on first use.
enum TsCacheCreation : uint8_t { kCacheOnFirstUse, kWithCache };

template <typename Base>
class TsSkinned : public Base {
 public:
  TsCommonData* SkinData() const { return skinData_.get(); }
  // How the face looks while disabled (the controls that show a disabled look publish it).
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind value) {
    disabledKind_ = value;
    skinData_->Invalidate();
  }

  // Inherited first, then the binding's.
  void AfterConstruction() override {
    Base::AfterConstruction();
    skinData_->Loaded();
  }
  void Loaded() override {
    Base::Loaded();
    skinData_->Loaded();
  }
  void Notification(framework::TComponent* component, framework::TOperation operation) override {
    Base::Notification(component, operation);
    if (operation == framework::opRemove && skinData_) skinData_->ComponentRemoved(component);
  }

  // A description of the class C (derived from this one) under name, with the binding published:
  // each control adds its own properties, one line each.
  template <typename C>
  static framework::TClassBuilder<C> SkinnedClass(std::string name) {
    return framework::TClassBuilder<C>(std::move(name), Base::StaticClassInfo())
        .Creatable()
        .Object("SkinData", &C::SkinData);
  }

 protected:
  TsSkinned(framework::TComponent* owner, int controlType, TsCacheCreation cache)
      : Base(owner), skinData_(std::make_unique<TsCommonData>(this, cache == kWithCache)) {
    skinData_->ControlType = controlType;
  }
  // The binding goes before the class library's control: nothing may reach it while the
  // control's own parts go. The derived control's members (its fade, its label) are gone already.
  ~TsSkinned() override { skinData_.reset(); }

  // Skinned, with the manager's skin active.
  bool BoundToActiveSkin() const { return skinData_ && skinData_->BoundToActiveSkin(); }

  // The skin commands every skinned control takes first, skinned or not: a manager's
  // announcement (a new skin, its removal, a refresh) goes to SkinAnnounced; SKC_ISSKINNED is
  // answered; anything else to OwnSkinCommand. True when the command is done.
  bool HandleSkinCommand(framework::TMessage& message) {
    const uint16_t command = SkinCommandOf(message.WParam);
    switch (command) {
      case SKC_SETNEWSKIN:
      case SKC_REMOVESKIN:
      case SKC_REFRESH: SkinAnnounced(command, message); return true;
      case SKC_ISSKINNED: message.LParam = 1; return true;
      default: return OwnSkinCommand(message);
    }
  }
  // A manager announced a skin change: from our manager the binding takes it; from any other it is
  // ignored.
  virtual void SkinAnnounced(uint16_t command, framework::TMessage& message) {
    (void)command;
    if (skinData_->FromOurManager(message)) skinData_->CommonWndProc(message);
  }
  // Another skin command the control takes before anything else; true when done.
  virtual bool OwnSkinCommand(framework::TMessage& message) {
    (void)message;
    return false;
  }

  // Composes the control's face in its current look into the cache.
  virtual void RenderCache() = 0;

  // Before copying a cache that may be clean: it is rendered again when the parent painted only
  // part of itself last time (dirty := True unless the cache is clean and was painted whole, then
  // the parent's answer), and the next paint renders it whole when the control now lies partly
  // outside the parent's client area (edges included).
  void CheckCacheAgainstParent() {
    bool dirty = true;
    if (!skinData_->BackgroundDirty && !skinData_->PartlyPainted)
      dirty = this->Parent() && QuerySkinCommand(this->Parent(), SKC_ISPARTLYPAINTED);
    skinData_->BackgroundDirty = dirty;
    const platform::TRect bounds = this->BoundsRect();
    skinData_->PartlyPainted = bounds.Intersected(this->Parent()->ClientRect()) != bounds;
  }
  // Paints at once, no longer waiting for the parent (which has painted).
  void RepaintUndeferred() {
    skinData_->PaintDeferred = false;
    this->Repaint();
  }
  // When the control is disabled: the look DisabledKind selects, over the face in the cache, with
  // the parent's background at the control's place.
  void ShowDisabledLook(const TCacheInfo& parent) {
    if (this->Enabled()) return;
    PaintDisabledLook(skinData_->CacheBitmap.get(), disabledKind_, this->Parent(),
                      {this->Left(), this->Top()}, parent);
  }

  std::unique_ptr<TsCommonData> skinData_;

 private:
  TsDisabledKind disabledKind_ = dkBlended;
};

}  // namespace skin
