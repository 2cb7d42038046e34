#pragma once
// TsFading<Base>: a skinned control whose look cross-fades when the mouse enters, leaves,
// presses or releases it (the button and the check box). It adds to TsSkinned the control's side
// of a fade: the published AnimatEvents, the reference to the fade timer that runs (owned by the
// control, and only while a fade runs), the look change each event asks for, and the two skin
// commands a fade sends the control (SKC_PREPAREFADE renders the new look, SKC_STOPFADE frees the
// timer). The fade stops before the binding goes.

#include <string>

#include "skin/controls/sFadeTimer.h"
#include "skin/controls/sSkinned.h"

namespace skin {

template <typename Base>
class TsFading : public TsSkinned<Base>, public TsFadeTarget {
 public:
  TacAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TacAnimatEvents value) { animatEvents_ = value; }
  // The fade running now; nullptr while the look rests.
  TsFadeTimer* FadeTimer() const { return fadeTimer_; }

  void Notification(framework::TComponent* component, framework::TOperation operation) override {
    TsSkinned<Base>::Notification(component, operation);
    if (operation == framework::opRemove && component == fadeTimer_) fadeTimer_ = nullptr;
  }

  // A description of the class C with the binding and AnimatEvents published.
  template <typename C>
  static framework::TClassBuilder<C> FadingClass(std::string name) {
    return TsSkinned<Base>::template SkinnedClass<C>(std::move(name))
        .Set("AnimatEvents", &C::AnimatEvents, &C::SetAnimatEvents, kAnimatEventNames, aeGlobalDef);
  }

 protected:
  using TsSkinned<Base>::TsSkinned;
  ~TsFading() override { StopFade(fadeTimer_); }

  // The look changes after the event: a fade when the event is animated for this control (and
  // the section fades), else at once. Press and release halve the fade.
  void ChangeLookOn(TacAnimatEvent event, bool halve) {
    ChangeLook(fadeTimer_, *this->skinData_, halve, 1, EventAnimated(animatEvents_, event));
  }
  void StopTheFade() { StopFade(fadeTimer_); }
  // When the fade ends the control repaints, unless it knows its cache to be its look.
  bool ShowCachedLook() override { return false; }
  // A fade runs: its frames are the picture, the control's own paint draws nothing.
  bool Fading() const { return fadeTimer_ && fadeTimer_->Enabled(); }
  // Shows the next frame of the fade when there is one (the focus came while fading); false when
  // there is none.
  bool ShowNextFadeFrame() {
    if (!fadeTimer_) return false;
    fadeTimer_->Step();
    return true;
  }

  bool OwnSkinCommand(framework::TMessage& message) override {
    switch (SkinCommandOf(message.WParam)) {
      case SKC_STOPFADE: StopTheFade(); return true;
      case SKC_PREPAREFADE:
        if (this->BoundToActiveSkin()) this->RenderCache();
        return false;
      default: return false;
    }
  }

 private:
  TacAnimatEvents animatEvents_ = aeGlobalDef;
  TsFadeTimer* fadeTimer_ = nullptr;
};

}  // namespace skin
