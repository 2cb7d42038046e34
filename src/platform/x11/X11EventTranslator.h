#pragma once
// The pointer, keyboard, exposure and focus events of a top-level window as native events:
// client coordinates, Windows' key state flags and virtual keys, typed text, and times on the
// backend's clock.

#include <X11/Xlib.h>

#include <deque>

#include "platform/x11/X11EventClock.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11TopLevel.h"

namespace platform::x11 {

// The server time an event carries, or 0 for events without one.
Time EventServerTime(const XEvent& event);

// MK_* flags (and kAltDown) of an X modifier and button state.
unsigned KeyStateFromX(unsigned state);

class X11EventTranslator {
 public:
  explicit X11EventTranslator(X11Keyboard& keyboard) : keyboard_(keyboard) {}

  // Appends the native events for a pointer, key, expose or focus event of the window to out;
  // false when the event is of another kind (the caller's business).
  bool Translate(XEvent& event, X11TopLevel& window, std::deque<PendingEvent>& out);

  // Appends one native event of the window, timed by the server time of its cause (0: now).
  void Append(X11TopLevel& window, NativeEvent::Kind kind, Time serverTime, NativeEvent event,
              std::deque<PendingEvent>& out);

 private:
  void TranslateKeyPress(XKeyEvent& event, X11TopLevel& window, std::deque<PendingEvent>& out);
  void TranslateFocus(const XFocusChangeEvent& event, X11TopLevel& window,
                      std::deque<PendingEvent>& out);

  X11Keyboard& keyboard_;
  X11EventClock clock_;
};

}  // namespace platform::x11
