#include "platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstring>

#include "platform/Exception.h"
#include "platform/windows/Messages.h"

namespace platform {

HeadlessBackend::HeadlessBackend() = default;

void HeadlessBackend::CreateTopLevel(HWND window, const TopLevelStyle& style) {
  TopLevel& record = windows_[window];
  record.style = style;
  record.screen = DIBitmap(std::max(0, style.bounds.Width()), std::max(0, style.bounds.Height()),
                           24, RowOrder::TopDown);
  stacking_.push_back(window);
}

void HeadlessBackend::DestroyTopLevel(HWND window) {
  if (focused_ == window) focused_ = nullptr;
  if (underPointer_ == window) underPointer_ = nullptr;
  if (grab_ == window) grab_ = nullptr;
  if (inputGrab_ == window) inputGrab_ = nullptr;
  windows_.erase(window);
  stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), window), stacking_.end());
  // Events for a window that is gone are never delivered.
  std::erase_if(events_, [&](const NativeEvent& e) { return e.window == window; });
}

void HeadlessBackend::ShowTopLevel(HWND window, bool visible) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  it->second.visible = visible;
  if (visible) {
    // A newly shown window goes on top of its layer.
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), window), stacking_.end());
    stacking_.push_back(window);
  } else {
    // An unmapped window loses its grab, as on X.
    if (inputGrab_ == window) inputGrab_ = nullptr;
    if (focused_ == window) {
      focused_ = nullptr;
      Queue(NativeEvent::Kind::FocusLost, window);
    }
  }
}

bool HeadlessBackend::GrabInput(HWND window) {
  const auto it = windows_.find(window);
  if (grabbedElsewhere_ || it == windows_.end() || !it->second.visible) return false;
  inputGrab_ = window;
  return true;
}

void HeadlessBackend::MoveTopLevel(HWND window, const TRect& screenBounds) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  TopLevel& record = it->second;
  if (screenBounds.Width() != record.style.bounds.Width() ||
      screenBounds.Height() != record.style.bounds.Height())
    record.screen.Resize(std::max(0, screenBounds.Width()), std::max(0, screenBounds.Height()));
  record.style.bounds = screenBounds;
}

void HeadlessBackend::SetTitle(HWND window, const std::string& title) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.style.title = title;
}

void HeadlessBackend::SetIcon(HWND window, const DIBitmap&, const DIBitmap*) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.hasIcon = true;
}

void HeadlessBackend::SetShape(HWND window, const std::optional<Region>& shape) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.shape = shape;
}

void HeadlessBackend::SetOpacity(HWND window, uint8_t alpha) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.opacity = alpha;
}

void HeadlessBackend::Activate(HWND window) { FocusWindow(window); }

void HeadlessBackend::FocusWindow(HWND window) {
  if (window == focused_) return;
  if (window) {
    auto it = windows_.find(window);
    if (it == windows_.end() || !it->second.visible) return;
  }
  if (focused_) {
    Queue(NativeEvent::Kind::FocusLost, focused_);
  }
  focused_ = window;
  if (window) {
    Queue(NativeEvent::Kind::FocusGained, window);
  }
}

void HeadlessBackend::Present(HWND window, const DIBitmap& backBuffer, const Region& area) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  TopLevel& record = it->second;
  if (record.screen.Width() != backBuffer.Width() || record.screen.Height() != backBuffer.Height())
    record.screen.Resize(backBuffer.Width(), backBuffer.Height());
  const TRect bounds{0, 0, backBuffer.Width(), backBuffer.Height()};
  for (const TRect& r : area.Rects()) {
    const TRect c = r.Intersected(bounds);
    if (c.IsEmpty()) continue;
    for (int y = c.Top; y < c.Bottom; ++y)
      std::memcpy(record.screen.ScanLine(y) + c.Left * 3, backBuffer.ScanLine(y) + c.Left * 3,
                  static_cast<size_t>(c.Width()) * 3);
  }
  ++record.presents;
}

