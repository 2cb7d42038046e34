#include "platform/x11/X11EventTranslator.h"

#include <utility>

#include "platform/windows/Messages.h"

namespace platform::x11 {

namespace {

using Kind = NativeEvent::Kind;

unsigned ButtonFlag(unsigned button) {
  switch (button) {
    case Button1: return MK_LBUTTON;
    case Button2: return MK_MBUTTON;
    case Button3: return MK_RBUTTON;
    default: return 0;
  }
}

// X reports the state before the event; Windows reports the state including the key that went
// down (or without the one that came up).
unsigned ModifierFlag(int virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT: return MK_SHIFT;
    case VK_CONTROL: return MK_CONTROL;
    case VK_MENU: return kAltDown;
    default: return 0;
  }
}

}  // namespace

Time EventServerTime(const XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease: return event.xkey.time;
    case ButtonPress:
    case ButtonRelease: return event.xbutton.time;
    case MotionNotify: return event.xmotion.time;
    case EnterNotify:
    case LeaveNotify: return event.xcrossing.time;
    case PropertyNotify: return event.xproperty.time;
    case SelectionClear: return event.xselectionclear.time;
    case SelectionRequest: return event.xselectionrequest.time;
    case SelectionNotify: return event.xselection.time;
    default: return 0;
  }
}

unsigned KeyStateFromX(unsigned state) {
  unsigned keyState = 0;
  if (state & Button1Mask) keyState |= MK_LBUTTON;
  if (state & Button2Mask) keyState |= MK_MBUTTON;
  if (state & Button3Mask) keyState |= MK_RBUTTON;
  if (state & ShiftMask) keyState |= MK_SHIFT;
  if (state & ControlMask) keyState |= MK_CONTROL;
  if (state & Mod1Mask) keyState |= kAltDown;
  return keyState;
}

void X11EventTranslator::Append(X11TopLevel& window, NativeEvent::Kind kind, Time serverTime,
                                NativeEvent event, std::deque<PendingEvent>& out) {
  event.kind = kind;
  event.window = window.hwnd;
  const uint32_t now = X11EventClock::Now();
  event.time = serverTime != 0 ? clock_.Map(static_cast<uint32_t>(serverTime), now) : now;
  out.push_back(PendingEvent{std::move(event), serverTime});
}

bool X11EventTranslator::Translate(XEvent& event, X11TopLevel& window,
                                   std::deque<PendingEvent>& out) {
  const Time time = EventServerTime(event);
  NativeEvent e;
  switch (event.type) {
    case MotionNotify:
      e.point = {event.xmotion.x, event.xmotion.y};
      e.keyState = KeyStateFromX(event.xmotion.state);
      Append(window, Kind::PointerMove, time, std::move(e), out);
      return true;
    case EnterNotify:
      if (event.xcrossing.detail == NotifyInferior) return true;
      e.point = {event.xcrossing.x, event.xcrossing.y};
      e.keyState = KeyStateFromX(event.xcrossing.state);
      Append(window, Kind::PointerMove, time, std::move(e), out);
      return true;
    case LeaveNotify:
      // Grabs (the window manager's, a menu's) make crossing events while the pointer stays put.
      if (event.xcrossing.mode != NotifyNormal || event.xcrossing.detail == NotifyInferior)
        return true;
      Append(window, Kind::PointerLeave, time, std::move(e), out);
      return true;
    case ButtonPress: {
      const XButtonEvent& b = event.xbutton;
      e.point = {b.x, b.y};
      e.keyState = KeyStateFromX(b.state);
      if (b.button == Button4 || b.button == Button5) {
        e.delta = b.button == Button4 ? 120 : -120;
        Append(window, Kind::Wheel, time, std::move(e), out);
      } else if (b.button >= Button1 && b.button <= Button3) {
        window.lastPress = b.time;
        window.pressed = true;
        e.button = static_cast<int>(b.button);
        e.keyState |= ButtonFlag(b.button);
        Append(window, Kind::ButtonDown, time, std::move(e), out);
      }
      return true;
    }
    case ButtonRelease: {
      const XButtonEvent& b = event.xbutton;
      if (b.button < Button1 || b.button > Button3) return true;
      e.point = {b.x, b.y};
      e.button = static_cast<int>(b.button);
      e.keyState = KeyStateFromX(b.state) & ~ButtonFlag(b.button);
      Append(window, Kind::ButtonUp, time, std::move(e), out);
      return true;
    }
    case KeyPress: TranslateKeyPress(event.xkey, window, out); return true;
    case KeyRelease:
      e.virtualKey = keyboard_.TranslateRelease(event.xkey);
      if (e.virtualKey == 0) return true;
      e.keyState = KeyStateFromX(event.xkey.state) & ~ModifierFlag(e.virtualKey);
      Append(window, Kind::KeyUp, time, std::move(e), out);
      return true;
    case Expose: {
      const XExposeEvent& x = event.xexpose;
      window.exposed = window.exposed.United(Bounds(x.x, x.y, x.width, x.height));
      if (x.count != 0) return true;
      // The last of a series: the window system puts each part on again from the back buffer.
      const Region exposed = std::exchange(window.exposed, Region());
      for (const TRect& r : exposed.Rects()) {
        NativeEvent part;
        part.rect = r;
        Append(window, Kind::Exposed, 0, std::move(part), out);
      }
      return true;
    }
    case FocusIn:
    case FocusOut: TranslateFocus(event.xfocus, window, out); return true;
    default: return false;
  }
}

void X11EventTranslator::TranslateKeyPress(XKeyEvent& event, X11TopLevel& window,
                                           std::deque<PendingEvent>& out) {
  X11Keyboard::Key key = keyboard_.TranslatePress(event, window.inputContext);
  if (key.virtualKey != 0) {
    NativeEvent e;
    e.virtualKey = key.virtualKey;
    e.repeat = key.repeat;
    e.keyState = KeyStateFromX(event.state) | ModifierFlag(key.virtualKey);
    Append(window, Kind::KeyDown, event.time, std::move(e), out);
  }
  if (!key.text.empty()) {
    NativeEvent e;
    e.text = std::move(key.text);
    e.keyState = KeyStateFromX(event.state);
    Append(window, Kind::Text, event.time, std::move(e), out);
  }
}

void X11EventTranslator::TranslateFocus(const XFocusChangeEvent& event, X11TopLevel& window,
                                        std::deque<PendingEvent>& out) {
  // Focus that only follows the pointer (PointerRoot) and the shuffles of grabs are not the
  // desktop giving us the keyboard.
  if (event.detail == NotifyPointer || event.mode == NotifyGrab || event.mode == NotifyUngrab)
    return;
  const bool in = event.type == FocusIn;
  if (window.focused == in) return;
  window.focused = in;
  X11Keyboard::SetContextFocus(window.inputContext, in);
  // Keys released while another window had the keyboard never tell us so; nor do keys whose
  // release went to a window that is gone.
  if (in)
    keyboard_.ForgetReleasedKeys();
  else
    keyboard_.ForgetHeldKeys();
  Append(window, in ? Kind::FocusGained : Kind::FocusLost, 0, NativeEvent{}, out);
}

}  // namespace platform::x11
