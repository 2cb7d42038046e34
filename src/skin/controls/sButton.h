#pragma once
// TsButton: the skinned push button. While its binding is skinned it renders its face from its
// section ("BUTTON" by default) into its cache in one of three states (0 normal, 1 hot, 2
// pressed), cuts its window to the shape of the section's border mask (the region clips painting
// and hit-testing alike), and cross-fades between states on mouse enter, leave, press and
// release. Without an active skin it is the class library's button.
//
// Clicks come from MouseUp over the button after a press that began on it, from the space key's
// release, and from the class library's keyboard handling (default and cancel keys): the native
// part never sees its pushed state (BM_SETSTATE is dropped), so it reports no click of its own.

#include <cstdint>
#include <memory>

#include "framework/controls/Button.h"
#include "platform/drawing/Region.h"
#include "skin/controls/sFading.h"
#include "skin/paint/sPaintParams.h"

namespace skin {

class TsButton : public TsFading<framework::TButton> {
 public:
  explicit TsButton(framework::TComponent* owner);
  DECLARE_CLASS_INFO()

  // Latched down: shows the pressed look until released by code.
  bool Down() const { return down_; }
  void SetDown(bool value);
  // How far the focus frame lies outside the caption rectangle.
  int FocusMargin() const { return focusMargin_; }
  void SetFocusMargin(int value) { focusMargin_ = value; }

  // lkPressed while down (the pressed flag or Down) and the pointer is over it or no left press
  // holds it; else lkHot when hot or the default-active button; else lkNormal.
  TsLook CurrentState() const;
  // The region the window was last given (the border mask's opaque pixels).
  const platform::Region& WindowRegion() const { return region_; }
  bool DefaultActive() const { return defaultActive_; }
  // The caption's rectangle in the cache: centred by its measured size, shifted by (1, 1) when
  // pressed.
  platform::TRect CaptionRect();

  void WndProc(framework::TMessage& message) override;

 protected:
  // The focus frame's margin is a length like the bounds: it scales with them.
  void ChangeScale(int m, int d) override;
  void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int x,
                 int y) override;
  void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y) override;
  void KeyUp(uint16_t& key, framework::TShiftState shift) override;

 private:
  bool IsDown() const { return pressed_ || down_; }
  void DrawCaption();
  // Composes the face in the current state, the border mask (cutting the region), the caption
  // and the disabled look into the cache.
  void RenderCache() override;
  void PaintSkinned();
  // The end of a fade: the cache, rendered in the current look when the fade began and clean
  // since, goes to the window without rendering it again.
  bool ShowCachedLook() override;
  void ApplyRegion();
  // A new skin, its removal or a refresh from the binding's manager.
  void SkinAnnounced(uint16_t command, framework::TMessage& message) override;
  // The skinned window procedure; true when the message is done.
  bool HandleSkinnedMessage(framework::TMessage& message);
  // The focus coming (a press may bring it) and going; true when the message is done.
  bool HandleFocusChange(framework::TMessage& message);
  void AfterInherited(const framework::TMessage& message);

  bool down_ = false;
  int focusMargin_ = 1;
  bool mouseCaptured_ = false;
  bool pressed_ = false;
  bool regionDirty_ = true;
  bool defaultActive_ = false;
  bool savedShowHint_ = true;
  platform::Region region_;
};

}  // namespace skin