void HeadlessBackend::WaitForEvents(std::optional<uint32_t> timeoutMs) {
  if (events_.empty()) {
    if (!timeoutMs)
      throw Exception("The headless desktop was asked to wait with nothing that could ever happen");
    now_ += *timeoutMs;
    return;
  }
  // Deliver what is queued now; events queued while delivering wait for the next look.
  std::deque<NativeEvent> batch;
  batch.swap(events_);
  for (const NativeEvent& e : batch)
    if (sink_ && (!e.window || windows_.count(e.window))) sink_->OnNativeEvent(e);
}

std::optional<std::string> HeadlessBackend::DesktopResource(const std::string& name) {
  const auto found = resources_.find(name);
  if (found == resources_.end()) return std::nullopt;
  return found->second;
}

bool HeadlessBackend::ClipboardPublish(const SharedText& bytes) {
  if (!clipboardAvailable_) return false;
  clipboard_ = bytes;
  ++publishCount_;
  return true;
}

HWND HeadlessBackend::TopLevelAt(TPoint screen) const {
  // Topmost windows above the others, each layer in stacking order.
  for (int pass = 0; pass < 2; ++pass) {
    for (auto it = stacking_.rbegin(); it != stacking_.rend(); ++it) {
      const TopLevel& w = windows_.at(*it);
      if (w.style.topmost != (pass == 0) || !w.visible || !w.style.bounds.Contains(screen))
        continue;
      const TPoint local{screen.X - w.style.bounds.Left, screen.Y - w.style.bounds.Top};
      if (w.shape && !w.shape->Contains(local)) continue;
      return *it;
    }
  }
  return nullptr;
}

unsigned HeadlessBackend::KeyStateFlags() const { return buttons_ | modifiers_; }

void HeadlessBackend::SetWorkArea(const TRect& area) {
  monitors_.front().rcWork = area;
  Queue(NativeEvent::Kind::WorkAreaChanged, nullptr);
}

void HeadlessBackend::SetMonitors(std::vector<MonitorInfo> monitors) {
  if (monitors.empty()) return;
  monitors_ = std::move(monitors);
  Queue(NativeEvent::Kind::DisplayChanged, nullptr);
}

std::optional<std::string> HeadlessBackend::ClaimInstance(const std::string& document) {
  if (other_) return other_;
  claimed_ = document;
  return std::nullopt;
}

bool HeadlessBackend::RaiseRunningInstance() {
  if (!other_) return false;
  ++raiseRequests_;
  return true;
}

NativeEvent& HeadlessBackend::Queue(NativeEvent::Kind kind, HWND window) {
  NativeEvent& event = events_.emplace_back();
  event.kind = kind;
  event.window = window;
  event.time = now_;
  return event;
}

void HeadlessBackend::PointerEvent(NativeEvent::Kind kind, int button, int delta) {
  // An open menu has every pointer event; else, while a button is held, the window it was pressed
  // in keeps the pointer (as X's implicit grab).
  const HWND target = inputGrab_ ? inputGrab_ : grab_ ? grab_ : TopLevelAt(pointer_);
  if (!grab_ && target != underPointer_ && underPointer_) {
    Queue(NativeEvent::Kind::PointerLeave, underPointer_);
  }
  if (!grab_) underPointer_ = target;
  if (!target) return;
  const TRect& b = windows_.at(target).style.bounds;
  NativeEvent& e = Queue(kind, target);
  e.point = {pointer_.X - b.Left, pointer_.Y - b.Top};
  e.button = button;
  e.delta = delta;
  e.keyState = KeyStateFlags();
}

void HeadlessBackend::MoveMouse(TPoint screen) {
  pointer_ = screen;
  PointerEvent(NativeEvent::Kind::PointerMove, 0, 0);
}

static unsigned ButtonBit(int button) {
  switch (button) {
    case 1: return MK_LBUTTON;
    case 2: return MK_MBUTTON;
    case 3: return MK_RBUTTON;
    default: return 0;
  }
}

