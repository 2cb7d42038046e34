// Input: native events turned into window messages for the right window: mouse messages to the
// window under the pointer (or the capture), enter and leave notices, double clicks, keys and
// characters to the focus window, activation, focus and capture.

#include <cstdlib>

#include "platform/Utf8.h"
#include "platform/windows/Input.h"
#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

constexpr unsigned kButtonFlags = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

unsigned ButtonFlag(int button) {
  switch (button) {
    case 1: return MK_LBUTTON;
    case 2: return MK_MBUTTON;
    case 3: return MK_RBUTTON;
    default: return 0;
  }
}

UINT ButtonMessage(int button, bool down, bool doubleClick) {
  const UINT base = button == 1 ? WM_LBUTTONDOWN : button == 3 ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  if (!down) return base + 1;
  return doubleClick ? base + 2 : base;
}

// The characters Windows' key translation makes from keys that type no text.
int ControlCharacter(int vk, unsigned keyState) {
  if (keyState & kAltDown) return 0;
  switch (vk) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: break;
  }
  if ((keyState & MK_CONTROL) && vk >= VK_A && vk <= VK_Z) return vk - VK_A + 1;
  return 0;
}

unsigned ModifierOf(int vk) {
  switch (vk) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: return MK_SHIFT;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return MK_CONTROL;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: return kAltDown;
    default: return 0;
  }
}

}  // namespace

void WindowSystem::OnNativeEvent(const NativeEvent& e) {
  if (e.kind == NativeEvent::Kind::DisplayChanged || e.kind == NativeEvent::Kind::WorkAreaChanged) {
    AnnounceScreenChange(e.kind);
    return;
  }
  WindowObject* top = Find(e.window);
  if (!top || !top->IsTopLevel()) return;
  latest_.modifiers = e.keyState & (MK_SHIFT | MK_CONTROL | kAltDown);
  switch (e.kind) {
    case NativeEvent::Kind::PointerMove:
      latest_.buttons = e.keyState & kButtonFlags;
      UpdateHover(top, e.point, e.time);
      RouteMouse(e, WM_MOUSEMOVE);
      break;
    case NativeEvent::Kind::ButtonDown: OnButtonDown(top, e); break;
    case NativeEvent::Kind::ButtonUp: {
      const unsigned flag = ButtonFlag(e.button);
      if (!flag) break;
      latest_.buttons = (e.keyState & kButtonFlags) & ~flag;
      RouteMouse(e, ButtonMessage(e.button, false, false));
      break;
    }
    case NativeEvent::Kind::Wheel: {
      WindowObject* target = focus_ && TopLevelOf(focus_) == top ? focus_ : top;
      if (!top->enabled || !IsEnabledDeep(target)) break;
      MSG m;
      m.hwnd = target->handle;
      m.message = WM_MOUSEWHEEL;
      m.wParam = static_cast<WPARAM>((e.keyState & 0xFFFF) |
                                     (static_cast<uint32_t>(e.delta & 0xFFFF) << 16));
      m.lParam = MAKELPARAM(top->bounds.Left + e.point.X, top->bounds.Top + e.point.Y);
      m.time = e.time;
      m.pt = {top->bounds.Left + e.point.X, top->bounds.Top + e.point.Y};
      QueueInput(m);
      break;
    }
    case NativeEvent::Kind::PointerLeave:
      if (hover_ && TopLevelOf(hover_) == top) {
        MSG m;
        m.hwnd = hover_->handle;
        m.message = WM_MOUSELEAVE;
        m.time = e.time;
        QueueInput(m);
        hover_ = nullptr;
      }
      break;
    case NativeEvent::Kind::KeyDown:
    case NativeEvent::Kind::KeyUp: RouteKey(e); break;
    case NativeEvent::Kind::Text: RouteText(top, e); break;
    case NativeEvent::Kind::Exposed:
      top->presentArea = top->presentArea.United(Region(e.rect).Intersected(top->ClientRect()));
      break;
    case NativeEvent::Kind::Configure: OnConfigure(top, e); break;
    case NativeEvent::Kind::FocusGained: OnActivation(top, true); break;
    case NativeEvent::Kind::FocusLost: OnActivation(top, false); break;
    case NativeEvent::Kind::CloseRequest:
      // A disabled window (the owner of a modal dialog) cannot be closed from outside either.
      if (top->enabled) Post(top->handle, WM_CLOSE, 0, 0);
      break;
    case NativeEvent::Kind::DisplayChanged:
    case NativeEvent::Kind::WorkAreaChanged: break;  // announced above, to no window in particular
  }
}

