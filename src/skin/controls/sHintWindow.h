#pragma once
// TsHintWindow: the application's tip drawn from the active skin. Its face is the skin's "HINT"
// section (colour, gradient, texture, border mask, its window cut to the mask's shape) with the
// text in the section's font colour, bounded as the class library's tip is. It is placed so that
// it never covers the window of the control it belongs to: below the pointer when the tip fits
// there under that window, else just above that window. Without an active skin with a "HINT"
// section it is the class library's tip, placed as that one is.
//
// Where the section enables fading, the tip comes in over the section's steps, as the buttons'
// looks cross-fade: shown invisible, then one step more opaque each fade tick until it is opaque
// at the last, with the timer running only while it does. A hidden tip's timer goes with its
// window. Without fading (or where the desktop shows no opacity) it appears at once.

#include "framework/controls/HintWindow.h"
#include "platform/drawing/Region.h"

namespace skin {

class TsSkinManager;

class TsHintWindow : public framework::THintWindow {
 public:
  // Where a skinned tip of this size stands for the point below the pointer: within the area
  // (the work area), not over avoid (the tipped control's window; empty: nothing to keep clear).
  static platform::TRect PlaceOutside(platform::TSize size, platform::TPoint at,
                                      const platform::TRect& avoid, const platform::TRect& area);

 protected:
  platform::TRect HintBounds(platform::TSize size, platform::TPoint at) const override;
  void Paint(platform::HDC dc, const platform::TRect& client) override;
  void Appearing() override;
  void TimerTick(uintptr_t id) override;

 private:
  platform::Region region_;  // the shape the window was last given
  int fadeLevel_ = 0;        // the next step of the fade-in to show, from 1
  int fadeIterations_ = 0;   // its number of steps
};

// The active default manager's "HINT" section index, or -1 (with manager nullptr) without one.
int ActiveHintSection(TsSkinManager*& manager);

// Makes TsHintWindow the application's tip class.
void UseSkinnedHints();

}  // namespace skin