void HeadlessBackend::Press(int button) {
  PointerEvent(NativeEvent::Kind::ButtonDown, button, 0);
  buttons_ |= ButtonBit(button);
  if (!grab_) grab_ = underPointer_;
}

void HeadlessBackend::Release(int button) {
  PointerEvent(NativeEvent::Kind::ButtonUp, button, 0);
  buttons_ &= ~ButtonBit(button);
  if (!buttons_) {
    grab_ = nullptr;
    // The pointer may have moved off the window while the button was held.
    const HWND now = TopLevelAt(pointer_);
    if (underPointer_ && now != underPointer_) {
      Queue(NativeEvent::Kind::PointerLeave, underPointer_);
    }
    underPointer_ = now;
  }
}

void HeadlessBackend::Click(int button) {
  Press(button);
  Release(button);
}

void HeadlessBackend::Wheel(int delta) { PointerEvent(NativeEvent::Kind::Wheel, 0, delta); }

void HeadlessBackend::KeyDown(int virtualKey) {
  if (virtualKey == VK_SHIFT) modifiers_ |= MK_SHIFT;
  if (virtualKey == VK_CONTROL) modifiers_ |= MK_CONTROL;
  if (virtualKey == VK_MENU) modifiers_ |= kAltDown;
  // A key pressed again before its release is held down: the desktop repeats it.
  const bool repeat =
      virtualKey > 0 && virtualKey < 256 && held_.test(static_cast<size_t>(virtualKey));
  if (virtualKey > 0 && virtualKey < 256) held_.set(static_cast<size_t>(virtualKey));
  if (!KeyTarget()) return;
  NativeEvent& e = Queue(NativeEvent::Kind::KeyDown, KeyTarget());
  e.virtualKey = virtualKey;
  e.repeat = repeat;
  e.keyState = KeyStateFlags();
}

void HeadlessBackend::KeyUp(int virtualKey) {
  if (virtualKey > 0 && virtualKey < 256) held_.reset(static_cast<size_t>(virtualKey));
  if (KeyTarget()) {
    NativeEvent& e = Queue(NativeEvent::Kind::KeyUp, KeyTarget());
    e.virtualKey = virtualKey;
    e.keyState = KeyStateFlags();
  }
  if (virtualKey == VK_SHIFT) modifiers_ &= ~MK_SHIFT;
  if (virtualKey == VK_CONTROL) modifiers_ &= ~MK_CONTROL;
  if (virtualKey == VK_MENU) modifiers_ &= ~kAltDown;
}

void HeadlessBackend::Key(int virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void HeadlessBackend::Type(const std::string& utf8) {
  if (!KeyTarget()) return;
  NativeEvent& e = Queue(NativeEvent::Kind::Text, KeyTarget());
  e.text = utf8;
  e.keyState = KeyStateFlags();
}

void HeadlessBackend::RequestClose(HWND window) { Queue(NativeEvent::Kind::CloseRequest, window); }

void HeadlessBackend::MoveByDesktop(HWND window, const TRect& screenBounds) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  MoveTopLevel(window, screenBounds);
  NativeEvent& e = Queue(NativeEvent::Kind::Configure, window);
  e.rect = screenBounds;
}

void HeadlessBackend::Expose(HWND window, const TRect& rect) {
  NativeEvent& e = Queue(NativeEvent::Kind::Exposed, window);
  e.rect = rect;
}

const HeadlessBackend::TopLevel* HeadlessBackend::Find(HWND window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

TColor HeadlessBackend::ScreenPixel(TPoint screen) const {
  const HWND window = TopLevelAt(screen);
  if (!window) return -1;
  const TopLevel& w = windows_.at(window);
  const int x = screen.X - w.style.bounds.Left;
  const int y = screen.Y - w.style.bounds.Top;
  if (x >= w.screen.Width() || y >= w.screen.Height()) return -1;
  return w.screen.Pixel(x, y);
}

}  // namespace platform