void WindowSystem::OnButtonDown(WindowObject* top, const NativeEvent& e) {
  const unsigned flag = ButtonFlag(e.button);
  if (!flag) return;
  latest_.buttons = (e.keyState & kButtonFlags) | flag;
  const TPoint screen{top->bounds.Left + e.point.X, top->bounds.Top + e.point.Y};
  const bool doubleClick = lastClick_.valid && lastClick_.window == e.window &&
                           lastClick_.button == e.button &&
                           e.time - lastClick_.time < kDoubleClickTime &&
                           std::abs(screen.X - lastClick_.screen.X) <= kDoubleClickDistance &&
                           std::abs(screen.Y - lastClick_.screen.Y) <= kDoubleClickDistance;
  // A double click ends the sequence: a third press starts a new one.
  lastClick_ = {e.window, e.button, e.time, screen, !doubleClick};
  // A click gives the window the keyboard (also a window that is never activated by being
  // shown or hovered): the user chose it. Not while a menu is open (the click is its answer),
  // and not a right-click on such a window (it asks for a context menu, and the keyboard stays
  // with the window the user types in).
  const bool contextClick = e.button == 3 && (top->exStyle & WS_EX_NOACTIVATE) != 0;
  if (top->enabled && active_ != top && !grab_ && !IsPopupMenu(top) && !contextClick)
    backend().Activate(top->handle);
  UpdateHover(top, e.point, e.time);
  RouteMouse(e, ButtonMessage(e.button, true, doubleClick));
}

void WindowSystem::RouteText(WindowObject* top, const NativeEvent& e) {
  WindowObject* target = focus_ && TopLevelOf(focus_) == top ? focus_ : top;
  if (!top->enabled || !IsEnabledDeep(target)) return;
  for (size_t i = 0; i < e.text.size();) {
    const uint32_t cp = NextCodePoint(e.text, i);
    if (cp < 0x20 || cp == 0x7F) continue;
    MSG m;
    m.hwnd = target->handle;
    m.message = WM_CHAR;
    m.wParam = cp;
    m.lParam = 1;
    m.time = e.time;
    QueueInput(m);
  }
}

