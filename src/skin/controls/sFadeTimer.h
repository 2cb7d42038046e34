#pragma once
// Fading: when a button or a check box changes its look because the mouse entered, left, pressed
// or released it, the change is shown as a short cross-fade from the old image to the new one.
//
// TsFadeTimer drives one such fade. It keeps a copy of the image on screen, lets the control
// render its new look into its cache (SKC_PREPAREFADE), and on each tick of 10 ms mixes the two
// and puts the frame on the control's window (SKC_FADEFRAME asks the control first). A control
// holds at most one timer, and only while a fade runs: the tick after the last step asks the
// control to stop the fade (SKC_STOPFADE), which frees the timer, so nothing ticks while idle.
//
// Whether a change fades is decided per event by the control's AnimatEvents and by the section's
// FadingEnabled; its length is the section's FadingIterations, halved for press and release.

#include <cstdint>
#include <memory>

#include "framework/classes/ClassBuilder.h"
#include "framework/forms/TimerComponent.h"
#include "framework/graphics/Bitmap.h"

namespace skin {

class TsCommonData;

// The events that may fade. aeGlobalDef stands for the process-wide default set.
enum TacAnimatEvent : uint32_t {
  aeMouseEnter = 1u << 0,
  aeMouseLeave = 1u << 1,
  aeMouseDown = 1u << 2,
  aeMouseUp = 1u << 3,
  aeGlobalDef = 1u << 4,
};
using TacAnimatEvents = uint32_t;

// The names descriptions give the set's elements.
inline const framework::TEnumNames<uint32_t> kAnimatEventNames = {{"aeMouseEnter", aeMouseEnter},
                                                                  {"aeMouseLeave", aeMouseLeave},
                                                                  {"aeMouseDown", aeMouseDown},
                                                                  {"aeMouseUp", aeMouseUp},
                                                                  {"aeGlobalDef", aeGlobalDef}};

// The process-wide default set that aeGlobalDef refers to: all four mouse events.
TacAnimatEvents& DefaultAnimatEvents();
// Whether the event fades for a control with these AnimatEvents: it is in them, or aeGlobalDef is
// and the event is in the default set.
bool EventAnimated(TacAnimatEvents events, TacAnimatEvent event);

// The tick interval of every fade; the section's FadingIntervalIn and FadingIntervalOut do not
// change it.
constexpr uint32_t kFadeInterval = 10;

// How much the old look weighs in the frame shown at a level (from 1) of a fade of that many
// steps: 255 - level * 256 / iterations, clipped to a byte; 0, the new look alone, at the last.
uint8_t FadeWeight(int level, int iterations);

// What a fading control offers the timer when its fade ends: its look, already rendered into the
// cache when the fade began, put on the window as it is.
class TsFadeTarget {
 public:
  // Copies the cache to the window and answers true when the cache is what a paint would show
  // now; false when the control must repaint instead.
  virtual bool ShowCachedLook() = 0;

 protected:
  ~TsFadeTarget() = default;
};

class TsFadeTimer : public framework::TTimer {
 public:
  // Made disabled (direction 0), with its level at 1; owner is the animated control.
  explicit TsFadeTimer(framework::TComponent* owner);
  ~TsFadeTimer() override;

  // 0 stopped, 1 running; the timer ticks exactly while it is not 0.
  int Direction() const { return direction_; }
  void SetDirection(int value);

  // Shows the next frame: the old image mixed with the cache by the level, on the control's
  // window. Nothing once the control goes or when there are no iterations; a disabled control
  // ends the fade and repaints normally.
  void Step();

  TsCommonData* Data = nullptr;  // the binding of the animated control
  int Iterations = 0;            // the number of steps of this fade
  int Level = 1;                 // the next step to show, from 1
  // The image the fade starts from (a copy of the cache when it started).
  framework::TBitmap* OldImage() const { return oldImage_.get(); }

 protected:
  // The tick: ends the fade once the last level was shown, else steps.
  void Timer() override;

 private:
  std::unique_ptr<framework::TBitmap> oldImage_;
  std::unique_ptr<framework::TBitmap> frame_;  // kept between steps: one allocation per fade
  int direction_ = 0;
};

// What the controls call after updating their state flags. With an animated event, no skin
// change under way, fading on in the section, and a cache that shows what is on screen (not
// BackgroundDirty): the change fades. Otherwise the look changes at once: any fade stops and the
// control repaints. Nothing while the binding is not skinned. timer is the control's reference.
void ChangeLook(TsFadeTimer*& timer, TsCommonData& data, bool halve, int direction, bool animated);
// Starts (or reverses) a fade from the cache's current content to the look the control renders
// on SKC_PREPAREFADE. A running fade that is taken over lasts as many steps as it had shown; halve
// halves the steps (press and release). Nothing when the section does not fade.
void StartFade(TsFadeTimer*& timer, TsCommonData& data, bool halve, int direction);
// Frees the timer (unless it is already being destroyed) and clears the reference.
void StopFade(TsFadeTimer*& timer);

}  // namespace skin
