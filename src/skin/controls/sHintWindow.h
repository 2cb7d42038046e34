#pragma once
// TsHintWindow: the application's tip drawn from the active skin. Its face is the skin's "HINT"
// section (colour, gradient, texture, border mask, its window cut to the mask's shape) with the
// text in the section's font colour, bounded as the class library's tip is. It is placed so that
// it never covers the window of the control it belongs to: below the pointer when the tip fits
// there under that window, else just above that window. Without an active skin with a "HINT"
// section it is the class library's tip, placed as that one is.

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

 private:
  platform::Region region_;  // the shape the window was last given
};

// The active default manager's "HINT" section index, or -1 (with manager nullptr) without one.
int ActiveHintSection(TsSkinManager*& manager);

// Makes TsHintWindow the application's tip class.
void UseSkinnedHints();

}  // namespace skin
