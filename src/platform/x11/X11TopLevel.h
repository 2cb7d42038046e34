#pragma once
// What the X11 backend keeps of one top-level window, and of an event on its way to the sink.

#include <X11/Xlib.h>

#include "platform/Backend.h"
#include "platform/drawing/Region.h"

namespace platform::x11 {

struct X11TopLevel {
  HWND hwnd = nullptr;
  ::Window xid = None;
  XIC inputContext = nullptr;
  bool inputContextTried = false;  // inputContext made (or no input method to make it with)
  TopLevelStyle style;             // style.bounds: where the program wants the window
  TRect reported;                  // the screen rectangle the window system last heard of
  bool shown = false;              // the program wants it on screen
  bool everShown = false;          // mapped before: hints must be set again before the next map
  bool mapped = false;             // MapNotify seen, no UnmapNotify since
  bool focusPending = false;       // take the keyboard as soon as it is viewable
  bool placementDue = false;       // mapped away from where asked: look again at placementCheck
  uint32_t placementCheck = 0;     // (X11EventClock time)
  bool focused = false;            // the desktop gave it the keyboard
  Region exposed;                  // Expose rectangles collected until the last of a series
  bool pressed = false;            // a button was pressed on it since it was made
  Time lastPress = 0;              // server time of that press
};

// A native event waiting for the sink, with the server time of what caused it (0: nothing timed).
struct PendingEvent {
  NativeEvent event;
  Time serverTime = 0;
};

}  // namespace platform::x11