void WindowSystem::OnConfigure(WindowObject* top, const NativeEvent& e) {
  const TRect old = top->bounds;
  if (e.rect == old) return;
  top->bounds = e.rect;
  const bool sized = e.rect.Width() != old.Width() || e.rect.Height() != old.Height();
  if (sized) ResizeBackBuffer(top);
  WindowPos pos{top->handle,
                nullptr,
                e.rect.Left,
                e.rect.Top,
                e.rect.Width(),
                e.rect.Height(),
                SWP_NOZORDER | SWP_NOACTIVATE};
  Send(top->handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (e.rect.Left != old.Left || e.rect.Top != old.Top)
    Send(top->handle, WM_MOVE, 0, MAKELPARAM(e.rect.Left, e.rect.Top));
  if (sized && Find(e.window))
    Send(top->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(e.rect.Width(), e.rect.Height()));
}

WindowObject* WindowSystem::MouseTarget(WindowObject* top, TPoint clientPoint) {
  if (!top->visible || !top->enabled) return nullptr;
  if (top->region && !top->region->Contains(clientPoint)) return nullptr;
  if (!top->ClientRect().Contains(clientPoint)) return nullptr;
  return ChildAt(top, clientPoint, true, true);
}

void WindowSystem::UpdateHover(WindowObject* top, TPoint clientPoint, uint32_t time) {
  WindowObject* now = MouseTarget(top, clientPoint);
  if (now == hover_) return;
  // The window the mouse left hears of it before the one it entered.
  const auto notify = [this, time](const WindowObject* window, UINT message) {
    MSG m;
    m.hwnd = window->handle;
    m.message = message;
    m.time = time;
    QueueInput(m);
  };
  if (hover_) notify(hover_, WM_MOUSELEAVE);
  hover_ = now;
  if (hover_) notify(hover_, WM_MOUSEENTER);
}

void WindowSystem::RouteMouse(const NativeEvent& e, UINT msg) {
  WindowObject* top = Find(e.window);
  const TPoint screen{top->bounds.Left + e.point.X, top->bounds.Top + e.point.Y};
  WindowObject* target = nullptr;
  if (grab_ && !(capture_ && TopLevelOf(capture_) == grab_)) {
    target = grab_;
  } else if (capture_) {
    // The capture takes the mouse only while its window can take input at all.
    if (IsEnabledDeep(capture_) && TopLevelOf(capture_)->enabled) target = capture_;
  } else {
    target = MouseTarget(top, e.point);
  }
  if (!target) return;
  const TPoint origin = ScreenOffset(target);
  MSG m;
  m.hwnd = target->handle;
  m.message = msg;
  m.wParam = (e.keyState & (MK_SHIFT | MK_CONTROL)) | latest_.buttons;
  m.lParam = MAKELPARAM(screen.X - origin.X, screen.Y - origin.Y);
  m.time = e.time;
  m.pt = screen;
  QueueInput(m);
}

void WindowSystem::RouteKey(const NativeEvent& e) {
  WindowObject* top = Find(e.window);
  const bool down = e.kind == NativeEvent::Kind::KeyDown;
  if (e.virtualKey > 0 && e.virtualKey < 256) {
    const auto vk = static_cast<size_t>(e.virtualKey);
    latest_.keys[vk] = down;
    if (down && e.repeat && keyPressedIn_[vk] != top->handle) return;
    keyPressedIn_[vk] = down ? top->handle : nullptr;
  }
  // A modifier's own event carries the state from before it: the key itself says what changed.
  const unsigned modifier = ModifierOf(e.virtualKey);
  if (down)
    latest_.modifiers |= modifier;
  else
    latest_.modifiers &= ~modifier;
  if (grab_) top = grab_;
  WindowObject* target = focus_ && TopLevelOf(focus_) == top ? focus_ : top;
  if (!top->enabled || !IsEnabledDeep(target)) return;
  const bool alt = (e.keyState & kAltDown) != 0;
  MSG m;
  m.hwnd = target->handle;
  m.message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
  m.wParam = static_cast<WPARAM>(e.virtualKey);
  m.lParam = 1 | (alt ? KF_ALTDOWN_LPARAM : 0) | (e.repeat ? KF_REPEAT_LPARAM : 0) |
             (down ? 0 : (LPARAM{3} << 30));
  m.time = e.time;
  QueueInput(m);
  if (!down) return;
  if (const int ch = ControlCharacter(e.virtualKey, e.keyState)) {
    m.message = WM_CHAR;
    m.wParam = static_cast<WPARAM>(ch);
    QueueInput(m);
  }
}

void WindowSystem::OnActivation(WindowObject* top, bool active) {
  const HWND hwnd = top->handle;
  if (active) {
    if (active_ == top) return;
    WindowObject* old = active_;
    if (old) OnActivation(old, false);
    if (!Find(hwnd)) return;
    active_ = top;
    Send(hwnd, WM_NCACTIVATE, 1, 0);
    Send(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old ? old->handle : nullptr));
  } else {
    if (active_ != top) return;
    active_ = nullptr;
    Send(hwnd, WM_NCACTIVATE, 0, 0);
    Send(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
  }
}

HWND WindowSystem::Activate(HWND hwnd) {
  const HWND old = Active();
  WindowObject* w = Find(hwnd);
  if (w) backend().Activate(TopLevelOf(w)->handle);
  return old;
}

// Every top-level window hears of it, as on Windows, through its queue: the change reaches the
// program between messages, never in the middle of one.
void WindowSystem::AnnounceScreenChange(NativeEvent::Kind kind) {
  UINT msg = WM_SETTINGCHANGE;
  WPARAM wParam = SPI_SETWORKAREA;
  LPARAM lParam = 0;
  if (kind == NativeEvent::Kind::DisplayChanged) {
    const TRect primary = backend().Monitors().front().rcMonitor;
    msg = WM_DISPLAYCHANGE;
    wParam = 24;
    lParam = MAKELPARAM(primary.Width(), primary.Height());
  }
  for (WindowObject* w : topLevels_) Post(w->handle, msg, wParam, lParam);
}

HWND WindowSystem::SetCapture(HWND hwnd) {
  WindowObject* w = Find(hwnd);
  WindowObject* old = capture_;
  if (old == w) return old ? old->handle : nullptr;
  capture_ = w;
  if (old && Find(old->handle))
    Send(old->handle, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old ? old->handle : nullptr;
}

bool WindowSystem::ReleaseCapture() {
  WindowObject* old = capture_;
  capture_ = nullptr;
  if (old && Find(old->handle)) Send(old->handle, WM_CAPTURECHANGED, 0, 0);
  return true;
}

bool WindowSystem::GrabInput(HWND hwnd) {
  WindowObject* w = Find(hwnd);
  if (!w || !w->IsTopLevel() || !w->visible) return false;
  if (!backend().GrabInput(hwnd)) return false;
  grab_ = w;
  // The pointer belongs to the menu now: what it was over hears that it left (the desktop reports
  // no leave for a grab), and learns it is entered again at the pointer's next move after the
  // menu closes.
  if (hover_ && TopLevelOf(hover_) != w) {
    MSG m;
    m.hwnd = hover_->handle;
    m.message = WM_MOUSELEAVE;
    m.time = backend().TickCount();
    QueueInput(m);
    hover_ = nullptr;
  }
  return true;
}

void WindowSystem::ReleaseInputGrab() {
  if (!grab_) return;
  grab_ = nullptr;
  backend().ReleaseInputGrab();
}

HWND WindowSystem::SetFocus(HWND hwnd) {
  WindowObject* w = Find(hwnd);
  WindowObject* old = focus_;
  const HWND oldHandle = old ? old->handle : nullptr;
  if (w == old) return oldHandle;
  focus_ = w;
  if (old) Send(oldHandle, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (w && focus_ == w && Find(hwnd)) {
    TopLevelOf(w)->lastFocus = w;
    Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(oldHandle), 0);
  }
  return oldHandle;
}

int16_t WindowSystem::KeyState(int vk) const {
  bool down = false;
  switch (vk) {
    case VK_SHIFT: down = current_.modifiers & MK_SHIFT; break;
    case VK_CONTROL: down = current_.modifiers & MK_CONTROL; break;
    case VK_MENU: down = current_.modifiers & kAltDown; break;
    case VK_LBUTTON: down = current_.buttons & MK_LBUTTON; break;
    case VK_RBUTTON: down = current_.buttons & MK_RBUTTON; break;
    case VK_MBUTTON: down = current_.buttons & MK_MBUTTON; break;
    default: down = vk > 0 && vk < 256 && current_.keys[static_cast<size_t>(vk)]; break;
  }
  return down ? static_cast<int16_t>(0x8000) : 0;
}

void WindowSystem::ForgetInput(WindowObject* w) {
  if (capture_ == w) capture_ = nullptr;
  if (grab_ == w) ReleaseInputGrab();
  if (focus_ == w) focus_ = nullptr;
  if (hover_ == w) hover_ = nullptr;
  if (active_ == w) active_ = nullptr;
  for (WindowObject* top : topLevels_)
    if (top->lastFocus == w) top->lastFocus = nullptr;
  if (lastClick_.window == w->handle) lastClick_ = {};
  for (HWND& pressedIn : keyPressedIn_)
    if (pressedIn == w->handle) pressedIn = nullptr;
}

}  // namespace platform
